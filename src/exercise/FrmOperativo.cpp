// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/FrmOperativo.h"

#include "core/Modulo2.h"
#include "exercise/Generatore.h"
#include "exercise/Svolgimento.h"
#include "framework/Accessibility.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Platform.h"
#include "results/FrmStampaEsercizio.h"

#include <QAction>

namespace {
const QColor kBluTermini = bgr(kBlu);
const QColor kMarroneNascosto(128, 64, 0);
const QColor kRiposoTessere = bgr(kPesca);
constexpr int kCancella = 10;
constexpr int kVerifica = 11;
constexpr int kAvanti = 12;
constexpr int kEsco = 13;
constexpr int kRifiutiPrimaDiIntervenire = 3;
// Milliseconds in which a panel just come to the front takes no press: the
// second tap of a slow double tap on "Verifica" or "NO" lands on it.
constexpr int kAssestamento = 800;
// BaseTasto records which keyboard typed the last digit, as the key code of
// its "0": 48 for the main row, 96 for the numeric keypad.
constexpr qint16 kBaseRigaCifre = 48;
constexpr qint16 kBaseTastierinoNumerico = 96;
} // namespace

FrmOperativo::FrmOperativo() : Form(kName, QSizeF(11910, 8640), Kind::Scaled) {}

void FrmOperativo::build() {
    setWindowTitle(QStringLiteral("PONTELO (addizioni o sottrazioni)"));
    setBackColor(bgr(0x00E0E0E0));
    buildTop();
    buildRow();
    buildResults();
    buildPanels();
}

