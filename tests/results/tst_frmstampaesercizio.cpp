#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "results/FrmSceltaStampante.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QtTest>

namespace {
using Entry = RecordingPrinters::Entry;
using Font = std::tuple<QString, double, bool>;

const QColor kFuoco = bgr(0x0080C0FF);
const QColor kRiposo = bgr(0x00C0E0FF);
const QString kNoCourier = QStringLiteral("Devi installare il font Courier o il font Courier New");

QString record(int i) {
    return QStringLiteral("%1 -  %2 =  ... - %3").arg(i + 40, 4).arg(i, 2).arg(9, 4).leftJustified(35) +
           QStringLiteral("(R.%1  ").arg(i);
}

void preparaSerie(int n, const QString& totale = QStringLiteral(" 93")) {
    Modulo2& m = Modulo2::get();
    m.NumOperazione = static_cast<qint16>(n);
    for (int i = 1; i <= 20; ++i)
        m.RegistroOperazioni[static_cast<size_t>(i)] = i <= n ? record(i) : QString();
    m.StrTempoTotale = totale;
}

Font fontDi(const QWidget* w) {
    return {w->font().family(), w->font().pointSizeF(), w->font().bold()};
}

// The design font of an empty line: Courier 12 for the first four of each
// column, the window's Courier 9.75 for the others.
Font fontDiProgetto(int i) {
    const int inColonna = i <= 10 ? i : i - 10;
    return inColonna <= 4 ? Font{"Courier", 12, false} : Font{"Courier", 9.75, false};
}
} // namespace

// The results window: the run's lines and totals, its tiles, its printout,
// and the way to the printer choice.
class TstFrmStampaEsercizio : public QObject {
    Q_OBJECT

    FakePlatform fakes;

