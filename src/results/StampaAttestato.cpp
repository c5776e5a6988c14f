// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/StampaAttestato.h"

#include "platform/Printers.h"

#include <algorithm>

namespace {
constexpr double kSinistra = 1000;
constexpr double kAlto = 100;
constexpr double kTwipsPerPixel = 15;
} // namespace

QRectF posizioneAttestato(const QSize& immaginePixel, const QSizeF& areaStampabile) {
    QSizeF dimensione = QSizeF(immaginePixel) * kTwipsPerPixel;
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

bool StampaAttestato(const QImage& immagine, Printers& p) {
    p.setDocumentName(QStringLiteral("Attestato"));
    p.print(QString());
    // The printable area is known once the document is open.
    const QRectF r = posizioneAttestato(immagine.size(), p.printableAreaTwips());
    p.paintPicture(immagine, float(r.x()), float(r.y()), float(r.width()), float(r.height()));
    return p.endDoc();
}
