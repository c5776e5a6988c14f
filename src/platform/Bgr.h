// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Colori.h"

#include <QColor>

// A colour written &H00BBGGRR: blue, green and red bytes.
inline QColor bgr(quint32 value) {
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}
