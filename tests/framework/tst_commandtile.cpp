// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandTile.h"
#include "framework/TileGroup.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointingDevice>
#include <QStyleHints>
#include <QtTest>

namespace {
const QColor kFuoco(128, 255, 255);
const QColor kRiposo(192, 255, 255);

// Two groups on one window: A has three tiles, B one. Every action is logged
// as "A0", "B1", ... one after the other.
class Banco : public BancoGruppi {
public:
    Banco() : BancoGruppi(kFuoco, kRiposo) {
        a->addTile(this, QStringLiteral("uno"), {0, 0, 2400, 900});
        a->addTile(this, QStringLiteral("due"), {0, 1500, 2400, 900});
        a->addTile(this, QStringLiteral("tre"), {0, 3000, 2400, 900});
        b->addTile(this, QStringLiteral("sì"), {3000, 0, 2400, 900});
        resize(400, 300);
    }
};

} // namespace

class TstCommandTile : public QObject {
    Q_OBJECT

    std::unique_ptr<Banco> banco;
    CommandTile* a(int i) const { return banco->a->tile(i); }

private Q_SLOTS:
    void init() {
        banco = std::make_unique<Banco>();
        banco->show();
        banco->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(banco.get()));
    }
    void cleanup() { banco.reset(); }

    // Space moves to the next usable tile, once while held, and never acts.
    void spazio() {
        a(1)->setEnabled(false);
        a(0)->setFocus();
        pressKey(Qt::Key_Space, 2);
        QCOMPARE(QApplication::focusWidget(), a(2));
        QCOMPARE(a(2)->backColor(), kFuoco);
        QCOMPARE(a(0)->backColor(), kRiposo);
        QCOMPARE(banco->azioni, QString());
    }

    // A held Enter acts once; after the release it acts again. The keypad's
    // Enter is Enter too.
    void invioTenutoAgisceUnaVolta() {
        a(1)->setFocus();
        pressKey(Qt::Key_Return, 3);
        QCOMPARE(banco->azioni, QStringLiteral("A1"));
        releaseKey(Qt::Key_Return);
        pressKey(Qt::Key_Enter, 1, Qt::KeypadModifier);
        QCOMPARE(banco->azioni, QStringLiteral("A1A1"));
    }

    void tastoTenutoIgnoratoSulGruppoCheRiceveIlFuoco() {
        banco->b->setIgnoreKeysHeldOnFocus(true);
        banco->dopoA = banco->b->tile(0);
        a(0)->setFocus();
        pressKey(Qt::Key_Return, 3);
        QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(banco->b->tile(0), &ripetuto);
        QCOMPARE(banco->azioni, QStringLiteral("A0"));
        // The release on B ends the key for A too.
        releaseKey(Qt::Key_Return);
        QVERIFY(!banco->a->keyDownGuard);
        pressKey(Qt::Key_Return);
        QCOMPARE(banco->azioni, QStringLiteral("A0B0"));
    }

    // The release/press pairs of a key held on X11, unmarked: Enter acts once
    // and Space moves once; the key pressed again after its release acts again.
    void tastoTenutoSuX11() {
        a(0)->setFocus();
        holdKey(QStringLiteral("Return"), 30);
        QCOMPARE(banco->azioni, QStringLiteral("A0"));
        holdKey(QStringLiteral("Space"), 30);
        QCOMPARE(QApplication::focusWidget(), a(1));
        holdKey(QStringLiteral("Return"), 0);
        QCOMPARE(banco->azioni, QStringLiteral("A0A1"));
        // Pairs with different timestamps are real strokes.
        sendKey(QEvent::KeyPress, QStringLiteral("Space"), false, 500);
        sendKey(QEvent::KeyRelease, QStringLiteral("Space"), false, 600);
        sendKey(QEvent::KeyPress, QStringLiteral("Space"), false, 700);
        sendKey(QEvent::KeyRelease, QStringLiteral("Space"), false, 800);
        QCOMPARE(QApplication::focusWidget(), a(0));
        QVERIFY(!a(0)->pressedState());
    }

    void mouse_data() {
        QTest::addColumn<Qt::MouseButton>("tasto");
        QTest::newRow("sinistro") << Qt::LeftButton;
        QTest::newRow("destro") << Qt::RightButton;
    }
    void mouse() {
        QFETCH(Qt::MouseButton, tasto);
        a(0)->setFocus();
        // The action runs as the button goes down.
        QTest::mousePress(a(2), tasto);
        QCOMPARE(banco->azioni, QStringLiteral("A2"));
        QTest::mouseRelease(a(2), tasto);
        QCOMPARE(banco->azioni, QStringLiteral("A2"));
        QCOMPARE(QApplication::focusWidget(), a(2));
        QCOMPARE(a(2)->backColor(), kFuoco);
        QVERIFY(!a(2)->pressedState());
        QCOMPARE(a(0)->backColor(), kRiposo);
    }

    // The second press Qt calls a double click acts on the tile under both
    // presses and not on one that has just taken the first one's place; later
    // than the interval (Qt says so for a touch id reused) it is a press of
    // its own, wherever it lands.
    void doppioClic_data() {
        QTest::addColumn<int>("seconda");
        QTest::addColumn<int>("oltre"); // ms beyond the double-click interval
        QTest::addColumn<QString>("azioni");
        QTest::newRow("stessa tessera, presto") << 0 << -300 << "A0A0";
        QTest::newRow("altra tessera, presto") << 1 << -300 << "A0";
        QTest::newRow("altra tessera, al limite") << 1 << 0 << "A0";
        QTest::newRow("stessa tessera, tardi") << 0 << 1100 << "A0A0";
        QTest::newRow("altra tessera, appena dopo") << 1 << 1 << "A0A1";
    }
    void doppioClic() {
        QFETCH(int, seconda);
        QFETCH(int, oltre);
        QFETCH(QString, azioni);
        const ulong t = laterInputTime();
        pressAt(a(0), t);
        pressAt(a(seconda), t + ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval() + oltre),
                QEvent::MouseButtonDblClick);
        QCOMPARE(banco->azioni, azioni);
        // A press that does nothing leaves the focus alone.
        QCOMPARE(QApplication::focusWidget(), a(azioni.size() == 2 ? 0 : seconda));
    }

    // The test reset forgets what the tiles, groups, windows and message
    // boxes keep between events: a press in one test does not make the next
    // test's first press the second half of a double click.
    void statoRimessoDalReset() {
        const ulong t = laterInputTime();
        pressAt(a(0), t);
        TileGroup::keysInProgress().depth = 1;
        Form::frameGuess().lastFramed = QMargins(4, 30, 4, 4);
        ++MessageBox::onShow().count;
        resetProgram();
        QCOMPARE(CommandTile::inputTime(), quint64(0));
        QVERIFY(!TileGroup::keyInProgress());
        QVERIFY(Form::frameGuess().lastFramed.isNull());
        QVERIFY(!MessageBox::showing());
        pressAt(a(1), t + 10, QEvent::MouseButtonDblClick);
        QCOMPARE(banco->azioni, QStringLiteral("A0A1"));
    }

    // A group that has just come forward takes no press, plain or double, for
    // its settle time and the focus stays where it was; keys still act, and
    // so does a press once the time is over.
    void assestamento() {
        CommandTile* b0 = banco->b->tile(0);
        banco->b->setSettleTime(700);
        const ulong t = laterInputTime();
        pressAt(a(1), t);
        banco->b->settle();
        QCOMPARE(QApplication::focusWidget(), a(1));
        pressAt(b0, t + 200);
        pressAt(b0, t + 699, QEvent::MouseButtonDblClick);
        QCOMPARE(banco->azioni, QStringLiteral("A1"));
        QCOMPARE(QApplication::focusWidget(), a(1));
        QCOMPARE(b0->backColor(), kRiposo);
        b0->setFocus();
        sendKey(QEvent::KeyPress, QStringLiteral("Return"), false, t + 300);
        sendKey(QEvent::KeyRelease, QStringLiteral("Return"), false, t + 350);
        QCOMPARE(banco->azioni, QStringLiteral("A1B0"));
        pressAt(b0, t + 700);
        QCOMPARE(banco->azioni, QStringLiteral("A1B0B0"));
        // An event with no time, as an assistive technology's press, is not held back.
        banco->b->settle();
        pressAt(b0, 0);
        QCOMPARE(banco->azioni, QStringLiteral("A1B0B0B0"));
    }

    // Taps on a touch screen: three on one tile act three times, whether each
    // touch has a new id (X11) or all reuse id 0 (Wayland), which makes Qt
    // call every second one a double click; the action knows it was a touch.
    void tocchi_data() {
        QTest::addColumn<bool>("idRiusato");
        QTest::newRow("id nuovo") << false;
        QTest::newRow("id 0 riusato") << true;
    }
    void tocchi() {
        QFETCH(bool, idRiusato);
        static QPointingDevice* schermo = QTest::createTouchDevice();
        QStringList tocchi;
        auto* g = new TileGroup(
            QStringLiteral("T"),
            [&](int i) { tocchi << QStringLiteral("%1%2").arg(i).arg(CommandTile::actingOnTouch()); },
            banco.get());
        CommandTile* t = g->addTile(banco.get(), QStringLiteral("t"), {3000, 1500, 2400, 900});
        t->show();
        const QPoint p = t->geometry().center();
        for (int id = 1; id <= 3; ++id) {
            QTest::touchEvent(banco.get(), schermo).press(idRiusato ? 0 : id, p);
            QTest::touchEvent(banco.get(), schermo).release(idRiusato ? 0 : id, p);
        }
        QCOMPARE(tocchi, QStringList({"01", "01", "01"}));
        QVERIFY(!CommandTile::actingOnTouch());
        QTest::mouseClick(t, Qt::LeftButton);
        QCOMPARE(tocchi.last(), "00");
    }
};

QTEST_MAIN(TstCommandTile)
#include "tst_commandtile.moc"
