// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandTile.h"
#include "framework/TileGroup.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
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
};

QTEST_MAIN(TstCommandTile)
#include "tst_commandtile.moc"
