#pragma once

#include "framework/Form.h"

// The results window. For now it only names the run it will show.
class FrmStampaEsercizio : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmStampaEsercizio");
    FrmStampaEsercizio();

protected:
    void build() override;
};
