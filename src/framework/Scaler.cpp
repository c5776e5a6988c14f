// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Scaler.h"

#include "framework/Twips.h"

void Scaler::takeProportions(const QList<Entry>& controls, const QSizeF& innerTwips) {
    controls_ = controls;
    table_ = QList<Proportion>(controls.size());
    const float w = static_cast<float>(innerTwips.width());
    const float h = static_cast<float>(innerTwips.height());
    if (w <= 0 || h <= 0)
        return;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const Entry& e = controls[i];
        if (e.kind != Kind::Control || !e.widget)
            continue;
        const QRectF r = twipsRect(e.widget);
        table_[i] = {static_cast<float>(r.width()) / w, static_cast<float>(r.height()) / h,
                     static_cast<float>(r.top()) / h, static_cast<float>(r.left()) / w};
    }
}

void Scaler::rescale(const QSizeF& innerTwips) const {
    const float w = static_cast<float>(innerTwips.width());
    const float h = static_cast<float>(innerTwips.height());
    for (qsizetype i = 0; i < controls_.size(); ++i) {
        const Entry& e = controls_[i];
        if (e.kind != Kind::Control || !e.widget)
            continue;
        const Proportion& p = table_[i];
        const float left = w * p.left;
        const float top = h * p.top;
        const float width = w * p.width;
        const float height = h * p.height;
        placeTwips(e.widget, QRectF(left, top, width, height));
    }
}
