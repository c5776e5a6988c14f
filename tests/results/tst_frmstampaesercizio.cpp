// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "printing/FrmSceltaStampante.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QtTest>

namespace {
using Font = std::tuple<QString, double, bool>;

const QColor kFuoco = bgr(0x0080C0FF);
const QColor kRiposo = bgr(0x00C0E0FF);
const QString kNoCourier = QStringLiteral("Devi installare il font Courier o il font Courier New");
const QString kTotale = QStringLiteral("Tempo totale:     93   secondi");
} // namespace

// The results window: the run's lines and totals, its tiles, its printout,
// and the way to the printer choice.
class TstFrmStampaEsercizio : public QObject {
    Q_OBJECT

    FakePlatform fakes;

    static QString record(int i) {
        return QStringLiteral("%1 -  %2 =  ... - %3").arg(i + 40, 4).arg(i, 2).arg(9, 4).leftJustified(35) +
               QStringLiteral("(R.%1  ").arg(i);
    }

    static void preparaSerie(int n, const QString& totale = QStringLiteral(" 93")) {
        Modulo2& m = Modulo2::get();
        m.NumOperazione = static_cast<qint16>(n);
        for (int i = 1; i <= 20; ++i)
            m.RegistroOperazioni[static_cast<size_t>(i)] = i <= n ? record(i) : QString();
        m.StrTempoTotale = totale;
    }

    static Font fontDi(const QWidget* w) {
        return {w->font().family(), w->font().pointSizeF(), w->font().bold()};
    }

    static FrmStampaEsercizio* aperta() {
        return static_cast<FrmStampaEsercizio*>(Forms::find(FrmStampaEsercizio::kName));
    }
    static FrmStampaEsercizio* apri() {
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        return showAndActivate(f) ? &f : nullptr;
    }
    static CommandTile* tessera(const QWidget* f, int i) {
        return control<CommandTile>(f, QStringLiteral("Option1(%1)").arg(i));
    }
    static Label* etichetta(const QWidget* f, const QString& nome) { return control<Label>(f, nome); }
    static QString riga(const QWidget* f, int i) {
        return etichetta(f, QStringLiteral("LblOp(%1)").arg(i))->caption();
    }
    static int tesseraConFuoco() {
        auto* t = qobject_cast<CommandTile*>(QApplication::focusWidget());
        return t ? t->index() : -1;
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        fakes.printers->devices = QStringList{"Aula 1", "Aula 2", Printers::kFilePdf};
    }
    void cleanup() { resetProgram(); }

