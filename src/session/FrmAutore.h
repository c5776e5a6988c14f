#pragma once

#include "framework/Form.h"

class QPushButton;

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
    QPushButton* command1_ = nullptr;
};
