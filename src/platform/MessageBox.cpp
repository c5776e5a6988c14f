// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

QString programTitle() {
    return QStringLiteral("Pontelo");
}

namespace {
int messagesOnShow = 0;
} // namespace

void MessageBox::show(const QString& text) {
    ++messagesOnShow;
    display(text);
    --messagesOnShow;
}

bool MessageBox::showing() {
    return messagesOnShow > 0;
}
