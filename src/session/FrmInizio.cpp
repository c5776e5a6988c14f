// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/FrmInizio.h"

#include "core/Livelli.h"
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
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

FrmInizio::FrmInizio() : Form(kName, QSizeF(11925, 8340), true, Placement::Maximised) {}

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
        t->setTextColor(bgr(0x00800000));
    };

    // Frame3 and the tiles are created in an order that lets "Esci" lie over
    // Frame3 without belonging to it; the control collection keeps the
    // window's own order below.
    frame3_ = new Frame(w);
    frame3_->setObjectName(QStringLiteral("Frame3"));
    placeTwips(frame3_, {6555, 3750, 4230, 3015});
    frame3_->setBackColor(rest);
    frame3_->setFrameStyle(QFrame::NoFrame);
    CommandTile* vai = option3_->addTile(frame3_, QStringLiteral("Vai"), {60, 105, 4110, 1140});
    CommandTile* esci = option3_->addTile(w, QStringLiteral("Esci"), {6645, 5340, 4110, 1140});
    styleTile(vai);
    styleTile(esci);
    addControl(esci);
    addControl(frame3_);
    addControl(vai);
    frame3_->setEnabled(false);

    Frame* frame2 = addFrame(w, QStringLiteral("Frame2"), {1380, 3705, 4635, 2985});
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

    Frame* titolo = addFrame(w, QStringLiteral("frmTitolo"), {30, 90, 11745, 1905});
    titolo->setBackColor(rest);
    titolo->setFrameStyle(QFrame::NoFrame);
    const QColor blu = bgr(0x00C00000);
    // Created back to front so that the texts lie over the rounded rectangles.
    auto shape = [&](const QString& name, const QRectF& r, quint32 fill) {
        auto* s = new Shape(titolo, bgr(fill));
        s->setObjectName(name);
        placeTwips(s, r);
        return s;
    };
    Shape* shape1 = shape(QStringLiteral("Shape1"), {90, 90, 8400, 1785}, 0x00C0C000);
    Shape* shape2 = shape(QStringLiteral("Shape2"), {0, 60, 8400, 1785}, 0x00FFFF80);
    Shape* shape3 = shape(QStringLiteral("Shape3"), {8670, 90, 3000, 1785}, 0x00C0C000);
    Shape* shape4 = shape(QStringLiteral("Shape4"), {8685, 60, 2910, 1785}, 0x00FFFF80);
    Label* label3 = addLabel(titolo, QStringLiteral("Label3"), QStringLiteral("Operazioni in  riga"),
                             {180, 1305, 7680, 465});
    label3->setFont(designFont(QStringLiteral("Arial"), 18, false));
    label3->setForeColor(blu);
    Label* label7 = addLabel(titolo, QStringLiteral("Label7"), QStringLiteral("Ver. " PONTELO_VERSION),
                             {8850, 420, 2280, 420});
    label7->setFont(designFont(QStringLiteral("Arial"), 12, true));
    label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addControl(shape4);
    addControl(shape3);
    Label* label1 = addLabel(titolo, QStringLiteral("Label1"), QStringLiteral("CON ADDIZIONI E SOTTRAZIONI"),
                             {195, 870, 7680, 465});
    label1->setFont(designFont(QStringLiteral("Arial"), 18, false));
    label1->setForeColor(blu);
    Label* label4 =
        addLabel(titolo, QStringLiteral("Label4"), QStringLiteral("IL PONTELO + -"), {180, 150, 7845, 720});
    label4->setFont(designFont(QStringLiteral("Arial"), 36, true));
    label4->setForeColor(blu);
    addControl(shape2);
    addControl(shape1);

    label6_ = addLabel(w, QStringLiteral("Label6"), QString(), {510, 2010, 9585, 600});
    label6_->setFont(designFont(QStringLiteral("MS Sans Serif"), 18, true));
    label6_->setForeColor(bgr(0x000000C0));
    label6_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label* label2 = label2_ =
        addLabel(w, QStringLiteral("Label2"), QStringLiteral("Esercitazione"), {9720, 900, 1635, 285});
    label2->setFont(designFont(QStringLiteral("Arial"), 12, true));
    label2->setForeColor(bgr(0x00800000));
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* image1 = new Picture(w, immagineInizio());
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setAccessibleName(QStringLiteral("Il Pontelo"));
    placeTwips(image1, {240, 2760, 4560, 4560});
    addControl(image1);

    Label* label5 =
        addLabel(w, QStringLiteral("Label5"), QStringLiteral("Progetto Il Pontelo"), {240, 7470, 4800, 465});
    label5->setFont(designFont(QStringLiteral("Arial"), 18, true));
    label5->setForeColor(bgr(0x000000C0));
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
