// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

QString programTitle() {
    return QStringLiteral("Pontelo");
}

MessageBox::OnShow& MessageBox::onShow() {
    static OnShow messages;
    return messages;
}

void MessageBox::show(const QString& text) {
    ++onShow().count;
    display(text);
    --onShow().count;
}

bool MessageBox::showing() {
    return onShow().count > 0;
}
