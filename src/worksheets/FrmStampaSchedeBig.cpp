// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/FrmStampaSchedeBig.h"

#include "framework/Accessibility.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "printing/FrmSceltaStampante.h"
#include "worksheets/StampaScheda.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>
#include <utility>

namespace {
const QColor kSfondo = bgr(kPesca);

// Tops of the ten lines of each block of the preview, in twips within Frame1.
constexpr double kTopAlto[2][10] = {{285, 495, 705, 915, 1125, 1335, 1545, 1755, 1965, 2175},
                                    {285, 495, 705, 915, 1140, 1335, 1545, 1755, 1965, 2175}};
constexpr double kTopMedio[2][10] = {{2445, 2670, 2895, 3120, 3345, 3570, 3765, 3975, 4185, 4395},
                                     {2445, 2670, 2895, 3120, 3345, 3570, 3765, 3990, 4200, 4410}};
constexpr double kTopBasso[10] = {4680, 4905, 5115, 5325, 5535, 5745, 5955, 6165, 6375, 6600};

QRectF posizioneRiga(int i) {
    const int blocco = (i - 1) / 10, k = (i - 1) % 10;
    const double left = blocco % 2 == 0 ? 135 : 4500;
    const double top = blocco < 2   ? kTopAlto[blocco][k]
                       : blocco < 4 ? kTopMedio[blocco - 2][k]
                                    : kTopBasso[k];
    return {left, top, 3900, i == 3 ? 255.0 : 225.0};
}
} // namespace

FrmStampaSchedeBig::FrmStampaSchedeBig() : Form(kName, QSizeF(11910, 8340), Kind::Scaled) {}

FrmStampaSchedeBig::~FrmStampaSchedeBig() = default;

void FrmStampaSchedeBig::build() {
    setWindowTitle(QStringLiteral("IL PONTELO -"));
    setBackColor(kSfondo);
    QWidget* w = client();
    const QFont banner = designFont(QStringLiteral("Arial"), 18, true);
    Label* label1 = add<Label>(w, QStringLiteral("Label1"), {0, -15, 11910, 390});
    label2_ = add<Label>(w, QStringLiteral("Label2"), {0, 375, 11910, 390});
    for (Label* l : {label1, label2_}) {
        l->setBackColor(bgr(kLavanda));
        l->setForeColor(bgr(kRossoScuro));
        l->setFont(banner);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setTextFormat(Qt::PlainText);
    }
    buildPreview();
    buildCommands();

    QAction* stampante =
        addMenuItem(QStringLiteral("mnuStampante"), QStringLiteral("Scelta della Stampante"));
    // Queued, as the results window's: the menu's call returns before the
    // choice waits modally.
    connect(
        stampante, &QAction::triggered, this, [this] { Forms::get<FrmSceltaStampante>().showModal(this); },
        Qt::QueuedConnection);
}

void FrmStampaSchedeBig::buildPreview() {
    Frame* frame1 = add<Frame>(client(), QStringLiteral("Frame1"), {255, 750, 8715, 7020});
    frame1->setBackColor(kSfondo);
    frame1->setFrameStyle(QFrame::NoFrame);
    const QFont righe = designFont(QStringLiteral("Courier New"), 8.25, false);
    for (int i = 1; i <= kRigheScheda; ++i) {
        Label* l = add<Label>(frame1, QStringLiteral("LblOp(%1)").arg(i), posizioneRiga(i));
        l->setBackColor(kSfondo);
        l->setFont(righe);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setTextFormat(Qt::PlainText);
        // A line too long for its place is cut at the edge rather than
        // folded under the line below.
        l->setWordWrap(false);
        lblOp_[static_cast<size_t>(i - 1)] = l;
    }
    // The preview is read as one text, line after line.
    frame1->setAccessibleName(QStringLiteral("Anteprima della scheda"));
    accessibility::readAsOneText(frame1, QList<Label*>(lblOp_.begin(), lblOp_.end()), QStringLiteral("\n"));
}

QGroupBox* FrmStampaSchedeBig::addCaptionedFrame(QWidget* container, const QString& name,
                                                 const QString& caption, const QRectF& twips) {
    auto* frame = add<QGroupBox>(container, name, twips);
    frame->setTitle(caption);
    frame->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    return frame;
}

