// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One number range of a level tile.
struct Livello {
    qint16 numMin;
    qint16 numMax;
    QString testo;
};

// The three level tiles, by index 0 to 2, as the start window sets them for
// the exercise and as the worksheet window sets them for its worksheets.
const Livello& livelloInizio(int indice);
const Livello& livelloScheda(int indice);
