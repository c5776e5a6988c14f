// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

#include <QList>
#include <QStringList>

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
    // How many times the certificate has been drawn from the top.
    int disegni() const { return disegni_; }

    void SceltaAttestato(int indice);

protected:
    void build() override;
    void onLoad() override;
    QWidget* initialFocus() const override;
    bool event(QEvent* event) override;

private:
    // Draws the 25 lines, letting the window's events run before each one
    // when `passoPasso`; false when the window was closed meanwhile, in
    // which case nothing of it may be touched any more. The lines are centred
    // on the box as it is when each is drawn: if the box changes size on the
    // way, the drawing starts again from the top.
    bool DisegnaAttestato(bool passoPasso);
    void boxRidimensionato();

    PictureBox* picture1_ = nullptr;
    TileGroup* option5_ = nullptr;
    int rigaDisegnata_ = 0;
    bool disegnoInCorso_ = false;
    bool ridisegna_ = false;
    // The box's width the lines drawn so far are centred on.
    int larghezzaDisegno_ = -1;
    int disegni_ = 0;
    QStringList righe_;
    // The top of each line on the box, in pixels, as last drawn.
    QList<double> altoRighe_;
    bool eliminazioneRinviata_ = false;
};