    // The window as loaded, then "STAMPA ESERCIZIO" clicked. The printer's
    // font list decides the filled lines' font; without a Courier the user is
    // told on loading and again on printing, and nothing is printed.
    void caricamentoEStampa_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<Font>("font");
        const QStringList predefiniti = RecordingPrinters().fontList;
        QTest::newRow("N = 0") << 0 << predefiniti << Font("Courier New", 9, true);
        QTest::newRow("N = 10") << 10 << predefiniti << Font("Courier New", 9, true);
        QTest::newRow("N = 20") << 20 << predefiniti << Font("Courier New", 9, true);
        QTest::newRow("Courier prima di Courier New")
            << 12 << QStringList{"Arial", "Courier", "Courier New"} << Font("Courier", 10, false);
        QTest::newRow("nessun Courier") << 12 << QStringList{"Arial", "Courier New Bold"} << Font();
    }
    void caricamentoEStampa() {
        QFETCH(int, n);
        QFETCH(QStringList, fonts);
        QFETCH(Font, font);
        const bool manca = std::get<0>(font).isEmpty();
        fakes.printers->fontList = fonts;
        preparaSerie(n);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QStringLiteral("FINESTRA DI STAMPA "));
        QVERIFY(f->isMaximized());
        QCOMPARE(f->backColor(), bgr(0x00C0E0FF));
        Label* titolo = etichetta(f, QStringLiteral("Label5"));
        QCOMPARE(titolo->caption(), QStringLiteral("E S E R C I Z I   E S E G U I T I "));
        QCOMPARE(fontDi(titolo), Font("Arial", 15.75, true));
        QCOMPARE(titolo->foreColor(), bgr(0x000000C0));
        for (int i = 1; i <= 20; ++i) {
            Label* l = etichetta(f, QStringLiteral("LblOp(%1)").arg(i));
            QCOMPARE(l->caption(), i <= n ? record(i) : QString());
            // Lines left empty (or without a Courier) keep their design font:
            // Courier 12 for the first four of each column, 9.75 below.
            const Font progetto("Courier", (i - 1) % 10 < 4 ? 12 : 9.75, false);
            QCOMPARE(fontDi(l), i <= n && !manca ? font : progetto);
            QCOMPARE(l->backColor(), bgr(0x00C0FFFF));
        }
        for (const QString nome : {"Label1", "Label2"}) {
            QCOMPARE(etichetta(f, nome)->caption(), kTotale);
            QCOMPARE(fontDi(etichetta(f, nome)), Font("Arial", 8.25, true));
        }
        const QStringList didascalie{"ESCI", "STAMPA ESERCIZIO", "NOME", "ATTESTATO"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tessera(f, i)->caption(), didascalie.at(i));
            QCOMPARE(tessera(f, i)->backColor(), i == 0 ? kFuoco : kRiposo);
            QCOMPARE(fontDi(tessera(f, i)), Font("Arial", 12, true));
        }
        QCOMPARE(tesseraConFuoco(), 0);
        QCOMPARE(control<QAction>(f, QStringLiteral("mnuScegli"))->text(),
                 QStringLiteral("Scegli la stampante"));
        QVERIFY(fakes.printers->entries.isEmpty());
        QCOMPARE(fakes.messageBox->texts, manca ? QStringList{kNoCourier} : QStringList{});

        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.messageBox->texts, manca ? QStringList(2, kNoCourier) : QStringList());
        QCOMPARE(fakes.printers->documentsEnded(), manca ? 0 : 1);
        if (!manca) {
            QCOMPARE(fakes.printers->entries.first().fontName, std::get<0>(font));
            QCOMPARE(fakes.printers->printedTexts().size(), n + 3);
            QCOMPARE(fakes.printers->printedTexts().value(n), n ? record(n) : "SCUOLA ELEMENTARE DI ");
        }
        QCOMPARE(Modulo2::get().StrTempoTotale, QStringLiteral(" 93"));
    }

    // Keys and mouse on the tiles, starting from "NOME": 1 and 2 (either row)
    // jump to "ESCI" and "STAMPA ESERCIZIO", Space moves on cyclically, Enter
    // and any mouse button (as it goes down) act, other keys are swallowed.
    // "ESCI" empties the total time and closes while the close box only
    // closes; "NOME" and "ATTESTATO" open their windows in front of this one.
    void tessere_data() {
        QTest::addColumn<QString>("azione");
        QTest::addColumn<int>("fuoco");
        QTest::addColumn<int>("stampe");
        // The window in front afterwards: this one (empty), another, or none.
        QTest::addColumn<QString>("finestra");
        QTest::addColumn<QString>("totaleDopo");
        QTest::newRow("1") << "1" << 0 << 0 << QString() << " 93";
        QTest::newRow("2") << "2" << 1 << 0 << QString() << " 93";
        QTest::newRow("tastierino 1") << "kp1" << 0 << 0 << QString() << " 93";
        QTest::newRow("tastierino 2") << "kp1 kp2" << 1 << 0 << QString() << " 93";
        QTest::newRow("Space in giro") << "Space Space" << 0 << 0 << QString() << " 93";
        QTest::newRow("Space cinque volte")
            << "Space Space Space Space Space" << 3 << 0 << QString() << " 93";
        QTest::newRow("altri tasti") << "0 3 kp3 9 N A Left Backspace Escape" << 2 << 0 << QString() << " 93";
        QTest::newRow("2 e Invio stampa") << "2 Return Return" << 1 << 2 << QString() << " 93";
        QTest::newRow("STAMPA col destro") << "destro 1" << 1 << 1 << QString() << " 93";
        QTest::newRow("STAMPA col centrale") << "centrale 1" << 1 << 1 << QString() << " 93";
        QTest::newRow("ESCI col mouse") << "sinistro 0" << -1 << 0 << "chiusa" << QString();
        QTest::newRow("ESCI con 1 e Invio") << "1 Return" << -1 << 0 << "chiusa" << QString();
        QTest::newRow("casella di chiusura") << "close" << -1 << 0 << "chiusa"
                                             << " 93";
        QTest::newRow("NOME col mouse") << "sinistro 2" << -1 << 0 << "frmNome"
                                        << " 93";
        QTest::newRow("NOME con Invio") << "Return" << -1 << 0 << "frmNome"
                                        << " 93";
        QTest::newRow("ATTESTATO col mouse") << "sinistro 3" << -1 << 0 << "FrmAttestato"
                                             << " 93";
        QTest::newRow("ATTESTATO con Invio") << "Space Return" << -1 << 0 << "FrmAttestato"
                                             << " 93";
    }
    void tessere() {
        QFETCH(QString, azione);
        QFETCH(int, fuoco);
        QFETCH(int, stampe);
        QFETCH(QString, finestra);
        QFETCH(QString, totaleDopo);
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        tessera(f, 2)->setFocus();
        const QMap<QString, Qt::MouseButton> tasti{
            {"sinistro", Qt::LeftButton}, {"destro", Qt::RightButton}, {"centrale", Qt::MiddleButton}};
        const QString tasto = azione.section(' ', 0, 0);
        if (azione == QLatin1String("close")) {
            f->close();
        } else if (tasti.contains(tasto)) {
            CommandTile* t = tessera(f, azione.section(' ', 1).toInt());
            QTest::mousePress(t, tasti.value(tasto));
            QCOMPARE(fakes.printers->documentsEnded(), stampe);
            QTest::mouseRelease(t, tasti.value(tasto));
        } else {
            strokes(azione);
        }
        flushEvents();
        QCOMPARE(aperta(), finestra == QLatin1String("chiusa") ? nullptr : f);
        QCOMPARE(Modulo2::get().StrTempoTotale, totaleDopo);
        QCOMPARE(Modulo2::get().RegistroOperazioni[20], record(20));
        QCOMPARE(fakes.printers->documentsEnded(), stampe);
        if (fuoco < 0 && finestra != QLatin1String("chiusa"))
            QVERIFY(Forms::isLoaded(finestra) && Forms::find(finestra)->isVisible());
        // The name window belongs to this one, which keeps it above; the
        // certificate is a window of its own.
        if (finestra == QLatin1String("frmNome") || finestra == QLatin1String("FrmAttestato"))
            QCOMPARE(Forms::find(finestra)->windowHandle()->transientParent(),
                     finestra == QLatin1String("frmNome") ? f->windowHandle() : nullptr);
        if (fuoco >= 0) {
            QCOMPARE(tesseraConFuoco(), fuoco);
            // Only the focused tile shows the focus colour; none looks pressed.
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(tessera(f, i)->backColor(), i == fuoco ? kFuoco : kRiposo);
                QVERIFY(!tessera(f, i)->pressedState());
            }
        }
        // Opening it again reads a later run only if it was closed; while open
        // it is just brought to the front.
        const bool chiusa = finestra == QLatin1String("chiusa");
        preparaSerie(8, QStringLiteral(" 120"));
        FrmStampaEsercizio* g = apri();
        QVERIFY(g && (chiusa || g == f));
        QCOMPARE(riga(g, 8), record(8));
        QCOMPARE(riga(g, 20), chiusa ? QString() : record(20));
        QCOMPARE(etichetta(g, QStringLiteral("Label2"))->caption(),
                 chiusa ? QStringLiteral("Tempo totale:     120   secondi") : kTotale);
    }

    // The window reached as a teacher does, from the exercise window's menu,
    // shows the run in progress; "ESCI" leaves the exercise window as it was.
    void dalMenuDellEsercizio() {
        FrmInizio& inizio = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(inizio));
        QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option2(0)")), Qt::LeftButton);
        QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option3(0)")), Qt::LeftButton);
        Form* esercizio = Forms::find(FrmOperativo::kName);
        QVERIFY(esercizio && QTest::qWaitForWindowActive(esercizio));
        control<QAction>(esercizio, QStringLiteral("mnuVisualizzaEsercizio"))->trigger();
        FrmStampaEsercizio* f = aperta();
        QVERIFY(f && QTest::qWaitForWindowActive(f));
        QCOMPARE(riga(f, 1), Modulo2::get().RegistroOperazioni[1]);
        QVERIFY(riga(f, 1).contains(QStringLiteral("(R.")));
        QCOMPARE(etichetta(f, QStringLiteral("Label1"))->caption(),
                 QStringLiteral("Tempo totale:       secondi"));
        QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        flushEvents();
        QVERIFY(Forms::isLoaded(FrmOperativo::kName));
        QVERIFY(!aperta());
    }

    // A printer that fails is reported; the printer then chosen from the menu
    // takes the next printout, which succeeds.
    void stampanteScelta() {
        fakes.printers->failingDevices = QStringList{"Aula 1"};
        const QStringList errore{"Stampa non riuscita sulla stampante «Aula 1»: la coda di stampa è ferma"};
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.printers->documentsEnded(), 0);
        QCOMPARE(fakes.messageBox->texts, errore);

        whileModal([&] { control<QAction>(f, QStringLiteral("mnuScegli"))->trigger(); },
                   [&] {
                       auto* scelta = Forms::find(FrmSceltaStampante::kName);
                       QVERIFY(scelta &&
                               QTest::qWaitFor([scelta] { return QApplication::activeWindow() == scelta; }));
                       QTest::keyClick(control<ComboBox>(scelta, QStringLiteral("Combo1")), Qt::Key_Down);
                       QTest::mouseClick(control<QPushButton>(scelta, QStringLiteral("Command2")),
                                         Qt::LeftButton);
                   });
        flushEvents();
        QVERIFY(QTest::qWaitForWindowActive(f));

        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.printers->documentsEnded(), 1);
        QCOMPARE(fakes.printers->entries.last().printer, QStringLiteral("Aula 2"));
        QCOMPARE(fakes.printers->entries.last().kind, RecordingPrinters::Entry::EndDoc);
        QCOMPARE(fakes.messageBox->texts, errore);
        // The window, its lines and the records are as they were.
        QCOMPARE(riga(f, 20), record(20));
        QCOMPARE(etichetta(f, QStringLiteral("Label2"))->caption(), kTotale);
        QCOMPARE(Modulo2::get().StrTempoTotale, QStringLiteral(" 93"));
    }
};

QTEST_MAIN(TstFrmStampaEsercizio)
#include "tst_frmstampaesercizio.moc"
