// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/StampaAttestato.h"

#include "platform/Bgr.h"
#include "platform/Printers.h"
#include "platform/Unita.h"
#include "results/Attestato.h"

#include <algorithm>

namespace {
constexpr double kSinistra = 1000;
constexpr double kAlto = 100;
} // namespace

QRectF posizioneAttestato(const QSize& riquadroPixel, const QSizeF& areaStampabile) {
    QSizeF dimensione = QSizeF(riquadroPixel) * kTwipsPerPixel;
    const double larghezza = areaStampabile.width() - kSinistra;
    const double altezza = areaStampabile.height() - kAlto;
    // A maximised picture box on a large screen is wider than a page: at its
    // natural size the certificate would be cut off on paper.
    if (!dimensione.isEmpty() && (dimensione.width() > larghezza || dimensione.height() > altezza)) {
        const double scala =
            std::max(0.0, std::min(larghezza / dimensione.width(), altezza / dimensione.height()));
        dimensione *= scala;
    }
    return {QPointF(kSinistra, kAlto), dimensione};
}

bool StampaAttestato(const QStringList& righe, const QList<double>& altoPixel, const QSize& riquadroPixel,
                     Printers& p) {
    p.newDocument(QStringLiteral("Attestato"));
    p.print(QString());
    // The printable area is known once the document is open.
    const QRectF r = posizioneAttestato(riquadroPixel, p.printableAreaTwips());
    // Twips of paper per pixel of screen. The screen draws at 96 dots per
    // inch, where a point is 20 twips at 15 twips a pixel: a font keeps its
    // size at the natural scale and shrinks with the rectangle.
    const double scala = riquadroPixel.width() > 0 ? r.width() / riquadroPixel.width() : 0;
    const double punti = scala / kTwipsPerPixel;
    for (int n = 1; n <= kRigheAttestato && n <= righe.size() && n <= altoPixel.size(); ++n) {
        const QString& testo = righe[n - 1];
        if (testo.isEmpty())
            continue;
        const StileRiga stile = stileRiga(n);
        p.setFontName(stile.font);
        p.setFontSize(float(stile.punti * punti));
        p.setFontBold(stile.grassetto);
        p.setTextColor(bgr(stile.colore));
        // Centred as on screen: the text with its blanks.
        const double x = r.center().x() - p.textWidthTwips(testo) / 2;
        p.printAt(float(x), float(r.top() + altoPixel[n - 1] * scala), testo);
    }
    return p.endDoc();
}
