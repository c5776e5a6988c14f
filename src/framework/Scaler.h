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
    enum class Kind { Control, Unscaled };
    struct Entry {
        QPointer<QWidget> widget;
        Kind kind = Kind::Control;
    };
    struct Proportion {
        float width = 0;
        float height = 0;
        float top = 0;
        float left = 0;
    };

    // Reads each control's twips position; unscaled entries (menu items,
    // lines) keep zeros.
    void takeProportions(const QList<Entry>& controls, const QSizeF& innerTwips);
    // Moves every scaled control to the inner size given in twips.
    void rescale(const QSizeF& innerTwips) const;

    const QList<Proportion>& table() const { return table_; }

private:
    QList<Entry> controls_;
    QList<Proportion> table_;
};
