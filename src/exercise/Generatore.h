// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class Clock;
class RandomSource;
struct Modulo2;
struct Operazione;
struct LivelloScelto;

// Making one operation: two sums or two differences that are equal, with one
// of the four terms hidden. Everything is written into the session state; the
// sign lives in the window's sign captions, so the functions take and return
// those captions.

inline const QString kSegnoMeno = QStringLiteral(" - ");
inline const QString kSegnoPiu = QStringLiteral(" + ");

// Int(Rnd x (NumMax - NumMin)) + NumMin, worked out in floating point.
qint16 estraiTermine(RandomSource& rnd, qint16 numMin, qint16 numMax);
// Int(Rnd x 2) + 1: 1 is a subtraction, 2 an addition.
int estraiTipoOperazione(RandomSource& rnd);

enum class TipoOperazione { Sottrazione = 1, Addizione = 2 };

// The draw every operation is made by: four terms from numMin to numMax - 1
// until they make an equality of that kind. A subtraction orders each side so
// that no difference is negative; an addition whose sides may not exceed
// latoMassimo (when above 0) is drawn again. Writes the terms and their texts
// and returns the number of rounds the draw took.
int estraiUguaglianza(Operazione& op, TipoOperazione tipo, qint16 numMin, qint16 numMax, RandomSource& rnd,
                      qint16 latoMassimo = 0);

// How every operation of the drill and of the worksheets is drawn: the random
// source reseeded from the time of day, then estraiUguaglianza in the level's
// range. Returns the number of rounds; *segno gets the kind's sign caption.
int generaUguaglianza(Operazione& op, const LivelloScelto& livello, TipoOperazione tipo, RandomSource& rnd,
                      float oraDelGiorno, QString* segno, qint16 latoMassimo = 0);

// A subtraction Num1 - Num2 = Num3 - Num4 with no negative difference. The
// random source is reseeded from the time of day first. Returns the number of
// rounds the draw took; *segno gets the sign caption.
int Genera1(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno);
// An addition Num1 + Num2 = Num3 + Num4; as Genera1.
int Genera2(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno);

// Alignment blanks of the four terms: " " for two digits, "  " for one.
void AllineaNumeri(Modulo2& m);

// The blanks that right-align a term of that many digits (1 to 3) in three places.
QString spaziPerCifre(qsizetype cifre);

// An operation line: the four fields joined by the signs and " = ", the hidden
// one (1 to 4, any other number the fourth) replaced by its placeholder.
QString componiRiga(const std::array<QString, 4>& campi, const QString& segno1, const QString& segno2,
                    int posNascosto, const std::array<QString, 4>& segnaposto);

// The record's operation line with the hidden term replaced by dots.
QString rigaOperazione(const Modulo2& m, const QString& segno1, const QString& segno2);

// Hides a term and starts the record: PosNascosto, NumOperazione + 1,
// Risultato, StrRisultato, the operation line and InizioOperazione.
void Visualizza1(Modulo2& m, RandomSource& rnd, float oraDelGiorno, const QString& segno1,
                 const QString& segno2);

// What term label k (1 to 4) shows: "?" for the hidden one, else its text.
QString didascaliaTermine(const Modulo2& m, int k);

// Pads the current record to 35 characters and appends "(R.".
void ChiudiRiga(Modulo2& m);

// The current record, or nullptr when NumOperazione lies outside the records.
QString* registroCorrente(Modulo2& m);

// Makes the run's next operation: draws its kind and terms, aligns them, hides
// one term and writes the operation's record up to "(R.". Returns the sign text.
QString prossimaOperazione(Modulo2& m, RandomSource& rnd, const Clock& clock);
