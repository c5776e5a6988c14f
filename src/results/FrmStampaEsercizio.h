// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Modulo2.h"
#include "framework/Form.h"

#include <array>

class Label;
class TileGroup;
class QAction;

// The results window: the run's records and total time, their printout, and
// the way on to the pupil's name, the certificate and the printer choice.
class FrmStampaEsercizio : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmStampaEsercizio");
    FrmStampaEsercizio();

    TileGroup* comandi() const { return option1_; }

    // The tiles' action procedure.
    void SceltaRisultati(int indice);

protected:
    void build() override;
    void onLoad() override;
    QWidget* initialFocus() const override;

private:
    void caricaRighe(const QString& fontStampante);
    void scegliStampante();

    std::array<Label*, kOperazioniPerSerie> lblOp_{};
    Label* label1_ = nullptr;
    Label* label2_ = nullptr;
    TileGroup* option1_ = nullptr;
    QAction* mnuScegli_ = nullptr;
};