void FrmStampaSchedeBig::buildCommands() {
    QWidget* w = client();
    // Frame8 first, so that Frame2 lies in front of its upper part.
    Frame* frame8 = add<Frame>(w, QStringLiteral("Frame8"), {9000, 1110, 2955, 6615});
    frame8->setBackColor(kSfondo);
    frame8->setFrameStyle(QFrame::NoFrame);

    const QFont bottoni = designFont(QStringLiteral("Arial"), 8.25, false);
    auto bottone = [&](QWidget* frame, const QString& name, const QString& caption, double top) {
        Button* b = add<Button>(frame, name, {90, top, 2655, 525}, caption);
        b->setBackColor(kSfondo);
        b->setFont(bottoni);
        return b;
    };
    frame3_ =
        addCaptionedFrame(frame8, QStringLiteral("Frame3"), QStringLiteral("ALUNNI"), {30, 3135, 2835, 1395});
    cmdSchedaAlunni_ =
        bottone(frame3_, QStringLiteral("CmdSchedaAlunni"), QStringLiteral("VISUALIZZA SCHEDA ALUNNI"), 210);
    cmdStampaAlunni_ =
        bottone(frame3_, QStringLiteral("CmdStampaAlunni"), QStringLiteral("STAMPA SCHEDA "), 765);
    frame4_ = addCaptionedFrame(frame8, QStringLiteral("Frame4"), QStringLiteral("DOCENTI"),
                                {45, 4605, 2835, 1365});
    cmdSchedaDocenti_ = bottone(frame4_, QStringLiteral("CmdSchedaDocenti"),
                                QStringLiteral("VISUALIZZA SCHEDA DOCENTI"), 210);
    cmdStampaDocenti_ =
        bottone(frame4_, QStringLiteral("CmdStampaDocenti"), QStringLiteral("STAMPA SCHEDA"), 765);
    for (QGroupBox* f : {frame3_, frame4_}) {
        f->setEnabled(false);
        f->setAutoFillBackground(true);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, kSfondo);
        f->setPalette(p);
    }
    cmdStampaAlunni_->hide();
    cmdStampaDocenti_->hide();

    Button* ricomincia = add<Button>(frame8, QStringLiteral("CmdRicomincia"), {60, 5985, 2835, 540},
                                     QStringLiteral("Cancella scheda"));
    ricomincia->setBackColor(bgr(0x008080FF));
    ricomincia->setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    buildHiddenOptions(frame8);

    Frame* frame2 = add<Frame>(w, QStringLiteral("Frame2"), {9015, 2280, 2835, 1815});
    frame2->setBackColor(kSfondo);
    frame2->setFrameStyle(QFrame::NoFrame);
    option2_ = new TileGroup(
        QStringLiteral("Option2"), [this](int i) { SceltaLivelloScheda(i); }, this);
    option2_->setCommonColors();
    option2_->setSelection({{Qt::Key_1, 0}, {Qt::Key_2, 1}});
    const QFont tessere = designFont(QStringLiteral("Arial"), 12, false);
    const QString captions[3] = {QStringLiteral("tra 10 e 40"), QStringLiteral("tra 30 e 70"),
                                 QStringLiteral("tra 50 e 99")};
    const double tops[3] = {120, 660, 1215};
    for (int k = 0; k < 3; ++k) {
        CommandTile* t = addTile(option2_, frame2, captions[k], {90, tops[k], 2655, 525});
        t->setFont(tessere);
        t->setTextColor(bgr(kBluScuro));
    }

    Button* esci =
        add<Button>(w, QStringLiteral("Command1"), {9060, 7695, 2925, 525}, QStringLiteral("ESCI"));
    esci->setFont(designFont(QStringLiteral("Arial"), 12, true));

    // A print button shows once its "VISUALIZZA" button has the focus, by mouse or keyboard.
    for (Button* b : {cmdSchedaAlunni_, cmdSchedaDocenti_})
        b->installEventFilter(this);
    connect(cmdSchedaAlunni_, &QPushButton::clicked, this, [this] { SchedaAlunni(); });
    connect(cmdSchedaDocenti_, &QPushButton::clicked, this, [this] { SchedaDocenti(); });
    connect(cmdStampaAlunni_, &QPushButton::clicked, this, [this] { StampaAlunni(); });
    connect(cmdStampaDocenti_, &QPushButton::clicked, this, [this] { StampaDocenti(); });
    connect(ricomincia, &QPushButton::clicked, this, [this] { NuovaScheda(); });
    connect(esci, &QPushButton::clicked, this, [this] { unload(); });

    setTabOrder(option2_->tile(0), option2_->tile(1));
    setTabOrder(option2_->tile(1), option2_->tile(2));
    setTabOrder(option2_->tile(2), cmdSchedaAlunni_);
    setTabOrder(cmdSchedaAlunni_, cmdStampaAlunni_);
    setTabOrder(cmdStampaAlunni_, cmdSchedaDocenti_);
    setTabOrder(cmdSchedaDocenti_, cmdStampaDocenti_);
    setTabOrder(cmdStampaDocenti_, ricomincia);
    setTabOrder(ricomincia, esci);
}

