#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QtTest>

namespace {
void premi(Qt::Key key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyPress(QApplication::focusWidget(), key, mod);
}
void rilascia(Qt::Key key) {
    QTest::keyRelease(QApplication::focusWidget(), key);
}
} // namespace

class TstFrmInizio : public QObject {
    Q_OBJECT

    FrmInizio* f = nullptr;

    CommandTile* tessera(const QString& nome) const { return control<CommandTile>(f, nome); }
    bool mostra() {
        f = &Forms::get<FrmInizio>();
        return showAndActivate(*f);
    }

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void statoDopoIlCaricamento() {
        QVERIFY(mostra());
        CommandTile* liv0 = tessera(QStringLiteral("Option2(0)"));
        QCOMPARE(QApplication::focusWidget(), liv0);
        QCOMPARE(liv0->backColor(), bgr(0x00FFFF80));
        QCOMPARE(tessera(QStringLiteral("Option2(1)"))->backColor(), bgr(0x00FFFFC0));
        QVERIFY(!tessera(QStringLiteral("Option3(0)"))->isEnabled());
        QVERIFY(tessera(QStringLiteral("Option3(1)"))->isEnabled());
        QVERIFY(f->isMaximized());
        QCOMPARE(f->windowTitle(), QStringLiteral("PONTEL0 (addizioni o sottrazioni)"));
        QCOMPARE(control<Label>(f, QStringLiteral("Label6"))->caption(), QString());
        // Loading chooses nothing.
        QCOMPARE(Modulo2::get().NumMax, qint16(0));
        QCOMPARE(Modulo2::get().TestoLivello, QString());
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
    }

