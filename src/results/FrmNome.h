// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Controls.h"
#include "framework/Form.h"

#include <QKeyCombination>

class CommandTile;
class TileGroup;

// The label that shows the name being typed. Its caption is always the whole
// name; a name too wide for the label is drawn in a smaller size of the same
// font, down to a floor, and beyond that cut at the left so that the letters
// just typed stay in view.
class EtichettaNome : public Label {
    Q_OBJECT
public:
    static constexpr double kPuntiMinimi = 12;

    explicit EtichettaNome(QWidget* parent = nullptr);
    // The font the caption is drawn in at the label's present width.
    QFont fontMostrato() const;
    // True when even the smallest size does not fit and the left part is cut.
    bool tagliataASinistra() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The name window: the pupil types a name in capitals, shown large; "AVANTI"
// holds the focus and catches the keys, and a mouse press on it closes.
// Opened by a touch, it also shows a tile for every letter and one that
// erases, between the name and "AVANTI".
class FrmNome : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("frmNome");
    static constexpr int kLettere = 26;
    FrmNome();

    // Adds the letter tiles (once) and makes room for them.
    void MostraLettere();

protected:
    void build() override;
    void onLoad() override;
    void onActivate() override;
    QWidget* initialFocus() const override;

private:
    bool tastoNome(QKeyCombination tasto);

    Frame* fondo_ = nullptr;
    EtichettaNome* lblNome_ = nullptr;
    TileGroup* lettere_ = nullptr;
    TileGroup* option4_ = nullptr;
    CommandTile* avanti_ = nullptr;
};
