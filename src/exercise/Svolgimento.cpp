// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Svolgimento.h"

#include "core/Modulo2.h"
#include "exercise/Generatore.h"

#include <QStringList>

#include <cmath>

void azzeraSerie(Modulo2& m) {
    m.RisposteEsatte = 0;
    m.RisposteErrate = 0;
    m.NumOperazione = 0;
    m.OperazioneMostrata = 0;
    m.RifiutiAiuto = 0;
    m.TempoParziale = 0;
    m.TempoTotale = 0;
    for (size_t i = 1; i <= kOperazioniPerSerie; ++i)
        m.RegistroOperazioni[i].clear();
    m.StrTempoTotale.clear();
}

void azzeraTempoTotale(Modulo2& m) {
    m.TempoTotale = 0;
    m.StrTempoTotale.clear();
}

void preparaOperazione(Modulo2& m) {
    m.Risposta.clear();
    m.StrRisultato.clear();
    m.RifiutiAiuto = 0;
    m.OperazioneMostrata = static_cast<qint16>(m.OperazioneMostrata + 1);
}

bool serieCompleta(const Modulo2& m) {
    return m.NumOperazione >= kOperazioniPerSerie;
}

void misuraTempi(Modulo2& m, float oraVerifica) {
    m.OraVerifica = oraVerifica;
    float trascorsi = m.OraVerifica - m.InizioOperazione;
    if (trascorsi < 0)
        trascorsi += kSecondiInUnGiorno;
    m.TempoParziale = std::floor(trascorsi);
    m.StrTempoParziale = testoConSegno(m.TempoParziale);
    m.TempoTotale += m.TempoParziale;
    m.StrTempoTotale = testoConSegno(m.TempoTotale);
}

QString didascaliaTempoParziale(const Modulo2& m) {
    return m.TempoParziale > 99 ? QStringLiteral("99") : m.StrTempoParziale;
}

QString didascaliaTempoTotale(const Modulo2& m) {
    return m.TempoTotale > 999 ? QStringLiteral("999") : m.StrTempoTotale;
}

void aggiungiCifra(Modulo2& m, const QString& didascaliaNascosta, const QString& cifra) {
    if (didascaliaNascosta == QLatin1String("?"))
        m.Risposta.clear();
    m.Risposta += cifra;
    if (m.Risposta.size() >= 4)
        m.Risposta.truncate(4);
}

void cancellaCifra(Modulo2& m) {
    if (!m.Risposta.isEmpty())
        m.Risposta.chop(1);
    if (m.Risposta.isEmpty())
        m.Risposta = QStringLiteral("?");
}

bool rispostaEsatta(const Modulo2& m) {
    return m.StrRisultato.trimmed() == m.Risposta.trimmed();
}

namespace {
void aggiungiAlRegistro(Modulo2& m, const QString& testo) {
    if (QString* registro = registroCorrente(m))
        *registro += testo;
}
} // namespace

void registraRispostaEsatta(Modulo2& m) {
    m.RisposteEsatte = static_cast<qint16>(m.RisposteEsatte + 1);
    m.MarcaEsito = QStringLiteral("  ");
    aggiungiAlRegistro(m, m.Risposta + m.MarcaEsito);
}

void registraRispostaErrata(Modulo2& m) {
    m.RisposteErrate = static_cast<qint16>(m.RisposteErrate + 1);
    m.MarcaEsito = QStringLiteral("* ");
    aggiungiAlRegistro(m, m.Risposta + m.MarcaEsito);
}

void registraCorrezione(Modulo2& m) {
    aggiungiAlRegistro(m, m.StrRisultato + QStringLiteral("°"));
}

QString rigaDetta(const QString& riga) {
    QStringList parole;
    for (const QString& parte : riga.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (parte == QLatin1String("+"))
            parole << QStringLiteral("più");
        else if (parte == QLatin1String("-"))
            parole << QStringLiteral("meno");
        else if (parte == QLatin1String("="))
            parole << QStringLiteral("uguale");
        else if (parte == QLatin1String("?"))
            parole << QStringLiteral("quanto");
        else
            parole << parte;
    }
    return parole.join(QLatin1Char(' '));
}

QString riepilogoDetto(const Modulo2& m) {
    const QString tempo = didascaliaTempoTotale(m).trimmed();
    return QStringLiteral("Risposte esatte: %1. Risposte errate: %2. Tempo totale: %3 %4")
        .arg(m.RisposteEsatte)
        .arg(m.RisposteErrate)
        .arg(tempo, tempo == QLatin1String("1") ? QStringLiteral("secondo") : QStringLiteral("secondi"));
}
