// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Bgr.h"
#include "platform/Unita.h"

#include <QColor>
#include <QRectF>

class QWidget;

inline int twipsToPixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

// Moves a control, in one operation, to a rectangle given in twips and
// remembers that rectangle as the control's own position.
void placeTwips(QWidget* widget, const QRectF& twips);
// The control's position in twips within its container.
QRectF twipsRect(const QWidget* widget);
