// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

class Button;
class ComboBox;
class Label;

// The printer choice window: names the printer in use and makes the printer
// picked from the list the current printer for the rest of the process.
class FrmSceltaStampante : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("frmSceltaStampante");
    FrmSceltaStampante();

    void RiempiStampanti();
    void MostraPredefinita();

protected:
    void build() override;
    void onLoad() override;
    QWidget* initialFocus() const override;

private:
    void Combo1_Click();

    Label* label1_ = nullptr;
    Label* label2_ = nullptr;
    ComboBox* combo1_ = nullptr;
    Button* command2_ = nullptr;
    // Off until the list's first selection, which the window makes itself
    // while filling the list and which must not change the printer.
    bool preselezione_ = false;
};
