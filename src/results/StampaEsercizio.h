// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Printers;
struct Modulo2;

// The run's records as the results window shows and prints them.

// How many records, from record 1 on, belong to the run: NumOperazione,
// kept within the twenty lines of the window and of the printout.
int righeEsercizio(const Modulo2& m);
// The total-time caption of the results window: "Tempo totale:    " +
// StrTempoTotale + "   secondi".
QString testoTempoTotale(const Modulo2& m);

// The header of the exercise printout, in the printer font already set.
void IntestazioneEsercizio(Printers& p);
// Prints the exercise printout on the current printer as one document: the
// header, the records in two blocks of ten and the two total lines. Nothing is
// printed without a Courier font (the user is told). True when it was printed.
bool StampaEsercizio(Modulo2& m, Printers& p);
