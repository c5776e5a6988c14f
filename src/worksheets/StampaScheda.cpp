// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/StampaScheda.h"

#include "core/Modulo2.h"
#include "platform/Platform.h"
#include "platform/Printers.h"

namespace {
constexpr int kRighePerBlocco = 10;
constexpr float kInterlinea = 400;
// Three blocks a column: exercises 1 to 3 on the left, 4 to 6 on the right.
constexpr float kColonne[2] = {1000, 6000};
constexpr float kBlocchi[3] = {2000, 6500, 11000};

} // namespace

float xRigaScheda(int i) {
    return kColonne[(i - 1) / (3 * kRighePerBlocco) % 2];
}

float yRigaScheda(int i) {
    const int blocco = (i - 1) / kRighePerBlocco % 3;
    return kBlocchi[blocco] + static_cast<float>((i - 1) % kRighePerBlocco) * kInterlinea;
}

void IntestazioneScheda(Printers& p) {
    p.setFontName(QStringLiteral("Courier"));
    p.setFontSize(14);
    p.printAt(1000, 1000, QStringLiteral("Nome e cognome"));
}

QStringList righeDaStampare(const Modulo2& sessione, qint16 tipoScheda, bool schedaFatta) {
    QStringList righe;
    for (int i = 1; i <= kRigheScheda; ++i) {
        const auto k = static_cast<size_t>(i);
        righe.append(!schedaFatta      ? sessione.RegistroOperazioni[k]
                     : tipoScheda == 1 ? sessione.RigheAlunni[k]
                                       : sessione.RigheDocenti[k]);
    }
    return righe;
}

bool StampaScheda(Modulo2& sessione, const QString& testoLivello, const QString& testoPiede, Printers& p) {
    return StampaScheda(sessione, righeDaStampare(sessione, sessione.TipoScheda, false), testoLivello,
                        testoPiede, p);
}

bool StampaScheda(Modulo2& sessione, const QStringList& righe, const QString& testoLivello,
                  const QString& testoPiede, Printers& p) {
    if (p.printerFont().isEmpty()) {
        platform::messageBox().show(missingCourierMessage());
        return false;
    }
    p.newDocument(sessione.TipoScheda == 1 ? QStringLiteral("Scheda alunni")
                                           : QStringLiteral("Scheda docenti"));
    IntestazioneScheda(p);
    p.setFontSize(sessione.TipoScheda == 1 ? 12 : 10);
    for (int i = 1; i <= kRigheScheda; ++i) {
        p.printAt(xRigaScheda(i), yRigaScheda(i), righe.value(i - 1));
    }
    p.setFontName(QStringLiteral("Courier"));
    p.setFontSize(8);
    // The subject line is filled in by hand.
    p.printAt(1000, 15100, QStringLiteral("OSA: ricerca "));
    p.printAt(1000, 15300, QStringLiteral("Livello di difficoltà: ") + testoLivello);
    p.printAt(1000, 15500, testoPiede);
    return p.endDoc();
}
