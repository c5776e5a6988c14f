// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/FrmNome.h"

#include "core/Modulo2.h"
#include "framework/CommandTile.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"

#include <QFontMetricsF>
#include <QKeySequence>
#include <QPainter>

namespace {
const QString kSegnaposto = QStringLiteral("?");

// The key of letter tile i: Qt numbers A to Z in a row.
Qt::Key tastoLettera(int i) {
    return Qt::Key(Qt::Key_A + i);
}

// The letter tiles: seven to a row, the erasing one two wide after "Z"; a
// cell is 50 by 46 pixels, above the 38 (1 cm) a finger needs.
constexpr int kColonne = 7;
constexpr double kSinistraLettere = 276;
constexpr double kAltoLettere = 2520;
constexpr double kLarghezzaLettera = 758;
constexpr double kAltezzaLettera = 690;
constexpr int kRigheLettere = (FrmNome::kLettere + 2 + kColonne - 1) / kColonne;
const QSizeF kProgetto(5835, 5520);
const QRectF kPostoAvanti(276, 3672, 5310, 804);
} // namespace

EtichettaNome::EtichettaNome(QWidget* parent) : Label(parent) {
    setWordWrap(false);
}

QFont EtichettaNome::fontMostrato() const {
    QFont f = font();
    const double larghezza = contentsRect().width();
    // Half a point at a time keeps the name as large as the label allows.
    for (double punti = font().pointSizeF(); punti >= kPuntiMinimi; punti -= 0.5) {
        f.setPointSizeF(punti);
        if (QFontMetricsF(f).horizontalAdvance(caption()) <= larghezza)
            return f;
    }
    f.setPointSizeF(kPuntiMinimi);
    return f;
}

bool EtichettaNome::tagliataASinistra() const {
    return QFontMetricsF(fontMostrato()).horizontalAdvance(caption()) > contentsRect().width();
}

void EtichettaNome::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(fontMostrato());
    p.setPen(foreColor());
    const Qt::Alignment orizzontale = tagliataASinistra() ? Qt::AlignRight : Qt::AlignHCenter;
    p.drawText(contentsRect(), int(orizzontale | Qt::AlignTop), caption());
}

FrmNome::FrmNome() : Form(kName, kProgetto, Kind::Fixed) {
    setBorderless(true);
}

void FrmNome::build() {
    Frame* fondo = add<Frame>(client(), QStringLiteral("frmNome"), {0, 0, 5808, 5508});
    fondo_ = fondo;
    fondo->setBackColor(bgr(kLavanda));
    fondo->setFrameStyle(QFrame::NoFrame);

    Label* label12 = add<Label>(fondo, QStringLiteral("Label12"), {465, 195, 4950, 465},
                                QStringLiteral("   SCRIVI  IL  TUO  NOME"));
    label12->setForeColor(bgr(kRossoScuro));
    label12->setFont(designFont(QStringLiteral("Arial"), 14.25, true));

    lblNome_ = add<EtichettaNome>(fondo, QStringLiteral("lblNome"), {285, 600, 5415, 765});
    lblNome_->setCaption(kSegnaposto);
    lblNome_->setForeColor(bgr(kRosso));
    lblNome_->setFont(designFont(QStringLiteral("Arial"), 24, true));
    connect(lblNome_, &Label::captionChanged, this, [this](const QString& caption) {
        if (!caption.isEmpty() && caption != kSegnaposto)
            Modulo2::get().NomeAlunno = caption;
        if (avanti_)
            avanti_->setFocus(Qt::OtherFocusReason);
    });

    Label* label9 = add<Label>(fondo, QStringLiteral("Label9"), {168, 1932, 5412, 492},
                               QStringLiteral("Presta attenzione all'ortografia"));
    label9->setFont(designFont(QStringLiteral("MS Sans Serif"), 12, true));

    // A press of any mouse button closes the window; Enter does not act.
    option4_ = new TileGroup(
        QStringLiteral("Option4"), [this](int) { unload(); }, this);
    // No focus colouring: the tile keeps its colour.
    option4_->setColors(bgr(kPesca), bgr(kPesca));
    option4_->setKeyHandler([this](QKeyCombination tasto, int) { return tastoNome(tasto); });
    avanti_ = addLoneTile(option4_, fondo, QStringLiteral("AVANTI"), kPostoAvanti);
    avanti_->setTextColor(bgr(kRosso));
    avanti_->setFont(designFont(QStringLiteral("Arial"), 14.25, true));
}

void FrmNome::MostraLettere() {
    if (lettere_)
        return;
    // A letter tile is its key: the same rules, the same limits; the last
    // tile is Backspace, the window's way to correct a name.
    lettere_ = new TileGroup(
        QStringLiteral("Lettera"),
        [this](int i) { tastoNome(i < kLettere ? tastoLettera(i) : Qt::Key_Backspace); }, this);
    lettere_->setColors(option4_->focusColor(), option4_->restColor());
    const QFont lettera = designFont(QStringLiteral("Arial"), 18, true);
    const QFont cancella = designFont(QStringLiteral("Arial"), 12, true);
    for (int i = 0; i <= kLettere; ++i) {
        const int riga = i / kColonne, colonna = i % kColonne;
        const QRectF posto(kSinistraLettere + colonna * kLarghezzaLettera,
                           kAltoLettere + riga * kAltezzaLettera, (i < kLettere ? 1 : 2) * kLarghezzaLettera,
                           kAltezzaLettera);
        CommandTile* t = addTile(
            lettere_, fondo_,
            i < kLettere ? QKeySequence(tastoLettera(i)).toString() : QStringLiteral("Cancella"), posto);
        t->setFont(i < kLettere ? lettera : cancella);
        t->setTextColor(avanti_->textColor());
        // "AVANTI" keeps the focus and with it the keys.
        t->setFocusPolicy(Qt::NoFocus);
        t->show();
    }
    // "AVANTI" goes under the letters, and the window grows by as much.
    const double spazio = kAltoLettere + kRigheLettere * kAltezzaLettera + 120 - kPostoAvanti.top();
    placeTwips(avanti_, kPostoAvanti.translated(0, spazio));
    QRectF fondo = twipsRect(fondo_);
    fondo.setHeight(fondo.height() + spazio);
    placeTwips(fondo_, fondo);
    setFixedDesignSize(kProgetto + QSizeF(0, spazio));
}

void FrmNome::onLoad() {
    Modulo2::get().NomeAlunno = lblNome_->caption();
    avanti_->resetPressed();
}

void FrmNome::onActivate() {
    avanti_->resetPressed();
}

QWidget* FrmNome::initialFocus() const {
    return avanti_;
}

bool FrmNome::tastoNome(QKeyCombination combinazione) {
    const Qt::Key tasto = combinazione.key();
    if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z) {
        if (lblNome_->caption() == kSegnaposto)
            lblNome_->setCaption(QString());
        // The key's own letter is the capital, whatever Shift or Caps Lock say.
        lblNome_->setCaption(lblNome_->caption() + QKeySequence(tasto).toString());
        return true;
    }
    switch (tasto) {
    case Qt::Key_Backspace: {
        QString nome = lblNome_->caption();
        nome.chop(1);
        lblNome_->setCaption(nome.isEmpty() ? kSegnaposto : nome);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Modulo2::get().NomeAlunno = lblNome_->caption();
        return true;
    case Qt::Key_1:
    case Qt::Key_2:
        // The main row's only: the keypad's are swallowed as any other key.
        return !combinazione.keyboardModifiers().testFlag(Qt::KeypadModifier);
    default:
        // Every other key is swallowed and leaves the guard clear.
        return false;
    }
}
