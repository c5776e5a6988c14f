// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/StampaEsercizio.h"

#include "core/Modulo2.h"
#include "platform/Platform.h"
#include "platform/Printers.h"

#include <algorithm>

namespace {
constexpr int kRighePerBlocco = 10;
constexpr float kMargineSinistro = 1000;
constexpr float kInterlinea = 400;
constexpr float kPrimoBlocco = 2000;
constexpr float kSecondoBlocco = 7000;
constexpr float kPrimoTotale = 11000;
constexpr float kSecondoTotale = 11400;

} // namespace

int righeEsercizio(const Modulo2& m) {
    return std::clamp<int>(m.NumOperazione, 0, kOperazioniPerSerie);
}

QString testoTempoTotale(const Modulo2& m) {
    return QStringLiteral("Tempo totale:    ") + m.StrTempoTotale + QStringLiteral("   secondi");
}

void IntestazioneEsercizio(Printers& p) {
    p.setFontSize(18);
    // The school's name is written in by hand after the header.
    p.printAt(kMargineSinistro, 1000, QStringLiteral("SCUOLA ELEMENTARE DI "));
}

bool StampaEsercizio(Modulo2& m, Printers& p) {
    const QString font = p.printerFont();
    if (font.isEmpty()) {
        platform::messageBox().show(missingCourierMessage());
        return false;
    }
    p.newDocument(QStringLiteral("Esercizio"));
    p.setFontName(font);
    IntestazioneEsercizio(p);
    p.setFontSize(12);
    p.setFontBold(true);
    const int n = righeEsercizio(m);
    for (int i = 1; i <= n; ++i) {
        // Two blocks of ten, one under the other, as the window's two columns.
        const float y = i <= kRighePerBlocco ? kPrimoBlocco + static_cast<float>(i - 1) * kInterlinea
                                             : kSecondoBlocco + static_cast<float>(i - 11) * kInterlinea;
        p.printAt(kMargineSinistro, y, m.RegistroOperazioni[static_cast<size_t>(i)]);
    }
    p.printAt(kMargineSinistro, kPrimoTotale,
              QStringLiteral("Eser. n.1: Tempo tot. ") + m.StrTempoTotale + QStringLiteral(" secondi"));
    p.printAt(kMargineSinistro, kSecondoTotale,
              QStringLiteral("Eser. n.2: Tempo tot. ") + m.StrTempoTotale + QStringLiteral(" secondi"));
    return p.endDoc();
}
