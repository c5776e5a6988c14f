// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>

class QWidget;

// Positions and sizes are kept in twips, as the layouts are designed; the
// screen shows them at 15 twips per logical pixel.
constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

// Moves a control, in one operation, to a rectangle given in twips and
// remembers that rectangle as the control's own position.
void placeTwips(QWidget* widget, const QRectF& twips);
// The control's position in twips within its container.
QRectF twipsRect(const QWidget* widget);

// A colour written &H00BBGGRR: blue, green and red bytes.
QColor bgr(quint32 value);