    void sceltaLivello_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::addColumn<QString>("testo");
        QTest::newRow("0") << 0 << 10 << 20 << QStringLiteral("Numero massimo compreso tra 10 e  40");
        QTest::newRow("1") << 1 << 30 << 70 << QStringLiteral("Numero massimo compreso tra 30 e 70");
        QTest::newRow("2") << 2 << 50 << 90 << QStringLiteral("Numero massimo compreso tra 50 e 90");
    }
    void sceltaLivello() {
        QFETCH(int, indice);
        QFETCH(int, numMin);
        QFETCH(int, numMax);
        QFETCH(QString, testo);
        QVERIFY(mostra());
        QTest::mousePress(tessera(QStringLiteral("Option2(%1)").arg(indice)), Qt::LeftButton);
        const Modulo2& m = Modulo2::get();
        QCOMPARE(m.NumMin, qint16(numMin));
        QCOMPARE(m.NumMax, qint16(numMax));
        QCOMPARE(m.TestoLivello, testo);
        QCOMPARE(control<Label>(f, QStringLiteral("Label6"))->caption(), testo);
        // The exercise window is loaded hidden, after the bounds were stored:
        // its first operation already uses them.
        Form* esercizio = Forms::find(FrmOperativo::kName);
        QVERIFY(esercizio);
        QVERIFY(!esercizio->isVisible());
        QCOMPARE(control<Label>(esercizio, QStringLiteral("Label2"))->caption(), testo);
        for (int k = 1; k <= 4; ++k)
            QVERIFY2(m.num(k) >= numMin && m.num(k) < numMax, qPrintable(QString::number(m.num(k))));
        CommandTile* vai = tessera(QStringLiteral("Option3(0)"));
        QVERIFY(vai->isEnabled());
        QCOMPARE(QApplication::focusWidget(), vai);
        QCOMPARE(vai->backColor(), bgr(0x00FFFF80));
    }

    void secondaSceltaSovrascrive() {
        QVERIFY(mostra());
        QTest::mousePress(tessera(QStringLiteral("Option2(0)")), Qt::LeftButton);
        Form* esercizio = Forms::find(FrmOperativo::kName);
        QTest::mousePress(tessera(QStringLiteral("Option2(2)")), Qt::RightButton);
        const QString testo = QStringLiteral("Numero massimo compreso tra 50 e 90");
        QCOMPARE(Modulo2::get().NumMin, qint16(50));
        QCOMPARE(Modulo2::get().NumMax, qint16(90));
        QCOMPARE(Modulo2::get().TestoLivello, testo);
        QCOMPARE(control<Label>(f, QStringLiteral("Label6"))->caption(), testo);
        // The same exercise window, with the new banner.
        QCOMPARE(Forms::find(FrmOperativo::kName), esercizio);
        QCOMPARE(control<Label>(esercizio, QStringLiteral("Label2"))->caption(), testo);
    }

    void vaiMostraLaFinestraDegliEsercizi() {
        QVERIFY(mostra());
        QTest::mousePress(tessera(QStringLiteral("Option2(1)")), Qt::LeftButton);
        QTest::mouseRelease(tessera(QStringLiteral("Option2(1)")), Qt::LeftButton);
        Form* esercizio = Forms::find(FrmOperativo::kName);
        QTest::mousePress(tessera(QStringLiteral("Option3(0)")), Qt::LeftButton);
        QVERIFY(esercizio->isVisible());
        QCOMPARE(Forms::find(FrmOperativo::kName), esercizio);
        // The start window stays open behind it.
        QVERIFY(f->isVisible());
        QTest::mouseRelease(tessera(QStringLiteral("Option3(0)")), Qt::LeftButton);
        QVERIFY(!tessera(QStringLiteral("Option3(0)"))->pressedState());
    }

    void tastiSulleTessereDeiLivelli_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<QString>("fuoco");
        const Qt::KeyboardModifiers no = Qt::NoModifier, pad = Qt::KeypadModifier;
        QTest::newRow("1 tastierino") << int(Qt::Key_1) << pad << QStringLiteral("Option2(0)");
        QTest::newRow("2") << int(Qt::Key_2) << no << QStringLiteral("Option2(1)");
        QTest::newRow("0") << int(Qt::Key_0) << no << QStringLiteral("Option2(2)");
        QTest::newRow("0 tastierino") << int(Qt::Key_0) << pad << QStringLiteral("Option2(2)");
        QTest::newRow("spazio dall'ultima") << int(Qt::Key_Space) << no << QStringLiteral("Option2(0)");
    }
    void tastiSulleTessereDeiLivelli() {
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, mod);
        QFETCH(QString, fuoco);
        QVERIFY(mostra());
        tessera(QStringLiteral("Option2(2)"))->setFocus();
        premi(Qt::Key(tasto), mod);
        QCOMPARE(QApplication::focusWidget(), tessera(fuoco));
        // None of these keys chooses a level.
        QCOMPARE(Modulo2::get().NumMax, qint16(0));
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
    }

    // Before a level is chosen "Vai" lies in a disabled frame.
    void esciPrimaDellaScelta_data() {
        QTest::addColumn<int>("tasto");
        QTest::newRow("spazio") << int(Qt::Key_Space);
        QTest::newRow("1") << int(Qt::Key_1);
        QTest::newRow("2") << int(Qt::Key_2);
    }
    void esciPrimaDellaScelta() {
        QFETCH(int, tasto);
        QVERIFY(mostra());
        CommandTile* esci = tessera(QStringLiteral("Option3(1)"));
        esci->setFocus();
        premi(Qt::Key(tasto));
        QCOMPARE(QApplication::focusWidget(), esci);
        QVERIFY(Forms::isLoaded(FrmInizio::kName));
        // A mouse press on "Vai" does nothing either.
        QTest::mousePress(tessera(QStringLiteral("Option3(0)")), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
    }

    void invioTenutoSulLivelloAttivaVai() {
        QVERIFY(mostra());
        for (int i = 0; i < 3; ++i)
            premi(Qt::Key_Return);
        QCOMPARE(Modulo2::get().NumMax, qint16(20));
        Form* esercizio = Forms::find(FrmOperativo::kName);
        QVERIFY(esercizio);
        QVERIFY(esercizio->isVisible());
    }

    // The release after Enter on a level tile arrives on "Vai": the level
    // group keeps its guard, and its next key press is swallowed.
    void guardiaDelLivelloDopoIlPassaggioAVai() {
        QVERIFY(mostra());
        premi(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), tessera(QStringLiteral("Option3(0)")));
        rilascia(Qt::Key_Return);
        QVERIFY(!f->vaiEsci()->keyDownGuard);
        QVERIFY(f->livelli()->keyDownGuard);
        tessera(QStringLiteral("Option2(1)"))->setFocus();
        premi(Qt::Key_Return);
        QCOMPARE(Modulo2::get().NumMin, qint16(10));
        rilascia(Qt::Key_Return);
        premi(Qt::Key_Return);
        QCOMPARE(Modulo2::get().NumMin, qint16(30));
        QVERIFY(!Forms::find(FrmOperativo::kName)->isVisible());
    }

    void clicLasciaIlColoreDelFuoco() {
        QVERIFY(mostra());
        CommandTile* liv = tessera(QStringLiteral("Option2(1)"));
        QTest::mouseClick(liv, Qt::LeftButton);
        QVERIFY(!liv->pressedState());
        // The level tile handed the focus to "Vai" and went back to rest.
        QCOMPARE(liv->backColor(), bgr(0x00FFFFC0));
        QCOMPARE(tessera(QStringLiteral("Option3(0)"))->backColor(), bgr(0x00FFFF80));
        QVERIFY(!tessera(QStringLiteral("Option3(0)"))->pressedState());
    }

    void menu_data() {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QString>("finestra");
        QTest::newRow("About") << QStringLiteral("mnuAutore") << QStringLiteral("frmAutore");
        QTest::newRow("Stampa schede")
            << QStringLiteral("frmStampaSchede") << QStringLiteral("FrmStampaSchedeBig");
    }
    void menu() {
        QFETCH(QString, voce);
        QFETCH(QString, finestra);
        QVERIFY(mostra());
        QAction* azione = f->findChild<QAction*>(voce);
        QVERIFY(azione);
        azione->trigger();
        azione->trigger();
        QCOMPARE(Forms::loadedNames().count(finestra), 1);
        QVERIFY(Forms::find(finestra)->isVisible());
        QVERIFY(f->isVisible());
    }
};

QTEST_MAIN(TstFrmInizio)
#include "tst_frminizio.moc"
