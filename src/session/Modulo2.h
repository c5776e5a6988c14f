// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The program-wide variables that windows share instead of passing arguments.
// Integer is qint16, single is float; everything starts empty or 0.
struct Modulo2 {
    // Level and operation
    qint16 NumMin = 0;
    qint16 NumMax = 0;
    QString TestoLivello;
    qint16 Num1 = 0, Num2 = 0, Num3 = 0, Num4 = 0;
    QString StrNum1, StrNum2, StrNum3, StrNum4;
    qint16 PosNascosto = 0;
    qint16 Risultato = 0;
    QString StrRisultato;
    QString Spazi1, Spazi2, Spazi3, Spazi4;
    QString Spazi4Scheda;
    QString Riempimento;

    // Answering and scoring
    QString Risposta;
    qint16 BaseTasto = 0;
    qint16 RisposteEsatte = 0;
    qint16 RisposteErrate = 0;
    QString MarcaEsito;
    qint16 RifiutiAiuto = 0;
    qint16 NumOperazione = 0;
    qint16 OperazioneMostrata = 0;
    std::array<QString, 61> RegistroOperazioni;

    // Timing: clock readings in seconds since midnight; the times are whole
    // seconds held in single precision.
    float InizioOperazione = 0;
    float OraVerifica = 0;
    float TempoParziale = 0;
    float TempoTotale = 0;
    QString StrTempoParziale;
    QString StrTempoTotale;

    // Pupil, certificate and worksheets
    QString NomeAlunno;
    QString GiudizioAttestato;
    QString TitoloAttestato;
    qint16 TipoScheda = 0;
    std::array<QString, 66> RigheAlunni;
    std::array<QString, 66> RigheDocenti;
    qint16 Indice = 0;

    // Accessors for the numbered terms, 1 to 4.
    qint16& num(int k);
    QString& strNum(int k);
    QString& spazi(int k);
    qint16 num(int k) const { return const_cast<Modulo2*>(this)->num(k); }
    const QString& strNum(int k) const { return const_cast<Modulo2*>(this)->strNum(k); }
    const QString& spazi(int k) const { return const_cast<Modulo2*>(this)->spazi(k); }

    // The one shared instance.
    static Modulo2& get();
    // Back to the program-start state.
    static void reset();
};

// A number's digits preceded by a blank where a minus sign would stand: 7 -> " 7".
QString testoConSegno(qint64 value);
// Whole seconds held in single precision, as blank-signed text.
QString testoConSegno(float wholeValue);
