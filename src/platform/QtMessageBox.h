// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBox.h"

class QtMessageBox final : public MessageBox {
public:
    void display(const QString& text) override;
};
