// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The start window's 300 x 300 picture: a little bridge over the numbers.
QPixmap immagineInizio();
// The program's 32 x 32 window icon.
QIcon iconaProgramma();
// The bridge drawn on a square of this many pixels, for the installed icons.
QImage immaginePonte(int size);
