// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

QString programTitle() {
    return QStringLiteral("Pontelo");
}
