// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

class Button;

// Where the author can be reached.
class FrmAutore : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("frmAutore");
    FrmAutore();

protected:
    void build() override;
    QWidget* initialFocus() const override;

private:
    Button* command1_ = nullptr;
};
