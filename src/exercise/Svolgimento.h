// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Modulo2.h"

#include <QString>

// The rules of a run that need no window: counters, times, the answer being
// typed and its judging, and what each step appends to the record.

constexpr float kSecondiInUnGiorno = 86400.0f;

// A new run: counters, times and records 1 to 20 back to empty.
void azzeraSerie(Modulo2& m);
// The run's total time back to zero.
void azzeraTempoTotale(Modulo2& m);
// Prepares the state for the next operation to be made.
void preparaOperazione(Modulo2& m);
// True once the run's 20th operation has been made.
bool serieCompleta(const Modulo2& m);

// Takes a check's clock reading: partial time in whole seconds from the moment
// the operation was shown, added to the total. A check after midnight of an
// operation shown before it counts the day's wrap.
void misuraTempi(Modulo2& m, float oraVerifica);
// Captions of the time labels: the real value, or "99" / "999" above the caps.
QString didascaliaTempoParziale(const Modulo2& m);
QString didascaliaTempoTotale(const Modulo2& m);

// The answer after a digit is typed; `didascaliaNascosta` is what the hidden
// term's label shows now ("?" starts a new answer). At most 4 characters.
void aggiungiCifra(Modulo2& m, const QString& didascaliaNascosta, const QString& cifra);
// The answer after "Cancella": its last character removed, "?" once empty.
void cancellaCifra(Modulo2& m);

// The answer is right when both texts match once their blanks are trimmed.
bool rispostaEsatta(const Modulo2& m);
// Counts a checked answer and appends it with its mark to the record.
void registraRispostaEsatta(Modulo2& m);
void registraRispostaErrata(Modulo2& m);
// Appends the expected answer and "°" after a correction.
void registraCorrezione(Modulo2& m);

// What a screen reader is given to say, in words its speech reads clearly.
// The operation row as shown ("18 + ? = 18 + 10"), signs in words and the
// hidden term as "quanto": "18 più quanto uguale 18 più 10".
QString rigaDetta(const QString& riga);
// The end of a run: "Risposte esatte: 19. Risposte errate: 1. Tempo totale: 95 secondi".
QString riepilogoDetto(const Modulo2& m);
