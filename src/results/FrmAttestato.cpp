// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/FrmAttestato.h"

#include "core/Modulo2.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "results/Attestato.h"
#include "results/StampaAttestato.h"
#include "session/FineSessione.h"
#include "session/FrmInizio.h"

#include <QApplication>
#include <QPointer>

namespace {
const QColor kRosa = bgr(kRosaChiaro);

// The start window's title caption; the start window is open all session long.
QString didascaliaTitolo() {
    const auto* inizio = qobject_cast<const FrmInizio*>(Forms::find(FrmInizio::kName));
    return inizio ? inizio->didascaliaEsercitazione() : QStringLiteral("Esercitazione");
}
} // namespace

FrmAttestato::FrmAttestato() : Form(kName, QSizeF(11940, 8820), Kind::Scaled) {}

void FrmAttestato::build() {
    setWindowTitle(QStringLiteral("Form1"));
    setBackColor(kRosa);
    const QFont fontFinestra = designFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    setFont(fontFinestra);

    picture1_ = add<PictureBox>(client(), QStringLiteral("Picture1"), {0, -45, 6690, 8820});
    picture1_->setBackColor(QApplication::palette().color(QPalette::Base));
    picture1_->setForeColor(QApplication::palette().color(QPalette::Text));
    picture1_->setDrawFont(fontFinestra);

    Frame* frame4 = add<Frame>(client(), QStringLiteral("Frame4"), {6720, 6615, 5184, 2070});
    frame4->setBackColor(kRosa);
    frame4->setFrameStyle(QFrame::NoFrame);

    option5_ = new TileGroup(
        QStringLiteral("Option5"), [this](int i) { SceltaAttestato(i); }, this);
    option5_->setCommonColors();
    option5_->setSelection({{Qt::Key_1, 0}, {Qt::Key_2, 1}, {Qt::Key_3, 2}});
    const QFont fontTessere = designFont(QStringLiteral("Arial"), 12, true);
    const QString didascalie[] = {kStampaAttestato, QStringLiteral("TORNA ALLA FINESTRA PRECEDENTE"),
                                  QStringLiteral("FINE SESSIONE")};
    const double alto[] = {84, 732, 1368};
    for (int i = 0; i < 3; ++i) {
        CommandTile* t = addTile(option5_, frame4, didascalie[i], {96, alto[i], 5004, 630});
        t->setFont(fontTessere);
        t->setTextColor(bgr(kBlu));
    }
    // Tab positions: the picture box, then the tiles from the last up.
    setTabOrder(picture1_, option5_->tile(2));
    setTabOrder(option5_->tile(2), option5_->tile(1));
    setTabOrder(option5_->tile(1), option5_->tile(0));
}

QWidget* FrmAttestato::initialFocus() const {
    return picture1_;
}

void FrmAttestato::onLoad() {
    Modulo2& m = Modulo2::get();
    PreparaAttestato(m, didascaliaTitolo());
    CommandTile* stampa = option5_->tile(0);
    stampa->setCaption(didascaliaStampa(m.GiudizioAttestato));
    stampa->setEnabled(attestatoStampabile(m.GiudizioAttestato));
    righe_ = righeAttestato(m, platform::clock().shortDate());
    // The box takes the focus while its lines are still being drawn: the name
    // and the grade are heard with it at once.
    picture1_->setAccessibleDescription(attestatoDetto(m));
    connect(picture1_, &PictureBox::resized, this, &FrmAttestato::boxRidimensionato);
    DisegnaAttestato(true);
}

bool FrmAttestato::DisegnaAttestato(bool passoPasso) {
    QPointer<FrmAttestato> self(this);
    disegnoInCorso_ = true;
    ridisegna_ = true;
    while (ridisegna_) {
        ridisegna_ = false;
        ++disegni_;
        picture1_->clear();
        rigaDisegnata_ = 0;
        altoRighe_.clear();
        larghezzaDisegno_ = picture1_->width();
        for (int n = 1; n <= kRigheAttestato && !ridisegna_; ++n) {
            const StileRiga stile = stileRiga(n);
            picture1_->setDrawFont(designFont(stile.font, stile.punti, stile.grassetto));
            picture1_->setForeColor(bgr(stile.colore));
            altoRighe_.append(picture1_->currentY());
            const QString& testo = righe_[n - 1];
            if (testo.isEmpty()) {
                picture1_->setCurrentY(picture1_->currentY() + picture1_->textHeight());
                continue;
            }
            if (passoPasso) {
                if (!isVisible())
                    showForm();
                // The lines drawn so far appear, and the tiles answer, while drawing.
                QCoreApplication::processEvents();
                if (!self)
                    return false;
                if (isUnloading()) {
                    disegnoInCorso_ = false;
                    // The deletion held back while drawing may go ahead now.
                    if (eliminazioneRinviata_)
                        deleteLater();
                    return false;
                }
                // The window manager has resized the box: the lines drawn so
                // far are centred on the old width. The width may change
                // before its resize event arrives.
                if (rigaDisegnata_ > 0 && picture1_->width() != larghezzaDisegno_)
                    ridisegna_ = true;
                if (ridisegna_)
                    break;
            }
            larghezzaDisegno_ = picture1_->width();
            const double larghezza = picture1_->width();
            picture1_->setCurrentX(larghezza / 2 - picture1_->textWidth(testo) / 2);
            picture1_->printText(testo);
            rigaDisegnata_ = n;
        }
    }
    disegnoInCorso_ = false;
    return true;
}

void FrmAttestato::boxRidimensionato() {
    if (isUnloading() || picture1_->width() == larghezzaDisegno_)
        return;
    if (disegnoInCorso_)
        ridisegna_ = true;
    else if (rigaDisegnata_ > 0)
        DisegnaAttestato(false);
}

bool FrmAttestato::event(QEvent* e) {
    // Closed from an event run between two lines, the window must outlive the
    // drawing that is still on the stack; it is deleted once that has stopped.
    if (e->type() == QEvent::DeferredDelete && disegnoInCorso_) {
        eliminazioneRinviata_ = true;
        return true;
    }
    return Form::event(e);
}

void FrmAttestato::SceltaAttestato(int indice) {
    switch (indice) {
    case 0:
        if (option5_->tile(0)->isEnabled())
            StampaAttestato(righe_, altoRighe_, picture1_->size(), platform::printers());
        break;
    case 1:
        unload();
        break;
    case 2:
        FineSessione();
        break;
    default:
        break;
    }
}
