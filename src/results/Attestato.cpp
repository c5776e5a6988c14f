// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Attestato.h"

#include "core/Modulo2.h"

#include <cmath>

QString nomeCapitalizzato(const QString& nome) {
    if (nome.isEmpty())
        return nome;
    return nome.left(1).toUpper() + nome.mid(1).toLower();
}

int votoAttestato(qint16 risposteEsatte, qint16 numOperazione) {
    if (numOperazione == 0)
        return 0;
    // A run counts at most twenty answers, so the product stays well inside a
    // 16-bit integer; the quotient is taken in floating point and rounded down.
    const int prodotto = 10 * int(risposteEsatte);
    return static_cast<int>(std::floor(double(prodotto) / double(numOperazione)));
}

QString giudizioDaVoto(int voto) {
    switch (voto) {
    case 5:
        return QStringLiteral("SUFFICIENTE (!)");
    case 6:
        return QStringLiteral("SUFFICIENTE");
    case 7:
        return QStringLiteral("BUONO");
    case 8:
        return QStringLiteral("DISTINTO");
    case 9:
    case 10:
        return QStringLiteral("OTTIMO");
    default:
        return kNonClassificato;
    }
}

bool attestatoStampabile(const QString& giudizio) {
    return giudizio != kNonClassificato;
}

QString didascaliaStampa(const QString& giudizio) {
    return attestatoStampabile(giudizio) ? kStampaAttestato : kAttestatoNonStampabile;
}

QString titoloAttestato(const QString& didascaliaTitolo) {
    return QStringLiteral("  ") + didascaliaTitolo;
}

QString rigaRisposte(const Modulo2& m) {
    return QStringLiteral("con %1 risposte esatte su %2 richieste")
        .arg(m.RisposteEsatte)
        .arg(m.NumOperazione);
}

QString rigaData(const QString& data) {
    return QStringLiteral("Data  ") + data;
}

void PreparaAttestato(Modulo2& m, const QString& didascaliaTitolo) {
    m.NomeAlunno = nomeCapitalizzato(m.NomeAlunno);
    m.GiudizioAttestato = giudizioDaVoto(votoAttestato(m.RisposteEsatte, m.NumOperazione));
    m.TitoloAttestato = titoloAttestato(didascaliaTitolo);
}

QStringList righeAttestato(const Modulo2& m, const QString& data) {
    QStringList righe(kRigheAttestato);
    auto riga = [&righe](int n) -> QString& { return righe[n - 1]; };
    riga(6) = QStringLiteral("DIPLOMA DI MERITO");
    riga(7) = QStringLiteral("RILASCIATO A");
    riga(9) = m.NomeAlunno;
    riga(11) = QStringLiteral("per aver eseguito");
    riga(13) = m.TitoloAttestato;
    riga(17) = QStringLiteral("con la valutazione di");
    riga(19) = m.GiudizioAttestato;
    riga(21) = rigaRisposte(m);
    riga(25) = rigaData(data);
    return righe;
}

QString attestatoDetto(const Modulo2& m) {
    const QString nome = m.NomeAlunno.simplified();
    const QString a = nome.isEmpty() ? QString() : QStringLiteral(" rilasciato a %1,").arg(nome);
    return QStringLiteral("DIPLOMA DI MERITO%1 con la valutazione di %2").arg(a, m.GiudizioAttestato);
}

StileRiga stileRiga(int riga) {
    const QString arial = QStringLiteral("arial");
    if (riga <= 5)
        return {QStringLiteral("MS Sans Serif"), 8.25, true, kNero};
    if (riga == 6)
        return {arial, 20, true, kRosso};
    if (riga <= 8)
        return {arial, 20, true, kNero};
    if (riga == 9)
        return {arial, 20, true, kRosso};
    if (riga == 10)
        return {arial, 20, true, kRosso};
    if (riga <= 14)
        return {arial, 12, false, kNero};
    if (riga <= 18)
        return {arial, 14, false, kNero};
    if (riga <= 20)
        return {arial, 14, true, kRosso};
    return {arial, 12, false, kNero};
}
