#pragma once

#include "framework/Form.h"

// The worksheet window. For now it only carries its caption.
class FrmStampaSchedeBig : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmStampaSchedeBig");
    FrmStampaSchedeBig();

protected:
    void build() override;
};
