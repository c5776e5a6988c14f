// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Platform.h"
#include "printing/FrmSceltaStampante.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"
#include "worksheets/FrmStampaSchedeBig.h"
#include "worksheets/StampaScheda.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
using Font = std::tuple<QString, double, bool>;
using Righe = std::array<QString, 66>;

Font fontDi(const QWidget* w) {
    return {w->font().family(), w->font().pointSizeF(), w->font().bold()};
}
Modulo2& m() {
    return Modulo2::get();
}
// Lines 1 to 60 of the session's records or worksheet lines.
template <size_t N> QStringList righe(const std::array<QString, N>& r) {
    return QStringList(r.begin() + 1, r.begin() + 61);
}
const QStringList kVuota(60, QString());
const QString kLivelli[3] = {u"     Numero massimo compreso tra 10 e  40"_s,
                             u"     Numero massimo compreso tra 30 e  70"_s,
                             u"     Numero massimo compreso tra 50 e 99"_s};
} // namespace

// The worksheet window, opened from the start window's menu and driven as a
// teacher does, with the mouse and the keyboard.
class TstFrmStampaSchedeBig : public QObject {
    Q_OBJECT

    FakePlatform fakes;
    FrmStampaSchedeBig* f = nullptr;

    // The start window shown, with level tile k chosen there when k >= 0.
    static bool inizio(int k) {
        FrmInizio& inizio = Forms::get<FrmInizio>();
        if (!showAndActivate(inizio))
            return false;
        if (k >= 0)
            QTest::mouseClick(inizio.livelli()->tile(k), Qt::LeftButton);
        return true;
    }
    static FrmStampaSchedeBig* apri() {
        FrmInizio& inizio = Forms::get<FrmInizio>();
        if (!showAndActivate(inizio))
            return nullptr;
        control<QAction>(&inizio, u"frmStampaSchede"_s)->trigger();
        auto* schede = static_cast<FrmStampaSchedeBig*>(Forms::find(FrmStampaSchedeBig::kName));
        return schede && QTest::qWaitForWindowActive(schede) ? schede : nullptr;
    }
    QStringList anteprima() const {
        QStringList l;
        for (int i = 1; i <= 60; ++i)
            l << control<Label>(f, u"LblOp(%1)"_s.arg(i))->caption();
        return l;
    }
    Button* bottone(const QString& nome) const { return control<Button>(f, nome); }
    // Clicks the named buttons in turn.
    void clic(const QString& nomi) const {
        for (const QString& nome : nomi.split(u' '))
            QTest::mouseClick(bottone(nome), Qt::LeftButton);
    }
    void livello(int k) const { QTest::mouseClick(f->livelli()->tile(k), Qt::LeftButton); }
    bool stampaVisibile(const QString& versione) const {
        return bottone(u"CmdStampa"_s + versione)->isVisible();
    }
    // A control's place as designed, read back through the scaling of the maximised window.
    QRectF progetto(const QString& nome) const {
        const QRectF r = twipsRect(control<QWidget>(f, nome));
        const double sx = 11910 / f->innerTwips().width(), sy = 8340 / f->innerTwips().height();
        return {std::round(r.x() * sx / 15) * 15, std::round(r.y() * sy / 15) * 15,
                std::round(r.width() * sx / 15) * 15, std::round(r.height() * sy / 15) * 15};
    }
    static QString focoNome() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
    }
    void cleanup() {
        platform::setMessageBox(std::make_unique<RecordingMessageBox>());
        resetProgram();
    }

    // Right after loading, with or without a level chosen on the start
    // window: its level text in the second banner, nothing usable but the
    // level tiles, "Cancella scheda" and "ESCI"; the option frames hidden.
    void statoDopoIlCaricamento_data() {
        QTest::addColumn<int>("livelloInizio");
        QTest::addColumn<QString>("banner");
        QTest::newRow("nessun livello") << -1 << QString();
        QTest::newRow("livello 30-70") << 1 << u"Numero massimo compreso tra 30 e 70"_s;
    }
    void statoDopoIlCaricamento() {
        QFETCH(int, livelloInizio);
        QVERIFY(inizio(livelloInizio));
        QVERIFY((f = apri()));
        QVERIFY(f->isMaximized());
        QCOMPARE(f->windowTitle(), u"IL PONTELO -"_s);
        QCOMPARE(f->backColor(), bgr(0x00C0E0FF));
        QTEST(control<Label>(f, u"Label2"_s)->caption(), "banner");
        QCOMPARE(control<Label>(f, u"Label1"_s)->caption(), QString());
        for (const QString nome : {"Label1", "Label2"}) {
            QCOMPARE(control<Label>(f, nome)->backColor(), bgr(0x00FFC0C0));
            QCOMPARE(fontDi(control<Label>(f, nome)), Font("Arial", 18, true));
        }
        QCOMPARE(m().TipoScheda, 1);
        QCOMPARE(focoNome(), u"Option2(0)"_s);
        QCOMPARE(f->livelli()->tile(0)->backColor(), bgr(0x0080C0FF));
        QCOMPARE(f->livelli()->tile(1)->backColor(), bgr(0x00C0E0FF));
        const QStringList tessere{u"tra 10 e 40"_s, u"tra 30 e 70"_s, u"tra 50 e 99"_s};
        for (int k = 0; k < 3; ++k)
            QCOMPARE(f->livelli()->tile(k)->caption(), tessere[k]);
        for (const auto& [nome, titolo] : {std::pair{"Frame3", "ALUNNI"}, std::pair{"Frame4", "DOCENTI"}}) {
            QVERIFY(!control<QGroupBox>(f, nome)->isEnabled());
            QCOMPARE(control<QGroupBox>(f, nome)->title(), titolo);
        }
        // Name, caption, shown and colour of every button.
        const QList<std::tuple<QString, QString, bool, QColor>> bottoni{
            {u"CmdSchedaAlunni"_s, u"VISUALIZZA SCHEDA ALUNNI"_s, true, bgr(0x00C0E0FF)},
            {u"CmdStampaAlunni"_s, u"STAMPA SCHEDA "_s, false, {}},
            {u"CmdSchedaDocenti"_s, u"VISUALIZZA SCHEDA DOCENTI"_s, true, {}},
            {u"CmdStampaDocenti"_s, u"STAMPA SCHEDA"_s, false, {}},
            {u"CmdRicomincia"_s, u"Cancella scheda"_s, true, bgr(0x008080FF)},
            {u"Command1"_s, u"ESCI"_s, true, {}}};
        for (const auto& [nome, testo, visibile, colore] : bottoni) {
            QCOMPARE(bottone(nome)->text(), testo);
            QCOMPARE(bottone(nome)->isVisible(), visibile);
            if (colore.isValid())
                QCOMPARE(bottone(nome)->backColor(), colore);
        }
        QVERIFY(bottone(u"CmdRicomincia"_s)->isEnabled() && bottone(u"Command1"_s)->isEnabled());
        QCOMPARE(fontDi(bottone(u"Command1"_s)), Font("Arial", 12, true));
        QCOMPARE(control<QAction>(f, u"mnuStampante"_s)->text(), u"Scelta della Stampante"_s);

        // The preview grid with its uneven tops, empty.
        QCOMPARE(anteprima(), kVuota);
        QCOMPARE(progetto(u"LblOp(1)"_s), QRectF(135, 285, 3900, 225));
        QCOMPARE(progetto(u"LblOp(3)"_s), QRectF(135, 705, 3900, 255));
        QCOMPARE(progetto(u"LblOp(15)"_s), QRectF(4500, 1140, 3900, 225));
        QCOMPARE(progetto(u"LblOp(27)"_s), QRectF(135, 3765, 3900, 225));
        QCOMPARE(progetto(u"LblOp(38)"_s), QRectF(4500, 3990, 3900, 225));
        QCOMPARE(progetto(u"LblOp(60)"_s), QRectF(4500, 6600, 3900, 225));
        QCOMPARE(fontDi(control<Label>(f, u"LblOp(60)"_s)), Font("Courier New", 8.25, false));
        QCOMPARE(control<Label>(f, u"LblOp(1)"_s)->parentWidget()->objectName(), u"Frame1"_s);

        // The option frames exist with their choices, never shown.
        for (const QString nome : {"Frame5", "Frame6", "Frame7"})
            QVERIFY(!control<QWidget>(f, nome)->isVisible());
        for (const QString nome :
             {"Opt1", "Opt2", "Opt3", "Opt5", "Opt10", "Option1(0)", "Option1(1)", "Option1(2)"})
            QCOMPARE(control<QRadioButton>(f, nome)->isChecked(), nome == u"Opt3"_s || nome == u"Opt10"_s);
    }

    // A level tile, by mouse or by keyboard (digit to reach it, Enter to
    // choose): the worksheet's own range and text, the banner, both frames
    // usable, the preview emptied and the last worksheet's lines kept.
    void livelli_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::newRow("0, mouse") << 0 << QString() << 10 << 40;
        QTest::newRow("1, mouse") << 1 << QString() << 30 << 70;
        QTest::newRow("2, mouse") << 2 << QString() << 50 << 99;
        QTest::newRow("0, tastiera") << 0 << u"1 Return"_s << 10 << 40;
        QTest::newRow("1, tastierino") << 1 << u"kp2 Return"_s << 30 << 70;
    }
    void livelli() {
        QFETCH(int, k);
        QFETCH(QString, tasti);
        QVERIFY((f = apri()));
        livello(2);
        clic(u"CmdSchedaAlunni"_s);
        const Righe alunni = m().RigheAlunni, docenti = m().RigheDocenti;
        QVERIFY(!alunni[60].isEmpty());
        QCOMPARE(anteprima(), righe(alunni));
        if (tasti.isEmpty()) {
            livello(k);
        } else {
            f->livelli()->tile(2)->setFocus();
            strokes(tasti);
        }
        QTEST(int(f->stato().NumMin), "numMin");
        QTEST(int(f->stato().NumMax), "numMax");
        QCOMPARE(f->stato().TestoLivello, kLivelli[k]);
        QCOMPARE(control<Label>(f, u"Label2"_s)->caption(), kLivelli[k]);
        QVERIFY(control<QGroupBox>(f, u"Frame3"_s)->isEnabled() &&
                control<QGroupBox>(f, u"Frame4"_s)->isEnabled());
        QCOMPARE(anteprima(), kVuota);
        QVERIFY(m().RigheAlunni == alunni && m().RigheDocenti == docenti);
        // The session's own level is the start window's business.
        QVERIFY(m().NumMax == 0 && m().TestoLivello.isEmpty());
    }

    // A pupil worksheet, its teacher version, "Cancella scheda", and the
    // teacher version again: the preview and the records follow, and the
    // teacher lines always belong to the last pupil worksheet.
    void visualizza() {
        QVERIFY((f = apri()));
        livello(0);
        m().RegistroOperazioni[0] = u"zero"_s;
        clic(u"CmdSchedaAlunni"_s);
        QVERIFY(stampaVisibile(u"Alunni"_s));
        QCOMPARE(m().TipoScheda, 1);
        const Righe alunni = m().RigheAlunni, docenti = m().RigheDocenti;
        QCOMPARE(anteprima(), righe(alunni));
        QCOMPARE(righe(m().RegistroOperazioni), righe(alunni));
        QCOMPARE(m().RegistroOperazioni[0], u"zero"_s);
        QVERIFY(alunni[1].endsWith(u"     R."_s) && alunni[0].isEmpty());

        clic(u"CmdSchedaDocenti"_s);
        QVERIFY(stampaVisibile(u"Docenti"_s));
        QCOMPARE(m().TipoScheda, 2);
        QCOMPARE(anteprima(), righe(docenti));
        QCOMPARE(righe(m().RegistroOperazioni), righe(docenti));

        clic(u"CmdRicomincia"_s);
        QCOMPARE(anteprima(), kVuota);
        QVERIFY(!stampaVisibile(u"Alunni"_s) && !stampaVisibile(u"Docenti"_s));
        QCOMPARE(righe(m().RegistroOperazioni), righe(docenti));

        clic(u"CmdSchedaDocenti"_s);
        QCOMPARE(anteprima(), righe(docenti));
        // A new pupil worksheet replaces the lines.
        clic(u"CmdSchedaAlunni"_s);
        QVERIFY(m().RigheAlunni != alunni);
        QCOMPARE(anteprima(), righe(m().RigheAlunni));
    }

    // A print button shows as soon as its "VISUALIZZA" button gets the focus
    // from the keyboard, before anything is made; only its own shows.
    void stampaAppareColFuoco_data() {
        QTest::addColumn<QString>("da");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("versione");
        QTest::newRow("alunni, Tab dall'ultima tessera")
            << u"Option2(2)"_s << int(Qt::Key_Tab) << u"Alunni"_s;
        // Backwards past the hidden print button.
        QTest::newRow("docenti, Maiusc+Tab da Cancella scheda")
            << u"CmdRicomincia"_s << int(Qt::Key_Backtab) << u"Docenti"_s;
    }
    void stampaAppareColFuoco() {
        QFETCH(QString, da);
        QFETCH(int, tasto);
        QFETCH(QString, versione);
        QVERIFY((f = apri()));
        f->livelli()->tile(2)->setFocus();
        strokes(u"Return"_s);
        control<QWidget>(f, da)->setFocus();
        pressKey(Qt::Key(tasto), 1, tasto == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(focoNome(), u"CmdScheda"_s + versione);
        QVERIFY(stampaVisibile(versione));
        QVERIFY(!stampaVisibile(versione == u"Alunni"_s ? u"Docenti"_s : u"Alunni"_s));
        QCOMPARE(anteprima(), kVuota);
    }

    // The printouts through the window, in every mix of what was shown last
    // and which print button is used: each button prints its own version of
    // the worksheet made, whatever the preview shows, at its size, with its
    // footer and file name, and the worksheet's own level text.
    void stampa_data() {
        QTest::addColumn<QString>("mostrata");
        QTest::addColumn<QString>("stampa");
        QTest::newRow("alunni, stampa alunni") << u"Alunni"_s << u"Alunni"_s;
        QTest::newRow("docenti, stampa docenti") << u"Docenti"_s << u"Docenti"_s;
        QTest::newRow("docenti, stampa alunni") << u"Docenti"_s << u"Alunni"_s;
        QTest::newRow("alunni, stampa docenti") << u"Alunni"_s << u"Docenti"_s;
    }
    void stampa() {
        QFETCH(QString, mostrata);
        QFETCH(QString, stampa);
        const bool alunni = stampa == u"Alunni"_s;
        QVERIFY(inizio(0));
        QVERIFY((f = apri()));
        livello(1);
        clic(u"CmdSchedaAlunni CmdSchedaDocenti"_s);
        clic(u"CmdScheda"_s + mostrata);
        const QStringList attese = anteprima();
        QCOMPARE(attese, righe(mostrata == u"Alunni"_s ? m().RigheAlunni : m().RigheDocenti));
        QVERIFY(stampaVisibile(stampa));
        clic(u"CmdStampa"_s + stampa);
        QCOMPARE(fakes.messageBox->texts, QStringList());
        const RecordingPrinters& p = *fakes.printers;
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.size(), 65);
        QCOMPARE(p.printedTexts().mid(1, 60), righe(alunni ? m().RigheAlunni : m().RigheDocenti));
        QCOMPARE(p.documentNames, QStringList{alunni ? u"Scheda alunni"_s : u"Scheda docenti"_s});
        QCOMPARE(p.printedTexts().mid(61),
                 (QStringList{u"OSA: ricerca "_s, u"Livello di difficolt\u00e0: "_s + kLivelli[1]}
                  << (alunni ? kPiedeAlunni : kPiedeDocenti)));
        QCOMPARE(p.entries.at(1).fontSize, alunni ? 12 : 10);
        QCOMPARE(p.entries.at(60).fontSize, alunni ? 12 : 10);
        QCOMPARE(m().TipoScheda, alunni ? 1 : 2);
        // Printing changes nothing on screen.
        QCOMPARE(anteprima(), attese);
        QVERIFY(stampaVisibile(u"Alunni"_s) && stampaVisibile(u"Docenti"_s));
    }

    // Coming back from the printer choice window starts a new worksheet;
    // coming back from one of the program's message boxes (a missing font,
    // a printer that fails) leaves the worksheet as it was.
    void attivazioni_data() {
        QTest::addColumn<QString>("come");
        QTest::addColumn<bool>("nuova");
        QTest::newRow("scelta della stampante") << u"stampante"_s << true;
        QTest::newRow("messaggio: manca Courier") << u"font"_s << false;
        QTest::newRow("messaggio: stampante ferma") << u"guasto"_s << false;
    }
    void attivazioni() {
        QFETCH(QString, come);
        QFETCH(bool, nuova);
        QVERIFY((f = apri()));
        livello(0);
        clic(u"CmdSchedaAlunni"_s);
        const QStringList fatta = anteprima();
        const Righe alunni = m().RigheAlunni;
        if (come == u"stampante"_s) {
            whileModal([&] { control<QAction>(f, u"mnuStampante"_s)->trigger(); },
                       [&] {
                           Form* scelta = Forms::find(FrmSceltaStampante::kName);
                           QVERIFY(scelta && QTest::qWaitFor([scelta] {
                                       return QApplication::activeWindow() == scelta;
                                   }));
                           QCOMPARE(QApplication::activeModalWidget(), scelta);
                           QCOMPARE(scelta->windowHandle()->transientParent(), f->windowHandle());
                           QTest::mouseClick(control<QPushButton>(scelta, u"Command2"_s), Qt::LeftButton);
                       });
        } else {
            // The message takes the activation, as a real box's window does.
            if (come == u"font"_s)
                fakes.printers->fontList = QStringList{u"Arial"_s};
            else
                fakes.printers->failingDevices = QStringList{fakes.printers->currentPrinter()};
            QWidget box;
            fakes.messageBox->whileShown = [&] {
                box.show();
                box.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&box));
            };
            clic(u"CmdStampaAlunni"_s);
            fakes.messageBox->whileShown = nullptr;
            QCOMPARE(fakes.messageBox->texts.size(), 1);
            QCOMPARE(fakes.printers->documentsEnded(), 0);
            box.hide();
            // The window manager gives the focus back to the window under the box.
            f->activateWindow();
        }
        flushEvents();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::qWait(50);
        QCOMPARE(anteprima(), nuova ? kVuota : fatta);
        QCOMPARE(stampaVisibile(u"Alunni"_s), !nuova);
        QVERIFY(m().RigheAlunni == alunni);
    }

    // An operation open in the exercise window keeps its terms, hidden term,
    // expected answer and range while worksheets are made at another range;
    // only its records give way to the worksheet's lines.
    void operazioneApertaIntatta() {
        QVERIFY(inizio(0));
        QTest::mouseClick(Forms::get<FrmInizio>().vaiEsci()->tile(0), Qt::LeftButton);
        auto* esercizio = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
        QVERIFY(esercizio && QTest::qWaitForWindowActive(esercizio));
        // The open operation, field by field.
        auto aperta = [] {
            QStringList l{QString::number(m().NumMin),       QString::number(m().NumMax),    m().TestoLivello,
                          QString::number(m().PosNascosto),  QString::number(m().Risultato), m().StrRisultato,
                          QString::number(m().NumOperazione)};
            for (int k = 1; k <= 4; ++k)
                l << QString::number(m().num(k)) << m().strNum(k) << m().spazi(k);
            return l;
        };
        const QStringList prima = aperta();
        QVERIFY(m().PosNascosto >= 1);
        QVERIFY((f = apri()));
        livello(2);
        clic(u"CmdSchedaAlunni CmdSchedaDocenti"_s);
        QCOMPARE(aperta(), prima);
        QCOMPARE(righe(m().RegistroOperazioni), righe(m().RigheDocenti));
        QCOMPARE(f->stato().NumMin, 50);
    }

    // Clicks in any order never crash, hang or lose the last pupil
    // worksheet's lines: print buttons before any worksheet, the teacher
    // version before any pupil one, level changes between making and
    // printing, the printer window opened and closed again and again, and
    // the window closed after a print and opened again.
    void ordineQualsiasi_data() {
        QTest::addColumn<QStringList>("passi");
        QTest::addColumn<int>("documenti");
        QTest::newRow("docenti prima di tutto")
            << QStringList{"livello 1", "CmdSchedaDocenti", "CmdStampaDocenti", "CmdSchedaAlunni"} << 1;
        QTest::newRow("stampe senza scheda")
            << QStringList{"livello 0", "fuoco CmdSchedaAlunni", "CmdStampaAlunni", "fuoco CmdSchedaDocenti",
                           "CmdStampaDocenti"}
            << 2;
        QTest::newRow("livello cambiato prima di stampare")
            << QStringList{"livello 0",       "CmdSchedaAlunni", "livello 2",        "fuoco CmdSchedaAlunni",
                           "CmdStampaAlunni", "CmdRicomincia",   "CmdSchedaDocenti", "CmdStampaDocenti"}
            << 2;
        QTest::newRow("stampante tre volte")
            << QStringList{"livello 1",        "CmdSchedaAlunni", "stampante",        "stampante",
                           "CmdSchedaDocenti", "stampante",       "CmdSchedaDocenti", "CmdStampaDocenti"}
            << 1;
        QTest::newRow("chiusa dopo la stampa e riaperta")
            << QStringList{"livello 0", "CmdSchedaAlunni",  "CmdStampaAlunni",  "Command1", "riapri",
                           "livello 1", "CmdSchedaDocenti", "CmdStampaDocenti", "chiudi"}
            << 2;
    }
    void ordineQualsiasi() {
        QFETCH(QStringList, passi);
        QVERIFY((f = apri()));
        Righe ultima = m().RigheAlunni;
        for (const QString& passo : passi) {
            if (passo.startsWith(u"livello "_s)) {
                livello(passo.mid(8).toInt());
            } else if (passo.startsWith(u"fuoco "_s)) {
                bottone(passo.mid(6))->setFocus(Qt::TabFocusReason);
            } else if (passo == u"stampante"_s) {
                whileModal([&] { control<QAction>(f, u"mnuStampante"_s)->trigger(); },
                           [&] {
                               Form* scelta = Forms::find(FrmSceltaStampante::kName);
                               QVERIFY(scelta);
                               scelta->close();
                           });
                flushEvents();
            } else if (passo == u"riapri"_s) {
                flushEvents();
                QVERIFY(!Forms::isLoaded(FrmStampaSchedeBig::kName));
                QVERIFY((f = apri()));
                QVERIFY(!control<QGroupBox>(f, u"Frame3"_s)->isEnabled());
                QVERIFY(!stampaVisibile(u"Docenti"_s));
            } else if (passo == u"chiudi"_s) {
                f->close();
                flushEvents();
                QVERIFY(!Forms::isLoaded(FrmStampaSchedeBig::kName));
            } else {
                clic(passo);
                if (passo == u"CmdSchedaAlunni"_s)
                    ultima = m().RigheAlunni;
            }
            QVERIFY2(m().RigheAlunni == ultima, qPrintable(passo));
        }
        QTEST(fakes.printers->documentsEnded(), "documenti");
        QCOMPARE(fakes.messageBox->texts, QStringList());
    }
};

QTEST_MAIN(TstFrmStampaSchedeBig)
#include "tst_frmstampaschedebig.moc"
