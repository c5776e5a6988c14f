// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FrmInizio.h"

#include "core/Livelli.h"
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/Accessibility.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "session/FineSessione.h"
#include "session/FrmAutore.h"
#include "session/Immagini.h"
#include "worksheets/FrmStampaSchedeBig.h"

#include <QAction>

FrmInizio::FrmInizio() : Form(kName, QSizeF(11925, 8340), Kind::Scaled) {}

void FrmInizio::build() {
    setWindowTitle(QStringLiteral("PONTEL0 (addizioni o sottrazioni)"));
    setWindowIcon(iconaProgramma());
    setBackColor(bgr(0x00FFFFC0));
    QWidget* w = client();

    const QColor focus = bgr(0x00FFFF80);
    const QColor rest = bgr(0x00FFFFC0);
    const QFont tileFont = designFont(QStringLiteral("Arial"), 18, true);
    option2_ = new TileGroup(
        QStringLiteral("Option2"), [this](int i) { SceltaLivello(i); }, this);
    option3_ = new TileGroup(
        QStringLiteral("Option3"), [this](int i) { SceltaVaiEsci(i); }, this);
    for (TileGroup* g : {option2_, option3_}) {
        g->setColors(focus, rest);
        g->setSelection({{Qt::Key_1, 0}, {Qt::Key_2, 1}});
    }
    auto styleTile = [&](CommandTile* t) {
        t->setFont(tileFont);
        t->setTextColor(bgr(kBluScuro));
    };

    // "Esci" lies over Frame3's area without belonging to it, so that it stays
    // usable while the frame is disabled.
    frame3_ = add<Frame>(w, QStringLiteral("Frame3"), {6555, 3750, 4230, 3015});
    frame3_->setBackColor(rest);
    frame3_->setFrameStyle(QFrame::NoFrame);
    CommandTile* vai = addTile(option3_, frame3_, QStringLiteral("Vai"), {60, 105, 4110, 1140});
    CommandTile* esci = addTile(option3_, w, QStringLiteral("Esci"), {6645, 5340, 4110, 1140});
    styleTile(vai);
    styleTile(esci);
    frame3_->setEnabled(false);

    Frame* frame2 = add<Frame>(w, QStringLiteral("Frame2"), {1380, 3705, 4635, 2985});
    frame2->setBackColor(rest);
    frame2->setFrameStyle(QFrame::NoFrame);
    CommandTile* liv0 =
        addTile(option2_, frame2, QStringLiteral("Numero max da 10 a 40"), {90, 105, 4485, 840});
    CommandTile* liv1 =
        addTile(option2_, frame2, QStringLiteral("Numero max da 30 a 70"), {90, 990, 4485, 840});
    CommandTile* liv2 =
        addTile(option2_, frame2, QStringLiteral("Numero max da 50 a 99"), {90, 1860, 4485, 840});
    for (CommandTile* t : {liv0, liv1, liv2})
        styleTile(t);
    liv0->setBackColor(focus);

    Frame* titolo = add<Frame>(w, QStringLiteral("frmTitolo"), {30, 90, 11745, 1905});
    titolo->setBackColor(rest);
    titolo->setFrameStyle(QFrame::NoFrame);
    const QColor blu = bgr(kBlu);
    // Created back to front so that the texts lie over the rounded rectangles.
    add<Shape>(titolo, QStringLiteral("Shape1"), {90, 90, 8400, 1785}, bgr(0x00C0C000));
    add<Shape>(titolo, QStringLiteral("Shape2"), {0, 60, 8400, 1785}, bgr(0x00FFFF80));
    add<Shape>(titolo, QStringLiteral("Shape3"), {8670, 90, 3000, 1785}, bgr(0x00C0C000));
    add<Shape>(titolo, QStringLiteral("Shape4"), {8685, 60, 2910, 1785}, bgr(0x00FFFF80));
    Label* label3 = add<Label>(titolo, QStringLiteral("Label3"), {180, 1305, 7680, 465},
                               QStringLiteral("Operazioni in  riga"));
    label3->setFont(designFont(QStringLiteral("Arial"), 18, false));
    label3->setForeColor(blu);
    Label* label7 = add<Label>(titolo, QStringLiteral("Label7"), {8850, 420, 2280, 420},
                               QStringLiteral("Ver. " PONTELO_VERSION));
    label7->setFont(designFont(QStringLiteral("Arial"), 12, true));
    label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label* label1 = add<Label>(titolo, QStringLiteral("Label1"), {195, 870, 7680, 465},
                               QStringLiteral("CON ADDIZIONI E SOTTRAZIONI"));
    label1->setFont(designFont(QStringLiteral("Arial"), 18, false));
    label1->setForeColor(blu);
    Label* label4 =
        add<Label>(titolo, QStringLiteral("Label4"), {180, 150, 7845, 720}, QStringLiteral("IL PONTELO + -"));
    label4->setFont(designFont(QStringLiteral("Arial"), 36, true));
    label4->setForeColor(blu);

    label6_ = add<Label>(w, QStringLiteral("Label6"), {510, 2010, 9585, 600});
    label6_->setFont(designFont(QStringLiteral("MS Sans Serif"), 18, true));
    label6_->setForeColor(bgr(kRossoScuro));
    label6_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label* label2 = label2_ =
        add<Label>(w, QStringLiteral("Label2"), {9720, 900, 1635, 285}, QStringLiteral("Esercitazione"));
    label2->setFont(designFont(QStringLiteral("Arial"), 12, true));
    label2->setForeColor(bgr(kBluScuro));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* image1 = add<Picture>(w, QStringLiteral("Image1"), {240, 2760, 4560, 4560}, immagineInizio());
    image1->setAccessibleName(QStringLiteral("Il Pontelo"));

    Label* label5 = add<Label>(w, QStringLiteral("Label5"), {240, 7470, 4800, 465},
                               QStringLiteral("Progetto Il Pontelo"));
    label5->setFont(designFont(QStringLiteral("Arial"), 18, true));
    label5->setForeColor(bgr(kRossoScuro));
    label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The picture and the decorations lie under the frames and tiles that
    // overlap them; "Esci" lies over Frame3's area and stays on top of it.
    image1->lower();
    esci->raise();

    QAction* stampaSchede = addMenuItem(QStringLiteral("frmStampaSchede"), QStringLiteral("Stampa schede"));
    connect(stampaSchede, &QAction::triggered, this, [] { Forms::get<FrmStampaSchedeBig>().showForm(); });
    QAction* autore = addMenuItem(QStringLiteral("mnuAutore"), QStringLiteral("About"));
    connect(autore, &QAction::triggered, this, [this] { Forms::get<FrmAutore>().showForm(this); });

    // Tab positions: the level tiles 0, 2, 1, then "Vai", then "Esci".
    setTabOrder(liv0, liv2);
    setTabOrder(liv2, liv1);
    setTabOrder(liv1, vai);
    setTabOrder(vai, esci);
}

QWidget* FrmInizio::initialFocus() const {
    return option2_->tile(0);
}

void FrmInizio::SceltaLivello(int indice) {
    const Livello& livello = livelloInizio(indice);
    Modulo2& m = Modulo2::get();
    m.NumMin = livello.numMin;
    m.NumMax = livello.numMax;
    m.TestoLivello = livello.testo;
    label6_->setCaption(m.TestoLivello);
    // Creates and loads the exercise window the first time, after the level is stored.
    Forms::get<FrmOperativo>().setTestoBanner(m.TestoLivello);
    frame3_->setEnabled(true);
    // The level chosen is heard with "Vai", where the focus goes.
    accessibility::setNews(option3_->tile(0), m.TestoLivello);
    option3_->focusTile(0);
}

void FrmInizio::SceltaVaiEsci(int indice) {
    if (indice == 0)
        Forms::get<FrmOperativo>().showForm();
    else
        FineSessione();
}

void FrmInizio::onUnload() {
    FineSessione();
}

QString FrmInizio::didascaliaEsercitazione() const {
    return label2_->caption();
}
