// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Scaler.h"

#include "framework/Twips.h"

void Scaler::takeProportions(const QList<QPointer<QWidget>>& controls, const QSizeF& innerTwips) {
    table_.clear();
    const float w = static_cast<float>(innerTwips.width());
    const float h = static_cast<float>(innerTwips.height());
    if (w <= 0 || h <= 0)
        return;
    for (const QPointer<QWidget>& widget : controls) {
        if (!widget)
            continue;
        const QRectF r = twipsRect(widget);
        table_.append({widget, static_cast<float>(r.width()) / w, static_cast<float>(r.height()) / h,
                       static_cast<float>(r.top()) / h, static_cast<float>(r.left()) / w});
    }
}

void Scaler::rescale(const QSizeF& innerTwips) const {
    const float w = static_cast<float>(innerTwips.width());
    const float h = static_cast<float>(innerTwips.height());
    for (const Proportion& p : table_) {
        if (!p.widget)
            continue;
        const float left = w * p.left;
        const float top = h * p.top;
        const float width = w * p.width;
        const float height = h * p.height;
        placeTwips(p.widget, QRectF(left, top, width, height));
    }
}
