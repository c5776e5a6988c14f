// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

#include <QKeyCombination>
#include <array>

class CommandTile;
class Frame;
class Label;
class LineControl;
class TileGroup;
class QAction;

// The exercise window: one operation at a time, the keypad, the help question,
// the program's intervention and the end-of-run notice.
class FrmOperativo : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmOperativo");
    FrmOperativo();

    // The level text in the banner.
    void setTestoBanner(const QString& testo);

    TileGroup* tastierino() const { return option2_; }
    TileGroup* aiuto() const { return option3_; }
    TileGroup* avviso() const { return optAvviso_; }
    TileGroup* intervento() const { return optOK_; }

    // Run
    void NuovaSerie();
    void NuovoEsercizio();
    void NuovaOperazione();
    void AggiornaTempi();
    void ControllaFine();
    // Disables the four panels, all but the one about to be put in use.
    void DisabilitaPannelli(Frame* inUso = nullptr);
    // Keypad
    void PremiTasto(int indice);
    void AttivaTastierino();
    void TastierinoAvanti();
    // Checking and help
    void VerificaRisposta();
    void SiSi();
    void NoNo();
    // Crosses and frames
    void PosizionaCroci();
    void AllineaRiquadri();
    void NascondiCroci();
    void MostraCroce();

protected:
    void build() override;
    void onLoad() override;
    void afterRescale() override;
    QWidget* initialFocus() const override;

private:
    void buildTop();
    void buildRow();
    void buildResults();
    void buildPanels();
    bool tastoTastierino(QKeyCombination tasto, int indice);
    void mostraPannello(Frame* pannello);
    void visualizzaEsercizio();
    void allineaCorrezione();
    // What a screen reader says when the focus moves on after "Verifica",
    // "SI" or "OK"; and the answer typed so far, read with the keypad's tiles.
    void annunciaEsito(const QString& esito);
    void descriviRisposta();
    Label* numero(int k) const;
    Label* etichettaNascosta() const;

    Label* label2_ = nullptr;
    Frame* fraNumero_ = nullptr;
    std::array<Label*, 4> numeri_{};
    Label* lblSegno_ = nullptr;
    Label* lblSegno2_ = nullptr;
    Label* lblCorrezione_ = nullptr;
    std::array<LineControl*, 4> line1_{};
    std::array<LineControl*, 4> line2_{};
    Label* lblOperazione_ = nullptr;
    Label* lblRisEsatte_ = nullptr;
    Label* lblRisErrate_ = nullptr;
    Label* lblTempoParziale_ = nullptr;
    Label* lblTempoTotale_ = nullptr;
    Label* lblEsito_ = nullptr;
    Label* lblRiferimento_ = nullptr;
    Frame* fraTastierino_ = nullptr;
    Frame* fraAiuto_ = nullptr;
    Frame* fraAvviso_ = nullptr;
    Frame* fraIntervento_ = nullptr;
    TileGroup* option2_ = nullptr;
    TileGroup* option3_ = nullptr;
    TileGroup* optAvviso_ = nullptr;
    TileGroup* optOK_ = nullptr;
    QAction* mnuVisualizzaEsercizio_ = nullptr;
};
