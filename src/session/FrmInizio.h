// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

class Frame;
class Label;
class TileGroup;

// The start window: the level choice, "Vai", "Esci" and the menus.
class FrmInizio : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmInizio");
    FrmInizio();

    TileGroup* livelli() const { return option2_; }
    TileGroup* vaiEsci() const { return option3_; }

    // The caption of the title's "Esercitazione" label (Label2), which the
    // certificate's title line quotes.
    QString didascaliaEsercitazione() const;

    void SceltaLivello(int indice);
    void SceltaVaiEsci(int indice);

protected:
    void build() override;
    void onUnload() override;
    QWidget* initialFocus() const override;

private:
    TileGroup* option2_ = nullptr;
    TileGroup* option3_ = nullptr;
    Frame* frame3_ = nullptr;
    Label* label6_ = nullptr;
    Label* label2_ = nullptr;
};