void FrmOperativo::buildTop() {
    QWidget* w = client();
    const QFont banner = designFont(QStringLiteral("Arial"), 21.75, true);
    label2_ = add<Label>(w, QStringLiteral("Label2"), {0, 0, 11955, 555});
    label2_->setBackColor(bgr(kGialloChiaro));
    label2_->setForeColor(bgr(0x00000080));
    label2_->setFont(banner);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label* label1 = add<Label>(w, QStringLiteral("Label1"), {0, 540, 11955, 555});
    label1->setBackColor(bgr(kGialloChiaro));
    label1->setForeColor(bgr(kRosso));
    label1->setFont(banner);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FrmOperativo::buildRow() {
    fraNumero_ = add<Frame>(client(), QStringLiteral("fraNumero"), {0, 1110, 12000, 3885});
    fraNumero_->setBackColor(bgr(kGialloChiaro));
    const QFont numeri = designFont(QStringLiteral("Arial"), 72, true);
    const QFont segni = designFont(QStringLiteral("Times New Roman"), 72, true);
    auto numero = [&](int k, double left) {
        Label* l = add<Label>(fraNumero_, QStringLiteral("lblNumero%1").arg(k), {left, 210, 2025, 1845});
        l->setFont(numeri);
        l->setForeColor(Qt::black);
        numeri_[static_cast<size_t>(k - 1)] = l;
        // A term label that shows an answer makes "Verifica" usable.
        connect(l, &Label::captionChanged, this, [this](const QString& caption) {
            if (caption != QLatin1String("?"))
                option2_->tile(kVerifica)->setEnabled(true);
        });
    };
    auto segno = [&](const QString& name, const QString& caption, const QRectF& r) {
        Label* l = add<Label>(fraNumero_, name, r, caption);
        l->setFont(segni);
        l->setForeColor(bgr(kBlu));
        return l;
    };
    numero(1, 225);
    lblSegno_ = segno(QStringLiteral("LblSegno"), kSegnoPiu, {1620, 210, 2415, 1815});
    numero(2, 3210);
    Label* uguale = segno(QStringLiteral("LblUguale"), QStringLiteral("="), {5325, 210, 795, 1815});
    numero(3, 6210);
    lblSegno2_ = segno(QStringLiteral("lblSegno2"), kSegnoPiu, {7305, 210, 2940, 1815});
    numero(4, 9240);
    // The sign labels overlap the numbers; the numbers stay readable on top.
    for (Label* l : numeri_)
        l->raise();
    lblCorrezione_ = add<Label>(fraNumero_, QStringLiteral("lblCorrezione"), {9255, 2055, 2010, 1935});
    lblCorrezione_->setFont(numeri);
    lblCorrezione_->setForeColor(Qt::black);
    // The overlapping labels read as one operation, left to right; the
    // correction below it is told with it.
    accessibility::readAsOneText(
        fraNumero_, {numeri_[0], lblSegno_, numeri_[1], uguale, numeri_[2], lblSegno2_, numeri_[3]},
        QStringLiteral(" "));
    connect(lblCorrezione_, &Label::captionChanged, this, [this](const QString& caption) {
        const QString risultato = caption.trimmed();
        fraNumero_->setAccessibleDescription(
            risultato.isEmpty() ? QString() : QStringLiteral("Risultato: %1").arg(risultato));
    });

    for (int k = 0; k < 4; ++k) {
        const double left = twipsRect(numeri_[static_cast<size_t>(k)]).left();
        auto linea = [&](const QString& name, double x1, double y1, double x2, double y2) {
            // A line draws on the whole of its frame, at its own points.
            auto* line = add<LineControl>(fraNumero_, QStringLiteral("%1(%2)").arg(name).arg(k),
                                          QRectF(QPointF(), twipsRect(fraNumero_).size()));
            line->setPen(bgr(kRosso), 4);
            line->setPoints(x1, y1, x2, y2);
            return line;
        };
        line1_[static_cast<size_t>(k)] = linea(QStringLiteral("Line1"), left + 30, 240, left + 2025, 2070);
        line2_[static_cast<size_t>(k)] = linea(QStringLiteral("Line2"), left + 1995, 210, left + 15, 2010);
    }
}

void FrmOperativo::buildResults() {
    Frame* elaborazione = add<Frame>(client(), QStringLiteral("frmElaborazione"), {225, 6690, 5700, 1620});
    elaborazione->setBackColor(bgr(kGialloChiaro));
    elaborazione->setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    const QFont titoli = designFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    auto titolo = [&](int indice, const QString& caption, const QRectF& r) {
        Label* l = add<Label>(elaborazione, QStringLiteral("Label5(%1)").arg(indice), r, caption);
        l->setFont(titoli);
        l->setForeColor(bgr(kBluScuro));
        return l;
    };
    const std::array<Label*, 5> titoli5 = {
        titolo(1, QStringLiteral("Operazioni"), {300, 240, 1020, 570}),
        titolo(0, QStringLiteral("Risposte esatte "), {1425, 240, 945, 570}),
        titolo(3, QStringLiteral("Risposte errate"), {2520, 240, 810, 570}),
        titolo(4, QStringLiteral("Tempo parziale"), {3495, 240, 810, 570}),
        titolo(5, QStringLiteral("Tempo totale"), {4650, 240, 810, 570})};
    const QFont valori = designFont(QStringLiteral("Arial"), 14.25, true);
    auto valore = [&](const QString& name, double left, const QString& tooltip) {
        Label* l = add<Label>(elaborazione, name, {left, 735, 690, 480});
        l->setFont(valori);
        l->setForeColor(bgr(0x00FF0000));
        l->setToolTip(tooltip);
        return l;
    };
    lblOperazione_ = valore(QStringLiteral("LblOperazione"), 390, QString());
    lblRisEsatte_ = valore(QStringLiteral("lblRisEsatte"), 1485, QString());
    lblRisErrate_ =
        valore(QStringLiteral("lblRisErrate"), 2490, QStringLiteral("Secondi impiegati per ogni risposta"));
    lblTempoParziale_ = valore(QStringLiteral("LblTempoParziale"), 3480,
                               QStringLiteral("Secondi impiegati per ogni risposta"));
    lblTempoTotale_ = valore(QStringLiteral("LblTempoTotale"), 4635,
                             QStringLiteral("Secondi impiegati per ogni esercizio"));
    // Each value is read with the title above it: "Risposte esatte: 3".
    const std::array<Label*, 5> valori5 = {lblOperazione_, lblRisEsatte_, lblRisErrate_, lblTempoParziale_,
                                           lblTempoTotale_};
    for (size_t i = 0; i < valori5.size(); ++i)
        accessibility::setHeading(valori5[i], titoli5[i]->caption());
    // Its tooltip speaks of seconds; a reader is told what the number counts.
    lblRisErrate_->setAccessibleDescription(QStringLiteral("Numero delle risposte errate"));

    lblEsito_ = add<Label>(client(), QStringLiteral("LblEsito"), {225, 5550, 5730, 975});
    lblEsito_->setFont(designFont(QStringLiteral("Arial"), 48, true));
    lblEsito_->setForeColor(bgr(kBlu));
    connect(lblEsito_, &Label::captionChanged, this, [this](const QString& caption) {
        if (!caption.isEmpty())
            accessibility::announce(lblEsito_);
    });
    lblRiferimento_ = add<Label>(client(), QStringLiteral("lblRiferimento"), {7005, 5010, 210, 165});
    lblRiferimento_->setVisible(false);

    mnuVisualizzaEsercizio_ =
        addMenuItem(QStringLiteral("mnuVisualizzaEsercizio"), QStringLiteral("Visualizza esercizio"));
    connect(mnuVisualizzaEsercizio_, &QAction::triggered, this, [this] { visualizzaEsercizio(); });
}

void FrmOperativo::buildPanels() {
    QWidget* w = client();
    auto pannello = [&](const QString& name, double left, double top) {
        Frame* f = add<Frame>(w, name, {left, top, 4605, 3300});
        f->setBackColor(kRiposoTessere);
        return f;
    };
    auto gruppo = [&](const QString& name, TileGroup::Action action) {
        auto* g = new TileGroup(name, std::move(action), this);
        g->setCommonColors();
        // A key still held from the step before must not act on the next panel.
        g->setIgnoreKeysHeldOnFocus(true);
        return g;
    };
    auto stileTessera = [](CommandTile* t, double points) {
        t->setFont(designFont(QStringLiteral("Arial"), points, true));
        t->setTextColor(bgr(kBlu));
    };
    auto tessera = [&](TileGroup* g, Frame* f, const QString& caption, const QRectF& r, double points) {
        CommandTile* t = addTile(g, f, caption, r);
        stileTessera(t, points);
        return t;
    };

    fraTastierino_ = pannello(QStringLiteral("fraTastierino"), 6600, 5265);
    option2_ = gruppo(QStringLiteral("Option2"), [this](int i) { PremiTasto(i); });
    option2_->setKeyHandler(
        [this](QKeyCombination tasto, int indice) { return tastoTastierino(tasto, indice); });
    option2_->setArrowNavigation(true);
    const double cifre[10][2] = {{30, 120},   {1170, 120}, {2295, 120}, {3435, 120}, {45, 705},
                                 {1170, 705}, {2295, 705}, {3435, 705}, {45, 1290},  {1170, 1290}};
    for (int d = 0; d < 10; ++d)
        tessera(option2_, fraTastierino_, QString::number(d), {cifre[d][0], cifre[d][1], 1110, 585}, 24);
    tessera(option2_, fraTastierino_, QStringLiteral("Cancella"), {2295, 1290, 2250, 585}, 24);
    tessera(option2_, fraTastierino_, QStringLiteral("Verifica"), {45, 1875, 2250, 585}, 24)
        ->setEnabled(false);
    tessera(option2_, fraTastierino_, QStringLiteral("Avanti"), {2295, 1875, 2250, 585}, 24)
        ->setEnabled(false);
    tessera(option2_, fraTastierino_, QStringLiteral("Esco"), {45, 2520, 4485, 585}, 24)->setEnabled(false);

    fraAiuto_ = pannello(QStringLiteral("fraAiuto"), 6600, 5280);
    Label* tiAiuto = add<Label>(fraAiuto_, QStringLiteral("Label4(0)"), {1065, 300, 2385, 585},
                                QStringLiteral("Ti aiuto ?"));
    tiAiuto->setBackColor(kRiposoTessere);
    tiAiuto->setFont(designFont(QStringLiteral("Arial"), 18, true));
    option3_ = gruppo(QStringLiteral("Option3"), [this](int i) { i == 0 ? SiSi() : NoNo(); });
    option3_->setSelection({{Qt::Key_S, 0}, {Qt::Key_1, 0}, {Qt::Key_N, 1}, {Qt::Key_2, 1}});
    tessera(option3_, fraAiuto_, QStringLiteral("SI"), {780, 1320, 3120, 945}, 20.25);
    tessera(option3_, fraAiuto_, QStringLiteral("NO"), {780, 2295, 3120, 945}, 20.25);

    fraAvviso_ = pannello(QStringLiteral("fraAvviso"), 6615, 5250);
    Label* avviso = add<Label>(fraAvviso_, QStringLiteral("Label4(1)"), {75, 225, 3780, 870},
                               QStringLiteral("Se ricominci gli esercizi andranno persi"));
    avviso->setFont(designFont(QStringLiteral("Arial"), 18, true));
    optAvviso_ = gruppo(QStringLiteral("optAvviso"), [this](int i) {
        if (i == 0) {
            visualizzaEsercizio();
        } else {
            NuovaSerie();
        }
    });
    tessera(optAvviso_, fraAvviso_, QStringLiteral("Stampa"), {780, 1260, 3330, 840}, 20.25);
    tessera(optAvviso_, fraAvviso_, QStringLiteral("Ricomincia"), {780, 2130, 3330, 840}, 20.25);

    fraIntervento_ = pannello(QStringLiteral("fraIntervento"), 6645, 5265);
    Label* intervengo = add<Label>(fraIntervento_, QStringLiteral("lblIntervento"), {420, 195, 4095, 510},
                                   QStringLiteral("Intervengo io"));
    intervengo->setFont(designFont(QStringLiteral("Arial"), 18, true));
    optOK_ = gruppo(QStringLiteral("optOK"), [this](int) {
        optOK_->tile(0)->resetPressed();
        SiSi();
    });
    optOK_->setColors(bgr(kArancio), bgr(kArancio));
    optOK_->setSpaceActs(true);
    stileTessera(addLoneTile(optOK_, fraIntervento_, QStringLiteral("OK"), {720, 1155, 3330, 945}), 20.25);

    for (TileGroup* g : {option3_, optAvviso_, optOK_})
        g->setSettleTime(kAssestamento);

    fraTastierino_->setAccessibleName(QStringLiteral("Tastierino"));
    fraAiuto_->setAccessibleName(QStringLiteral("Aiuto"));
    fraAvviso_->setAccessibleName(QStringLiteral("Fine degli esercizi"));
    fraIntervento_->setAccessibleName(QStringLiteral("Intervento"));
    fraAiuto_->setEnabled(false);
    fraAvviso_->setEnabled(false);
    fraIntervento_->setEnabled(false);
    fraTastierino_->raise();
}

void FrmOperativo::onLoad() {
    NuovaSerie();
    NascondiCroci();
}

void FrmOperativo::setTestoBanner(const QString& testo) {
    label2_->setCaption(testo);
}

QWidget* FrmOperativo::initialFocus() const {
    if (fraAvviso_->isEnabled())
        return optAvviso_->tile(0);
    if (fraAiuto_->isEnabled())
        return option3_->tile(0);
    if (fraIntervento_->isEnabled())
        return optOK_->tile(0);
    if (option2_->tile(1)->isEnabled())
        return option2_->tile(1);
    return option2_->tile(kAvanti);
}

Label* FrmOperativo::numero(int k) const {
    if (k < 1 || k > 4)
        return nullptr;
    return numeri_[static_cast<size_t>(k - 1)];
}

Label* FrmOperativo::etichettaNascosta() const {
    return numero(Modulo2::get().PosNascosto);
}

// ---- The run ----

void FrmOperativo::NuovaSerie() {
    azzeraSerie(Modulo2::get());
    for (Label* l : {lblOperazione_, lblRisEsatte_, lblRisErrate_, lblTempoParziale_, lblTempoTotale_})
        l->setCaption(QString());
    NuovoEsercizio();
}

void FrmOperativo::NuovoEsercizio() {
    azzeraTempoTotale(Modulo2::get());
    lblTempoTotale_->setCaption(QString());
    NuovaOperazione();
}

void FrmOperativo::NuovaOperazione() {
    Modulo2& m = Modulo2::get();
    for (Label* l : numeri_)
        l->setForeColor(kBluTermini);
    NascondiCroci();
    lblCorrezione_->setCaption(QString());
    lblEsito_->setCaption(QString());
    lblTempoParziale_->setCaption(QString());
    preparaOperazione(m);
    // The keypad is put in use before it is prepared: when a new run starts
    // from the end-of-run notice its frame is still disabled, and "1" could
    // not take the focus nor "Avanti" and "Esco" be switched off.
    mostraPannello(fraTastierino_);
    AttivaTastierino();
    lblOperazione_->setCaption(QString::number(m.OperazioneMostrata));

    const QString segno = prossimaOperazione(m, platform::random(), platform::clock());
    lblSegno_->setCaption(segno);
    lblSegno2_->setCaption(segno);
    for (int k = 1; k <= 4; ++k)
        numero(k)->setCaption(didascaliaTermine(m, k));
    if (Label* nascosta = etichettaNascosta())
        nascosta->setForeColor(kMarroneNascosto);
    // Heard when the focus lands on "1": when the window opens, after "Avanti".
    descriviRisposta();
    accessibility::setNews(option2_->tile(1), rigaDetta(accessibility::oneText(fraNumero_)));
}

void FrmOperativo::AggiornaTempi() {
    Modulo2& m = Modulo2::get();
    misuraTempi(m, platform::clock().timeOfDay());
    lblTempoParziale_->setCaption(didascaliaTempoParziale(m));
    lblTempoTotale_->setCaption(didascaliaTempoTotale(m));
}

void FrmOperativo::ControllaFine() {
    if (!serieCompleta(Modulo2::get()))
        return;
    mostraPannello(fraAvviso_);
    optAvviso_->focusTile(0);
}

void FrmOperativo::DisabilitaPannelli(Frame* inUso) {
    for (Frame* f : {fraTastierino_, fraAiuto_, fraAvviso_, fraIntervento_})
        if (f != inUso)
            f->setEnabled(false);
}

// Puts one panel in use. The panel is enabled before the others are disabled,
// so that the focus never has to leave a panel that stays in use (disabling
// the frame that holds the focus would send it elsewhere).
void FrmOperativo::mostraPannello(Frame* pannello) {
    pannello->setEnabled(true);
    DisabilitaPannelli(pannello);
    pannello->raise();
    for (TileGroup* g : {option3_, optAvviso_, optOK_})
        if (g->tile(0)->parentWidget() == pannello)
            g->settle();
    // The question or notice now in front is spoken, not only seen.
    accessibility::announceShown(pannello);
}

void FrmOperativo::visualizzaEsercizio() {
    Forms::get<FrmStampaEsercizio>().showForm();
}

// ---- The keypad ----

void FrmOperativo::PremiTasto(int indice) {
    Modulo2& m = Modulo2::get();
    if (indice >= 0 && indice <= 9) {
        Label* nascosta = etichettaNascosta();
        aggiungiCifra(m, nascosta ? nascosta->caption() : QString(), option2_->tile(indice)->caption());
        if (nascosta)
            nascosta->setCaption(m.Risposta);
        descriviRisposta();
    } else if (indice == kCancella) {
        cancellaCifra(m);
        if (Label* nascosta = etichettaNascosta())
            nascosta->setCaption(m.Risposta);
        descriviRisposta();
    } else if (indice == kVerifica) {
        VerificaRisposta();
    } else if (indice == kAvanti) {
        NuovaOperazione();
    } else if (indice == kEsco) {
        unload();
    }
}

bool FrmOperativo::tastoTastierino(QKeyCombination tasto, int indice) {
    Modulo2& m = Modulo2::get();
    const Qt::Key chiave = tasto.key();
    if (chiave >= Qt::Key_0 && chiave <= Qt::Key_9) {
        const bool tastierino = tasto.keyboardModifiers().testFlag(Qt::KeypadModifier);
        m.BaseTasto = tastierino ? kBaseTastierinoNumerico : kBaseRigaCifre;
        const int d = chiave - Qt::Key_0;
        if (option2_->tile(d)->isEnabled()) {
            PremiTasto(d);
            option2_->focusTile(kVerifica);
        }
        return true;
    }
    switch (chiave) {
    case Qt::Key_C:
    case Qt::Key_Backspace:
        if (option2_->tile(kCancella)->isEnabled())
            PremiTasto(kCancella);
        return true;
    case Qt::Key_V:
        option2_->focusTile(kVerifica);
        return true;
    case Qt::Key_A:
        option2_->focusTile(kAvanti);
        return true;
    case Qt::Key_E:
        option2_->focusTile(kEsco);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PremiTasto(indice);
        return true;
    default:
        return false;
    }
}

void FrmOperativo::AttivaTastierino() {
    for (int i = 0; i <= kVerifica; ++i)
        option2_->tile(i)->setEnabled(true);
    // While the window is still hidden the focus cannot be given, and
    // "Avanti" and "Esco" keep their state.
    if (!option2_->focusTile(1))
        return;
    option2_->tile(kAvanti)->setEnabled(false);
    option2_->tile(kEsco)->setEnabled(false);
}

void FrmOperativo::TastierinoAvanti() {
    option2_->tile(kAvanti)->setEnabled(true);
    option2_->tile(kEsco)->setEnabled(true);
    option2_->focusTile(kAvanti);
    for (int i = 0; i <= kVerifica; ++i)
        option2_->tile(i)->setEnabled(false);
}

// ---- Checking and help ----

void FrmOperativo::VerificaRisposta() {
    Modulo2& m = Modulo2::get();
    if (rispostaEsatta(m)) {
        registraRispostaEsatta(m);
        lblRisEsatte_->setCaption(QString::number(m.RisposteEsatte));
        lblEsito_->setCaption(QStringLiteral("ESATTO"));
        AggiornaTempi();
        annunciaEsito(QStringLiteral("ESATTO"));
        TastierinoAvanti();
        ControllaFine();
    } else {
        registraRispostaErrata(m);
        MostraCroce();
        lblRisErrate_->setCaption(QString::number(m.RisposteErrate));
        lblEsito_->setCaption(QStringLiteral("ERRATO"));
        AggiornaTempi();
        mostraPannello(fraAiuto_);
        // The pupil on the keyboard answers the question from here.
        accessibility::setNews(option3_->tile(0), QStringLiteral("ERRATO"));
        option3_->focusTile(0);
    }
}

void FrmOperativo::NoNo() {
    Modulo2& m = Modulo2::get();
    m.RifiutiAiuto = static_cast<qint16>(m.RifiutiAiuto + 1);
    if (m.RifiutiAiuto < kRifiutiPrimaDiIntervenire) {
        NascondiCroci();
        mostraPannello(fraTastierino_);
        if (Label* nascosta = etichettaNascosta())
            nascosta->setCaption(QStringLiteral("?"));
        AttivaTastierino();
        lblEsito_->setCaption(QString());
        descriviRisposta();
        accessibility::setNews(option2_->tile(1), rigaDetta(accessibility::oneText(fraNumero_)));
    } else {
        m.RifiutiAiuto = 0;
        mostraPannello(fraIntervento_);
        optOK_->focusTile(0);
        optOK_->tile(0)->resetPressed();
    }
}

void FrmOperativo::SiSi() {
    Modulo2& m = Modulo2::get();
    AggiornaTempi();
    registraCorrezione(m);
    lblRisErrate_->setCaption(QString::number(m.RisposteErrate));
    lblOperazione_->setCaption(QString::number(m.OperazioneMostrata));
    lblCorrezione_->setCaption(m.StrRisultato);
    allineaCorrezione();
    lblEsito_->setCaption(QString());
    mostraPannello(fraTastierino_);
    annunciaEsito(QStringLiteral("Risultato: %1").arg(m.StrRisultato.trimmed()));
    TastierinoAvanti();
    ControllaFine();
}

void FrmOperativo::annunciaEsito(const QString& esito) {
    Modulo2& m = Modulo2::get();
    if (serieCompleta(m))
        accessibility::setNews(optAvviso_->tile(0), esito + QStringLiteral(". ") + riepilogoDetto(m));
    else
        accessibility::setNews(option2_->tile(kAvanti), esito);
}

void FrmOperativo::descriviRisposta() {
    const Label* nascosta = etichettaNascosta();
    const QString risposta = nascosta ? nascosta->caption().trimmed() : QString();
    const QString testo = risposta.isEmpty() || risposta == QLatin1String("?")
                              ? QString()
                              : QStringLiteral("Risposta: %1").arg(risposta);
    for (int i = 0; i <= kVerifica; ++i)
        option2_->tile(i)->setAccessibleDescription(testo);
}

void FrmOperativo::allineaCorrezione() {
    Label* nascosta = etichettaNascosta();
    if (!nascosta)
        return;
    QRectF r = twipsRect(lblCorrezione_);
    r.moveLeft(twipsRect(nascosta).left());
    placeTwips(lblCorrezione_, r);
}

// ---- Crosses and frames ----

void FrmOperativo::afterRescale() {
    PosizionaCroci();
    AllineaRiquadri();
    // The scaling puts the correction back at its design place; it belongs
    // under the hidden term.
    if (!lblCorrezione_->caption().isEmpty())
        allineaCorrezione();
}

void FrmOperativo::PosizionaCroci() {
    for (size_t k = 0; k < 4; ++k) {
        const QRectF r = twipsRect(numeri_[k]);
        const float l = static_cast<float>(r.left());
        const float t = static_cast<float>(r.top());
        const float w = static_cast<float>(r.width());
        const float h = static_cast<float>(r.height());
        line1_[k]->setPoints(l, t, l + w, t + h);
        line2_[k]->setPoints(l, t + h, l + w, t);
    }
}

void FrmOperativo::AllineaRiquadri() {
    const QRectF riferimento = twipsRect(lblRiferimento_);
    for (Frame* f : {fraAiuto_, fraTastierino_, fraAvviso_, fraIntervento_}) {
        QRectF r = twipsRect(f);
        r.moveTopLeft(riferimento.topLeft());
        placeTwips(f, r);
    }
}

void FrmOperativo::NascondiCroci() {
    for (size_t k = 0; k < 4; ++k) {
        line1_[k]->setVisible(false);
        line2_[k]->setVisible(false);
    }
}

void FrmOperativo::MostraCroce() {
    const int p = Modulo2::get().PosNascosto;
    if (p < 1 || p > 4)
        return;
    line1_[static_cast<size_t>(p - 1)]->setVisible(true);
    line2_[static_cast<size_t>(p - 1)]->setVisible(true);
}
