// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Twips.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kTwipsProperty = "twipsRect";
}

void placeTwips(QWidget* widget, const QRectF& twips) {
    widget->setProperty(kTwipsProperty, twips);
    widget->setGeometry(twipsToPixels(twips.left()), twipsToPixels(twips.top()), twipsToPixels(twips.width()),
                        twipsToPixels(twips.height()));
}

QRectF twipsRect(const QWidget* widget) {
    const QVariant stored = widget->property(kTwipsProperty);
    if (stored.isValid())
        return stored.toRectF();
    const QRect g = widget->geometry();
    return {g.x() * kTwipsPerPixel, g.y() * kTwipsPerPixel, g.width() * kTwipsPerPixel,
            g.height() * kTwipsPerPixel};
}
