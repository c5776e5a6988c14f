// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

// Keeps a window's layout in proportion to its inner area. The proportions are
// taken once, against the design inner size; every resize applies them again,
// so a window shrunk to nothing comes back exactly from the same table.
class Scaler {
public:
    // Reads each control's twips position.
    void takeProportions(const QList<QPointer<QWidget>>& controls, const QSizeF& innerTwips);
    // Moves every control to the inner size given in twips.
    void rescale(const QSizeF& innerTwips) const;

private:
    struct Proportion {
        QPointer<QWidget> widget;
        float width = 0;
        float height = 0;
        float top = 0;
        float left = 0;
    };
    QList<Proportion> table_;
};
