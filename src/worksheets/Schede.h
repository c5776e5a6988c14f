// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Livelli.h"
#include "core/Modulo2.h"

#include <QString>

class Clock;
class RandomSource;

// Making worksheets: sixty operations, each written as a pupil line with one
// term left blank and a teacher line with the missing term.
//
// The worksheet window has its own level and operation, so that making a
// worksheet never disturbs an operation open in the exercise window. What the
// worksheet hands on (RigheAlunni, RigheDocenti, TipoScheda and
// RegistroOperazioni) goes to the shared session.
struct StatoScheda : LivelloScelto, Operazione {
    // The fourth term's blanks on a worksheet, which a three-digit term needs none of.
    QString Spazi4Scheda;
    // " + " or " - ": both signs of the line being made.
    QString Segno;
};

// Sets the worksheet's range and level text from a level tile.
void SceltaLivelloScheda(StatoScheda& s, int indice);

// Whether an addition can keep each side within NumMax at all: with the
// highest range two terms always add up to more, and the addition kind would
// never end.
bool addizionePossibile(const StatoScheda& s);

// One operation of each kind, its lines written at index riga. The random
// source is reseeded from the time of day first. Each returns the number of
// attempts its draw took. GeneraAdd falls back on a subtraction when no
// addition is possible.
int GeneraAdd(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno, int riga);
int GeneraSot(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, float oraDelGiorno, int riga);

// Alignment blanks of the four terms: "" for three digits, " " for two, "  " for one.
void AllineaNumeriScheda(StatoScheda& s);

// The lines of the operation in `s` with its current hidden position.
QString rigaAlunno(const StatoScheda& s);
QString rigaDocente(const StatoScheda& s);

// Draws the hidden position and writes RigheAlunni(i) and RigheDocenti(i);
// an index outside 0..65 writes nothing.
void ScriviRigheScheda(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, int i);

// A pupil worksheet: TipoScheda 1, then for rows 1 to 60 an operation of a
// drawn kind, its pupil line copied into RegistroOperazioni of that row.
void generaSchedaAlunni(StatoScheda& s, Modulo2& sessione, RandomSource& rnd, const Clock& clock);

// The teacher version of the last pupil worksheet: TipoScheda 2 and
// RegistroOperazioni(1..60) = RigheDocenti(1..60).
void mostraSchedaDocenti(Modulo2& sessione);
