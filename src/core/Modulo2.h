// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The number range operations are drawn from: terms from NumMin to NumMax - 1.
struct LivelloScelto {
    qint16 NumMin = 0;
    qint16 NumMax = 0;
    QString TestoLivello;
};

// One operation: its four terms as numbers and blank-signed texts, their
// alignment blanks, the hidden term's position and the expected answer. The
// exercise and the worksheets make operations of this one kind.
struct Operazione {
    qint16 Num1 = 0, Num2 = 0, Num3 = 0, Num4 = 0;
    QString StrNum1, StrNum2, StrNum3, StrNum4;
    qint16 PosNascosto = 0;
    qint16 Risultato = 0;
    QString StrRisultato;
    QString Spazi1, Spazi2, Spazi3, Spazi4;

    // Accessors for the numbered terms, 1 to 4; any other number falls on the fourth.
    qint16& num(int k);
    QString& strNum(int k);
    QString& spazi(int k);
    qint16 num(int k) const { return const_cast<Operazione*>(this)->num(k); }
    const QString& strNum(int k) const { return const_cast<Operazione*>(this)->strNum(k); }
    const QString& spazi(int k) const { return const_cast<Operazione*>(this)->spazi(k); }
};

// Operations in a run: the exercise window, the results window and the
// exercise printout all count on it.
inline constexpr int kOperazioniPerSerie = 20;
// Operations on a worksheet, in its preview and on its printed page.
inline constexpr int kRigheScheda = 60;

// The program-wide variables that windows share instead of passing arguments.
// Integer is qint16, single is float; everything starts empty or 0.
struct Modulo2 : LivelloScelto, Operazione {
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
    // A run's records, or a worksheet's lines, from 1.
    std::array<QString, kRigheScheda + 1> RegistroOperazioni;

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

    // The one shared instance.
    static Modulo2& get();
    // Back to the program-start state.
    static void reset();
};

// A number's digits preceded by a blank where a minus sign would stand: 7 -> " 7".
QString testoConSegno(qint64 value);
// Whole seconds held in single precision, as blank-signed text.
QString testoConSegno(float wholeValue);
