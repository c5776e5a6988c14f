// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

class PictureBox;
class TileGroup;

// The certificate window: draws the certificate of merit line by line on
// Picture1, prints it, goes back to the results window or ends the session.
class FrmAttestato : public Form {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("FrmAttestato");
    FrmAttestato();

    TileGroup* scelte() const { return option5_; }
    // The number of the last line drawn, 0 before the first.
    int rigaDisegnata() const { return rigaDisegnata_; }
    bool disegnoInCorso() const { return disegnoInCorso_; }

    void SceltaAttestato(int indice);

protected:
    void build() override;
    void onLoad() override;
    QWidget* initialFocus() const override;
    bool event(QEvent* event) override;

private:
    // Draws the 25 lines; false when the window was closed meanwhile, in
    // which case nothing of it may be touched any more.
    bool DisegnaAttestato();

    PictureBox* picture1_ = nullptr;
    TileGroup* option5_ = nullptr;
    int rigaDisegnata_ = 0;
    bool disegnoInCorso_ = false;
    bool eliminazioneRinviata_ = false;
};