void FrmStampaSchedeBig::buildHiddenOptions(QWidget* frame8) {
    // Choices of the number of exercises, of operations and of the hidden
    // term. A worksheet always has six exercises of ten operations with any
    // term hidden, so the frames stay hidden and their options do nothing.
    auto opzione = [&](QWidget* frame, const QString& name, const QString& caption, double top, bool scelta) {
        auto* o = add<QRadioButton>(frame, name, {60, top, 2640, 255});
        o->setText(caption);
        o->setChecked(scelta);
    };
    QGroupBox* frame5 =
        addCaptionedFrame(frame8, QStringLiteral("Frame5"), QStringLiteral("Esercizi"), {30, 60, 2835, 1050});
    opzione(frame5, QStringLiteral("Opt1"), QStringLiteral("2 esercizi"), 240, false);
    opzione(frame5, QStringLiteral("Opt2"), QStringLiteral("4 esercizi"), 500, false);
    opzione(frame5, QStringLiteral("Opt3"), QStringLiteral("6 esercizi"), 760, true);
    QGroupBox* frame6 = addCaptionedFrame(frame8, QStringLiteral("Frame6"), QStringLiteral("Operazioni"),
                                          {30, 1140, 2835, 800});
    opzione(frame6, QStringLiteral("Opt5"), QStringLiteral("5 operazioni per esercizio"), 240, false);
    opzione(frame6, QStringLiteral("Opt10"), QStringLiteral("10 operazioni per esercizio"), 500, true);
    for (QGroupBox* f : {frame5, frame6}) {
        f->setAutoFillBackground(true);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, bgr(0x00FF8080));
        f->setPalette(p);
    }
    Frame* frame7 = add<Frame>(frame8, QStringLiteral("Frame7"), {30, 1980, 2835, 1050});
    opzione(frame7, QStringLiteral("Option1(0)"), QStringLiteral("Risultato"), 60, false);
    opzione(frame7, QStringLiteral("Option1(1)"), QStringLiteral("Un termine"), 330, false);
    opzione(frame7, QStringLiteral("Option1(2)"), QStringLiteral("Risultato o termine"), 600, false);
    for (QWidget* f :
         {static_cast<QWidget*>(frame5), static_cast<QWidget*>(frame6), static_cast<QWidget*>(frame7)})
        f->hide();
}

void FrmStampaSchedeBig::onLoad() {
    label2_->setCaption(Modulo2::get().TestoLivello);
    Modulo2::get().TipoScheda = 1;
}

QWidget* FrmStampaSchedeBig::initialFocus() const {
    return option2_->tile(0);
}

// The program's own message boxes (a missing font, a printing failure, the
// name of a PDF file) take the activation too; coming back from one of them
// leaves the worksheet as it was, coming back from anything else starts a
// new one.
void FrmStampaSchedeBig::onDeactivate() {
    lasciataPerMessaggio_ = MessageBox::showing();
}

void FrmStampaSchedeBig::onActivate() {
    if (std::exchange(lasciataPerMessaggio_, false))
        return;
    NuovaScheda();
}

bool FrmStampaSchedeBig::eventFilter(QObject* watched, QEvent* event) {
    // The focus a button gets back with its window is no new focus.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
        if (watched == cmdSchedaAlunni_)
            cmdStampaAlunni_->show();
        else if (watched == cmdSchedaDocenti_)
            cmdStampaDocenti_->show();
    }
    return Form::eventFilter(watched, event);
}

void FrmStampaSchedeBig::svuotaAnteprima(const QString& testo) {
    for (Label* l : lblOp_)
        l->setCaption(testo);
}

void FrmStampaSchedeBig::SceltaLivelloScheda(int indice) {
    svuotaAnteprima(QString());
    ::SceltaLivelloScheda(stato_, indice);
    label2_->setCaption(stato_.TestoLivello);
    frame3_->setEnabled(true);
    frame4_->setEnabled(true);
}

void FrmStampaSchedeBig::NuovaScheda() {
    cmdStampaAlunni_->hide();
    cmdStampaDocenti_->hide();
    svuotaAnteprima(QString());
}

void FrmStampaSchedeBig::SchedaAlunni() {
    Modulo2& m = Modulo2::get();
    m.TipoScheda = 1;
    svuotaAnteprima(QStringLiteral("a"));
    generaSchedaAlunni(stato_, m, platform::random(), platform::clock());
    schedaFatta_ = true;
    for (int i = 1; i <= kRigheScheda; ++i)
        lblOp_[static_cast<size_t>(i - 1)]->setCaption(m.RigheAlunni[static_cast<size_t>(i)]);
}

void FrmStampaSchedeBig::SchedaDocenti() {
    Modulo2& m = Modulo2::get();
    svuotaAnteprima(QString());
    mostraSchedaDocenti(m);
    for (int i = 1; i <= kRigheScheda; ++i)
        lblOp_[static_cast<size_t>(i - 1)]->setCaption(m.RigheDocenti[static_cast<size_t>(i)]);
}

void FrmStampaSchedeBig::stampa(qint16 tipo, const QString& piede) {
    Modulo2::get().TipoScheda = tipo;
    testoPiede_ = piede;
    // Each button prints its own version of the worksheet made here, not
    // whichever the preview shows. A failure has been told by the printers;
    // the window and the lines stay.
    Modulo2& m = Modulo2::get();
    StampaScheda(m, righeDaStampare(m, tipo, schedaFatta_), stato_.TestoLivello, testoPiede_,
                 platform::printers());
}

void FrmStampaSchedeBig::StampaAlunni() {
    stampa(1, kPiedeAlunni);
}

void FrmStampaSchedeBig::StampaDocenti() {
    stampa(2, kPiedeDocenti);
}
