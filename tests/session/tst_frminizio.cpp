// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"
#include "support/UnloadedWindows.h"

#include <QAccessible>
#include <QAction>
#include <QPushButton>
#include <QtTest>

namespace {
const QColor kFuoco = bgr(0x00FFFF80);
const QColor kRiposo = bgr(0x00FFFFC0);

Form* esercizio() {
    return Forms::find(FrmOperativo::kName);
}
} // namespace

// The start window, and the About window it opens from its menu.
class TstFrmInizio : public QObject {
    Q_OBJECT

    FrmInizio* f = nullptr;

    CommandTile* liv(int i) const { return f->livelli()->tile(i); }
    CommandTile* vai() const { return f->vaiEsci()->tile(0); }
    CommandTile* esci() const { return f->vaiEsci()->tile(1); }
    QString banner(const Form* w, const QString& nome) const { return control<Label>(w, nome)->caption(); }

private Q_SLOTS:
    void init() {
        resetProgram();
        installFakePlatform();
        f = &Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(*f));
    }
    void cleanup() { resetProgram(); }

    void statoDopoIlCaricamento() {
        QCOMPARE(QApplication::focusWidget(), liv(0));
        QCOMPARE(liv(0)->backColor(), kFuoco);
        QCOMPARE(liv(1)->backColor(), kRiposo);
        QVERIFY(!vai()->isEnabled());
        QVERIFY(esci()->isEnabled());
        QVERIFY(f->isMaximized());
        QCOMPARE(f->windowTitle(), QStringLiteral("PONTEL0 (addizioni o sottrazioni)"));
        QCOMPARE(banner(f, QStringLiteral("Label6")), QString());
        // Loading chooses nothing.
        QCOMPARE(Modulo2::get().NumMax, qint16(0));
        QVERIFY(!esercizio());
        // "Vai" lies in a disabled frame: neither Space nor 1 can leave "Esci".
        esci()->setFocus();
        for (Qt::Key tasto : {Qt::Key_Space, Qt::Key_1}) {
            pressKey(tasto);
            QCOMPARE(QApplication::focusWidget(), esci());
            releaseKey(tasto);
        }
        QVERIFY(Forms::isLoaded(FrmInizio::kName));
    }

    void sceltaLivello_data() {
        QTest::addColumn<int>("prima");
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::addColumn<QString>("limiti");
        QTest::newRow("0") << -1 << 0 << 10 << 20 << QStringLiteral("10 e  40");
        QTest::newRow("1 poi 2") << 1 << 2 << 50 << 90 << QStringLiteral("50 e 90");
        QTest::newRow("2 poi 1") << 2 << 1 << 30 << 70 << QStringLiteral("30 e 70");
    }
    void sceltaLivello() {
        QFETCH(int, prima);
        QFETCH(int, indice);
        QFETCH(int, numMin);
        QFETCH(int, numMax);
        QFETCH(QString, limiti);
        const QString testo = QStringLiteral("Numero massimo compreso tra ") + limiti;
        if (prima >= 0)
            QTest::mouseClick(liv(prima), Qt::LeftButton);
        Form* primo = esercizio();
        CommandTile* scelta = liv(indice);
        QTest::mouseClick(scelta, prima >= 0 ? Qt::RightButton : Qt::LeftButton);
        const Modulo2& m = Modulo2::get();
        QCOMPARE(m.NumMin, qint16(numMin));
        QCOMPARE(m.NumMax, qint16(numMax));
        QCOMPARE(m.TestoLivello, testo);
        QCOMPARE(banner(f, QStringLiteral("Label6")), testo);
        // The exercise window is loaded once, hidden, after the bounds were
        // stored: its first operation already uses them.
        QVERIFY(esercizio() && !esercizio()->isVisible());
        QVERIFY(!primo || esercizio() == primo);
        QCOMPARE(banner(esercizio(), QStringLiteral("Label2")), testo);
        for (int k = 1; prima < 0 && k <= 4; ++k)
            QVERIFY2(m.num(k) >= numMin && m.num(k) < numMax, qPrintable(QString::number(m.num(k))));
        // The level tile hands the focus to "Vai" and goes back to rest.
        QCOMPARE(QApplication::focusWidget(), vai());
        // ... and a screen reader reads the level chosen with it.
        QCOMPARE(QAccessible::queryAccessibleInterface(vai())->text(QAccessible::Description),
                 testo.simplified());
        QCOMPARE(vai()->backColor(), kFuoco);
        QCOMPARE(scelta->backColor(), kRiposo);
        QVERIFY(!scelta->pressedState());
        // "Vai" shows the exercise window; the start window stays open behind it.
        QTest::mouseClick(vai(), Qt::LeftButton);
        QVERIFY(esercizio()->isVisible());
        QVERIFY(f->isVisible());
        QVERIFY(!vai()->pressedState());
    }

    // No key but Enter chooses a level. A selection key moves the focus and
    // holds the guard, so that Enter right after it does nothing; 0 is
    // discarded, and Enter acts at once.
    void tastiSulleTessereDeiLivelli_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<int>("fuoco");
        const Qt::KeyboardModifiers no = Qt::NoModifier, pad = Qt::KeypadModifier;
        QTest::newRow("1") << int(Qt::Key_1) << no << 0;
        QTest::newRow("1 tastierino") << int(Qt::Key_1) << pad << 0;
        QTest::newRow("2") << int(Qt::Key_2) << no << 1;
        QTest::newRow("2 tastierino") << int(Qt::Key_2) << pad << 1;
        QTest::newRow("0 tastierino") << int(Qt::Key_0) << pad << 2;
        QTest::newRow("spazio dall'ultima") << int(Qt::Key_Space) << no << 0;
    }
    void tastiSulleTessereDeiLivelli() {
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, mod);
        QFETCH(int, fuoco);
        liv(2)->setFocus();
        pressKey(Qt::Key(tasto), 1, mod);
        QCOMPARE(QApplication::focusWidget(), liv(fuoco));
        QCOMPARE(Modulo2::get().NumMax, qint16(0));
        if (tasto == Qt::Key_Space)
            return;
        pressKey(Qt::Key_Return);
        QCOMPARE(Modulo2::get().NumMax, qint16(fuoco == 2 ? 90 : 0));
    }

    void invioSulLivello() {
        pressKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), vai());
        // The release arrives on "Vai": the level group keeps its guard, and
        // its next press is swallowed.
        releaseKey(Qt::Key_Return);
        QVERIFY(!f->vaiEsci()->keyDownGuard);
        QVERIFY(f->livelli()->keyDownGuard);
        liv(1)->setFocus();
        pressKey(Qt::Key_Return);
        QCOMPARE(Modulo2::get().NumMin, qint16(10));
        QVERIFY(!esercizio()->isVisible());
        releaseKey(Qt::Key_Return);
        // Held down, Enter chooses the level and then acts on "Vai" too.
        pressKey(Qt::Key_Return, 2);
        QCOMPARE(Modulo2::get().NumMin, qint16(30));
        QVERIFY(esercizio()->isVisible());
    }

    // A window of the menu opens once however often it is asked for, in front
    // of the start window. The About window has the focus on "Chiudi", which
    // closes it alone.
    void menu() {
        f->findChild<QAction*>(QStringLiteral("frmStampaSchede"))->trigger();
        QVERIFY(Forms::find(QStringLiteral("FrmStampaSchedeBig"))->isVisible());
        QAction* voce = f->findChild<QAction*>(QStringLiteral("mnuAutore"));
        voce->trigger();
        voce->trigger();
        QCOMPARE(Forms::loadedNames().count(FrmAutore::kName), 1);
        Form* autore = Forms::find(FrmAutore::kName);
        // It belongs to the start window, which Qt then counts as active
        // too: wait for the About window itself.
        QCOMPARE(autore->windowHandle()->transientParent(), f->windowHandle());
        QTRY_COMPARE(QApplication::activeWindow(), autore);
        QVERIFY(f->isVisible());
        QCOMPARE(autore->windowTitle(), QStringLiteral("Autore"));
        QCOMPARE(banner(autore, QStringLiteral("Label3")), QStringLiteral("Email:"));
        auto* chiudi = control<QPushButton>(autore, QStringLiteral("Command1"));
        QCOMPARE(chiudi->text(), QStringLiteral("C h i u d i"));
        QCOMPARE(QApplication::focusWidget(), chiudi);
        for (QWidget* w : autore->client()->findChildren<QWidget*>())
            QVERIFY2(w == chiudi || !(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
        // A fixed layout: a larger window leaves the button where it was.
        const QRect dove = chiudi->geometry();
        setInnerSize(*autore, QSize(1200, 900));
        QCOMPARE(chiudi->geometry(), dove);
        QTest::mouseClick(chiudi, Qt::LeftButton);
        QCOMPARE(unloadedWindows(), QStringList{FrmAutore::kName});
        QVERIFY(f->isVisible());
        flushEvents();
        voce->trigger();
        QVERIFY(Forms::isLoaded(FrmAutore::kName));
    }
};

QTEST_MAIN(TstFrmInizio)
#include "tst_frminizio.moc"