    static FrmStampaEsercizio* apri() {
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        return showAndActivate(f) ? &f : nullptr;
    }
    static FrmStampaEsercizio* aperta() {
        return static_cast<FrmStampaEsercizio*>(Forms::find(FrmStampaEsercizio::kName));
    }
    static CommandTile* tessera(const QWidget* f, int i) {
        return control<CommandTile>(f, QStringLiteral("Option1(%1)").arg(i));
    }
    static QString riga(const QWidget* f, int i) {
        return control<Label>(f, QStringLiteral("LblOp(%1)").arg(i))->caption();
    }
    static QString totale(const QWidget* f, const QString& nome) {
        return control<Label>(f, nome)->caption();
    }
    static int tesseraConFuoco() {
        auto* t = qobject_cast<CommandTile*>(QApplication::focusWidget());
        return t ? t->index() : -1;
    }
    static void sceltaStampante(const QWidget* f) {
        control<QAction>(f, QStringLiteral("mnuScegli"))->trigger();
    }

private slots:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        fakes.printers->devices = QStringList{"Aula 1", "Aula 2", Printers::kFilePdf};
    }
    void cleanup() { resetProgram(); }

    void statoDopoIlCaricamento_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("N = 0") << 0;
        QTest::newRow("N = 10") << 10;
        QTest::newRow("N = 20") << 20;
    }
    void statoDopoIlCaricamento() {
        QFETCH(int, n);
        preparaSerie(n);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QStringLiteral("FINESTRA DI STAMPA "));
        QVERIFY(f->isMaximized());
        QCOMPARE(f->backColor(), bgr(0x00C0E0FF));
        auto* titolo = control<Label>(f, QStringLiteral("Label5"));
        QCOMPARE(titolo->caption(), QStringLiteral("E S E R C I Z I   E S E G U I T I "));
        QCOMPARE(fontDi(titolo), Font("Arial", 15.75, true));
        QCOMPARE(titolo->foreColor(), bgr(0x000000C0));

        for (int i = 1; i <= 20; ++i) {
            auto* l = control<Label>(f, QStringLiteral("LblOp(%1)").arg(i));
            QCOMPARE(l->caption(), i <= n ? record(i) : QString());
            // Filled lines take the printer's font (Courier New here).
            QCOMPARE(fontDi(l), i <= n ? Font("Courier New", 9, true) : fontDiProgetto(i));
            QCOMPARE(l->backColor(), bgr(0x00C0FFFF));
        }
        for (const QString nome : {"Label1", "Label2"}) {
            QCOMPARE(totale(f, nome), QStringLiteral("Tempo totale:     93   secondi"));
            QCOMPARE(fontDi(control<Label>(f, nome)), Font("Arial", 8.25, true));
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
        // Loading reads and prints nothing.
        QVERIFY(fakes.printers->entries.isEmpty());
        QVERIFY(fakes.messageBox->texts.isEmpty());
        QCOMPARE(Modulo2::get().StrTempoTotale, QStringLiteral(" 93"));
    }

    // The printer's font list decides the lines' font; without a Courier the
    // user is told on loading and again on printing, and nothing is printed.
    void fontDelleRighe_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<Font>("font");
        QTest::newRow("Courier prima di Courier New")
            << QStringList{"Arial", "Courier", "Courier New"} << Font("Courier", 10, false);
        QTest::newRow("nessun Courier") << QStringList{"Arial", "Courier New Bold"} << Font();
    }
    void fontDelleRighe() {
        QFETCH(QStringList, fonts);
        QFETCH(Font, font);
        fakes.printers->fontList = fonts;
        preparaSerie(12);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        const bool manca = std::get<0>(font).isEmpty();
        for (int i = 1; i <= 20; ++i) {
            const QWidget* l = control<Label>(f, QStringLiteral("LblOp(%1)").arg(i));
            QCOMPARE(fontDi(l), i <= 12 && !manca ? font : fontDiProgetto(i));
            QCOMPARE(riga(f, i), i <= 12 ? record(i) : QString());
        }
        QCOMPARE(fakes.messageBox->texts, manca ? QStringList{kNoCourier} : QStringList{});
        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.messageBox->texts, manca ? QStringList(2, kNoCourier) : QStringList());
        QCOMPARE(fakes.printers->documentsEnded(), manca ? 0 : 1);
        if (!manca)
            QCOMPARE(fakes.printers->entries.first().fontName, std::get<0>(font));
    }

    // Keys on the tiles: 1 and 2 (either row) jump to "ESCI" and "STAMPA
    // ESERCIZIO", Space moves on cyclically, Enter acts, all else is swallowed.
    void tasti_data() {
        QTest::addColumn<int>("da");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QList<int>>("fuoco");
        QTest::addColumn<int>("stampe");
        QTest::newRow("1") << 1 << "1" << QList<int>{0} << 0;
        QTest::newRow("2 dalla tessera NOME") << 2 << "2" << QList<int>{1} << 0;
        QTest::newRow("tastierino") << 3 << "kp1 kp2" << QList<int>{0, 1} << 0;
        QTest::newRow("Space in giro")
            << 0 << "Space Space Space Space Space" << QList<int>{1, 2, 3, 0, 1} << 0;
        QTest::newRow("Invio stampa") << 1 << "Return Return" << QList<int>{1, 1} << 2;
        QTest::newRow("altri tasti") << 2 << "0 3 kp3 9 N A Left Backspace Escape" << QList<int>(9, 2) << 0;
    }
    void tasti() {
        QFETCH(int, da);
        QFETCH(QString, tasti);
        QFETCH(QList<int>, fuoco);
        QFETCH(int, stampe);
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        tessera(f, da)->setFocus();
        const QStringList sequenza = tasti.split(' ');
        for (qsizetype k = 0; k < sequenza.size(); ++k) {
            strokes(sequenza.at(k));
            QCOMPARE(tesseraConFuoco(), fuoco.at(k));
        }
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tessera(f, i)->backColor(), i == fuoco.last() ? kFuoco : kRiposo);
            QVERIFY(!tessera(f, i)->pressedState());
        }
        QCOMPARE(fakes.printers->documentsEnded(), stampe);
        QVERIFY(aperta());
        QCOMPARE(riga(f, 20), record(20));
    }

    // Any mouse button acts as it goes down; the tile keeps the focus colour
    // and never looks pressed.
    void mouse_data() {
        QTest::addColumn<Qt::MouseButton>("tasto");
        QTest::newRow("sinistro") << Qt::LeftButton;
        QTest::newRow("destro") << Qt::RightButton;
        QTest::newRow("centrale") << Qt::MiddleButton;
    }
    void mouse() {
        QFETCH(Qt::MouseButton, tasto);
        preparaSerie(3);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        QTest::mousePress(tessera(f, 1), tasto);
        QCOMPARE(fakes.printers->documentsEnded(), 1);
        QTest::mouseRelease(tessera(f, 1), tasto);
        QCOMPARE(fakes.printers->documentsEnded(), 1);
        QCOMPARE(fakes.printers->printedTexts().value(1), record(1));
        QCOMPARE(tesseraConFuoco(), 1);
        QCOMPARE(tessera(f, 1)->backColor(), kFuoco);
        QVERIFY(!tessera(f, 1)->pressedState());
    }

    // "ESCI" empties the total time and closes; the close box only closes.
    // Opening again shows what is then in the session state.
    void chiusura_data() {
        QTest::addColumn<QString>("come");
        QTest::addColumn<QString>("totaleDopo");
        QTest::newRow("ESCI col mouse") << "mouse" << QString();
        QTest::newRow("ESCI con Invio") << "Return" << QString();
        QTest::newRow("1 poi Invio") << "1 Return" << QString();
        QTest::newRow("casella di chiusura") << "close" << QStringLiteral(" 93");
    }
    void chiusura() {
        QFETCH(QString, come);
        QFETCH(QString, totaleDopo);
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        tessera(f, 2)->setFocus();
        if (come == QLatin1String("mouse"))
            QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        else if (come == QLatin1String("close"))
            f->close();
        else
            strokes(come == QLatin1String("Return") ? QStringLiteral("1 Return") : come);
        flushEvents();
        QVERIFY(!aperta());
        QCOMPARE(Modulo2::get().StrTempoTotale, totaleDopo);
        QCOMPARE(Modulo2::get().RegistroOperazioni[20], record(20));
        QCOMPARE(fakes.printers->documentsEnded(), 0);

        f = apri();
        QVERIFY(f);
        QCOMPARE(totale(f, QStringLiteral("Label2")),
                 QStringLiteral("Tempo totale:    ") + totaleDopo + QStringLiteral("   secondi"));
        QCOMPARE(riga(f, 20), record(20));
    }

    // "NOME" and "ATTESTATO" open their windows; the results window stays open
    // behind them with its lines.
    void altreFinestre_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("colMouse");
        QTest::addColumn<QString>("finestra");
        QTest::newRow("NOME col mouse") << 2 << true << "frmNome";
        QTest::newRow("NOME con Invio") << 2 << false << "frmNome";
        QTest::newRow("ATTESTATO col mouse") << 3 << true << "FrmAttestato";
        QTest::newRow("ATTESTATO con Invio") << 3 << false << "FrmAttestato";
    }
    void altreFinestre() {
        QFETCH(int, indice);
        QFETCH(bool, colMouse);
        QFETCH(QString, finestra);
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        if (colMouse) {
            QTest::mouseClick(tessera(f, indice), Qt::LeftButton);
        } else {
            strokes(QStringLiteral("Space ").repeated(indice) + QStringLiteral("Return"));
        }
        QVERIFY(Forms::isLoaded(finestra));
        QVERIFY(Forms::find(finestra)->isVisible());
        QCOMPARE(aperta(), f);
        QCOMPARE(riga(f, 20), record(20));
        QCOMPARE(Modulo2::get().StrTempoTotale, QStringLiteral(" 93"));
        QCOMPARE(fakes.printers->documentsEnded(), 0);
    }

    // Opening the window while it is open brings it to the front without
    // reading the records again.
    void riaperturaMentreAperta() {
        preparaSerie(5);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        preparaSerie(8, QStringLiteral(" 120"));
        QCOMPARE(apri(), f);
        QCOMPARE(riga(f, 5), record(5));
        QCOMPARE(riga(f, 6), QString());
        QCOMPARE(totale(f, QStringLiteral("Label1")), QStringLiteral("Tempo totale:     93   secondi"));
        QCOMPARE(fakes.messageBox->texts, QStringList{});
    }

    // The window reached as a teacher does, from the exercise window's menu,
    // shows the run in progress.
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
        QCOMPARE(riga(f, 2), QString());
        QCOMPARE(totale(f, QStringLiteral("Label1")), QStringLiteral("Tempo totale:       secondi"));
        // "ESCI" leaves the exercise window as it was.
        QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        flushEvents();
        QVERIFY(Forms::isLoaded(FrmOperativo::kName));
        QVERIFY(!aperta());
    }

    // The printer chosen from the menu takes the next printout; a printer that
    // fails is reported, and the teacher can choose another and print again.
    void stampanteScelta_data() {
        QTest::addColumn<bool>("primaNonRiesce");
        QTest::newRow("stampante funzionante") << false;
        QTest::newRow("la prima non riesce") << true;
    }
    void stampanteScelta() {
        QFETCH(bool, primaNonRiesce);
        if (primaNonRiesce)
            fakes.printers->failingDevices = QStringList{"Aula 1"};
        preparaSerie(20);
        FrmStampaEsercizio* f = apri();
        QVERIFY(f);
        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.printers->documentsEnded(), primaNonRiesce ? 0 : 1);
        QCOMPARE(fakes.messageBox->texts,
                 primaNonRiesce
                     ? QStringList{"Stampa non riuscita sulla stampante «Aula 1»: la coda di stampa è ferma"}
                     : QStringList{});

        sceltaStampante(f);
        auto* scelta = static_cast<Form*>(Forms::find(FrmSceltaStampante::kName));
        QVERIFY(scelta);
        QCOMPARE(QApplication::activeModalWidget(), scelta);
        QVERIFY(QTest::qWaitForWindowActive(scelta));
        auto* combo = control<ComboBox>(scelta, QStringLiteral("Combo1"));
        QCOMPARE(QApplication::focusWidget(), combo);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("Aula 2"));
        QTest::mouseClick(control<QPushButton>(scelta, QStringLiteral("Command2")), Qt::LeftButton);
        flushEvents();
        QVERIFY(!Forms::isLoaded(FrmSceltaStampante::kName));
        QVERIFY(QTest::qWaitForWindowActive(f));

        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QCOMPARE(fakes.printers->documentsEnded(), primaNonRiesce ? 1 : 2);
        QCOMPARE(fakes.printers->entries.last().printer, QStringLiteral("Aula 2"));
        QCOMPARE(fakes.printers->entries.last().kind, Entry::EndDoc);
        QCOMPARE(fakes.messageBox->texts.size(), primaNonRiesce ? 1 : 0);
        // The window, its lines and the records are as they were.
        QCOMPARE(riga(f, 20), record(20));
        QCOMPARE(totale(f, QStringLiteral("Label2")), QStringLiteral("Tempo totale:     93   secondi"));
        QCOMPARE(Modulo2::get().StrTempoTotale, QStringLiteral(" 93"));
    }
};

QTEST_MAIN(TstFrmStampaEsercizio)
#include "tst_frmstampaesercizio.moc"
