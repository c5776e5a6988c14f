#pragma once

#include <QIcon>
#include <QPixmap>

// The start window's 300 x 300 picture: a little bridge over the numbers.
QPixmap immagineInizio();
// The program's 32 x 32 window icon.
QIcon iconaProgramma();
