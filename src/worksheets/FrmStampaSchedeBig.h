// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"
#include "worksheets/Schede.h"

#include <array>

class Button;
class Frame;
class Label;
class TileGroup;
class QGroupBox;

// The worksheet window: the teacher picks a range, makes a pupil worksheet of
// sixty operations, previews it or its teacher version with the answers, and
// prints either one.
class FrmStampaSchedeBig : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmStampaSchedeBig");
    FrmStampaSchedeBig();
    ~FrmStampaSchedeBig() override;

    // The worksheet's own range, level text and last operation.
    const StatoScheda& stato() const { return stato_; }
    TileGroup* livelli() const { return option2_; }

    void SceltaLivelloScheda(int indice);
    void NuovaScheda();
    void SchedaAlunni();
    void SchedaDocenti();
    void StampaAlunni();
    void StampaDocenti();

protected:
    void build() override;
    void onLoad() override;
    void onActivate() override;
    void onDeactivate() override;
    QWidget* initialFocus() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPreview();
    void buildCommands();
    void buildHiddenOptions(QWidget* frame8);
    QGroupBox* addCaptionedFrame(QWidget* container, const QString& name, const QString& caption,
                                 const QRectF& twips);
    void svuotaAnteprima(const QString& testo);
    void stampa(qint16 tipo, const QString& piede);

    StatoScheda stato_;
    // Whether a pupil worksheet has been made in this window.
    bool schedaFatta_ = false;
    // The footer of the version being printed.
    QString testoPiede_;
    Label* label2_ = nullptr;
    std::array<Label*, kRigheScheda> lblOp_{};
    TileGroup* option2_ = nullptr;
    QGroupBox* frame3_ = nullptr;
    QGroupBox* frame4_ = nullptr;
    Button* cmdSchedaAlunni_ = nullptr;
    Button* cmdStampaAlunni_ = nullptr;
    Button* cmdSchedaDocenti_ = nullptr;
    Button* cmdStampaDocenti_ = nullptr;
    // Tells a return from one of the program's message boxes from any other activation.
    // The window last lost the activation to one of the program's messages.
    bool lasciataPerMessaggio_ = false;
};
