// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One number range of the start window's level choice.
struct Livello {
    qint16 numMin;
    qint16 numMax;
    QString testo;
};

// The start window's three levels, by tile index 0 to 2.
const Livello& livelloInizio(int indice);
