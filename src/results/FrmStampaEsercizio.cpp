// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/FrmStampaEsercizio.h"

#include "core/Modulo2.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "printing/FrmSceltaStampante.h"
#include "results/FrmAttestato.h"
#include "results/FrmNome.h"
#include "results/StampaEsercizio.h"

#include <QAction>
#include <QApplication>

namespace {
const QColor kSfondo = bgr(kPesca);
const QColor kSfondoRighe = bgr(kGialloChiaro);
constexpr int kRighePerColonna = 10;
constexpr int kEsci = 0;
constexpr int kStampa = 1;
constexpr int kNome = 2;
constexpr int kAttestato = 3;
} // namespace

FrmStampaEsercizio::FrmStampaEsercizio() : Form(kName, QSizeF(11910, 8640), Kind::Scaled) {}

void FrmStampaEsercizio::build() {
    setWindowTitle(QStringLiteral("FINESTRA DI STAMPA "));
    setBackColor(kSfondo);
    QWidget* w = client();
    // The window's own font, which the record lines start with.
    const QFont fontFinestra = designFont(QStringLiteral("Courier"), 9.75, false);
    w->setFont(fontFinestra);

    Label* titolo = add<Label>(w, QStringLiteral("Label5"), {660, 120, 10725, 525},
                               QStringLiteral("E S E R C I Z I   E S E G U I T I "));
    titolo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titolo->setFont(designFont(QStringLiteral("Arial"), 15.75, true));
    titolo->setForeColor(bgr(kRossoScuro));

    for (int i = 1; i <= kOperazioniPerSerie; ++i) {
        const bool sinistra = i <= kRighePerColonna;
        const double left = sinistra ? 210 : 6000;
        const double top = 930 + (sinistra ? i - 1 : i - 11) * 450;
        Label* riga = add<Label>(w, QStringLiteral("LblOp(%1)").arg(i), {left, top, 5595, 435});
        riga->setBackColor(kSfondoRighe);
        riga->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const int inColonna = sinistra ? i : i - kRighePerColonna;
        riga->setFont(inColonna <= 4 ? designFont(QStringLiteral("Courier"), 12, false) : fontFinestra);
        lblOp_[static_cast<size_t>(i - 1)] = riga;
    }

    const QFont fontTotali = designFont(QStringLiteral("Arial"), 8.25, true);
    const QColor testoDiSistema = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    auto totale = [&](const QString& name, double left) {
        Label* l = add<Label>(w, name, {left, 5520, 5595, 525});
        l->setBackColor(kSfondoRighe);
        l->setForeColor(testoDiSistema);
        l->setFont(fontTotali);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    label1_ = totale(QStringLiteral("Label1"), 210);
    label2_ = totale(QStringLiteral("Label2"), 6000);

    option1_ = new TileGroup(
        QStringLiteral("Option1"), [this](int i) { SceltaRisultati(i); }, this);
    option1_->setCommonColors();
    option1_->setSelection({{Qt::Key_1, kEsci}, {Qt::Key_2, kStampa}});
    const QFont fontTessere = designFont(QStringLiteral("Arial"), 12, true);
    const QRectF posti[] = {
        {165, 6180, 2805, 630}, {3075, 6180, 2805, 630}, {6000, 6210, 2805, 630}, {8865, 6210, 2805, 630}};
    const QString didascalie[] = {QStringLiteral("ESCI"), QStringLiteral("STAMPA ESERCIZIO"),
                                  QStringLiteral("NOME"), QStringLiteral("ATTESTATO")};
    for (int i = 0; i < 4; ++i)
        addTile(option1_, w, didascalie[i], posti[i])->setFont(fontTessere);

    mnuScegli_ = addMenuItem(QStringLiteral("mnuScegli"), QStringLiteral("Scegli la stampante"));
    // Queued: the menu's own call (a click, or an assistive technology's
    // action) returns at once, and the choice then waits modally on its own.
    connect(
        mnuScegli_, &QAction::triggered, this, [this] { scegliStampante(); }, Qt::QueuedConnection);
}

void FrmStampaEsercizio::onLoad() {
    // Without a Courier font the user is told, and the lines keep their design font.
    const QString font = platform::printers().printerFont();
    if (font.isEmpty())
        platform::messageBox().show(missingCourierMessage());
    caricaRighe(font);
    const QString totale = testoTempoTotale(Modulo2::get());
    label1_->setCaption(totale);
    label2_->setCaption(totale);
}

// The filled lines take the printer's font, so the screen shows what the
// printout will look like.
void FrmStampaEsercizio::caricaRighe(const QString& fontStampante) {
    Modulo2& m = Modulo2::get();
    const int n = righeEsercizio(m);
    for (int i = 1; i <= n; ++i) {
        Label* riga = lblOp_[static_cast<size_t>(i - 1)];
        if (fontStampante == QLatin1String("Courier New"))
            riga->setFont(designFont(fontStampante, 9, true));
        else if (fontStampante == QLatin1String("Courier"))
            riga->setFont(designFont(fontStampante, 10, false));
    }
    for (int i = 1; i <= n; ++i)
        lblOp_[static_cast<size_t>(i - 1)]->setCaption(m.RegistroOperazioni[static_cast<size_t>(i)]);
}

QWidget* FrmStampaEsercizio::initialFocus() const {
    return option1_->tile(kEsci);
}

void FrmStampaEsercizio::SceltaRisultati(int indice) {
    switch (indice) {
    case kEsci:
        Modulo2::get().StrTempoTotale.clear();
        unload();
        break;
    case kStampa:
        StampaEsercizio(Modulo2::get(), platform::printers());
        break;
    case kNome: {
        FrmNome& nome = Forms::get<FrmNome>();
        // Tapped on a board: there may be no keyboard to type the name with.
        if (CommandTile::actingOnTouch())
            nome.MostraLettere();
        nome.showForm(this);
        break;
    }
    case kAttestato:
        Forms::get<FrmAttestato>().showForm();
        break;
    default:
        break;
    }
}

void FrmStampaEsercizio::scegliStampante() {
    Forms::get<FrmSceltaStampante>().showModal(this);
}
