#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

namespace {
const QColor kFuoco(128, 255, 255);
const QColor kRiposo(192, 255, 255);

// Two groups on one window: A has three tiles, the middle one inside a frame
// that can be disabled; B has two. Every action is logged as "A0", "B1", ...
class Banco : public QWidget {
public:
    Banco() {
        resize(400, 300);
        a = gruppo(QStringLiteral("A"));
        b = gruppo(QStringLiteral("B"));
        cornice = new Frame(this);
        placeTwips(cornice, {0, 1500, 2400, 1200});
        a->addTile(this, QStringLiteral("uno"), {0, 0, 2400, 900});
        a->addTile(cornice, QStringLiteral("due"), {150, 150, 2100, 900});
        a->addTile(this, QStringLiteral("tre"), {0, 3000, 2400, 900});
        b->addTile(this, QStringLiteral("sì"), {3000, 0, 2400, 900});
        b->addTile(this, QStringLiteral("no"), {3000, 1500, 2400, 900});
    }
    TileGroup* a;
    TileGroup* b;
    Frame* cornice;
    QStringList azioni;
    // Where A's action sends the focus, if anywhere.
    CommandTile* dopoA = nullptr;

private:
    TileGroup* gruppo(const QString& nome) {
        auto* g = new TileGroup(
            nome,
            [this, nome](int i) {
                azioni.append(nome + QString::number(i));
                if (nome == QLatin1String("A") && dopoA)
                    dopoA->setFocus();
            },
            this);
        g->setColors(kFuoco, kRiposo);
        g->setSelection({{49, 0}, {97, 0}, {50, 1}, {98, 1}});
        return g;
    }
};

// Key events go where the user's keyboard would send them: to the focus.
void premi(Qt::Key key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyPress(QApplication::focusWidget(), key, mod);
}
void rilascia(Qt::Key key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyRelease(QApplication::focusWidget(), key, mod);
}
} // namespace

class TstCommandTile : public QObject {
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    bool mostraBanco() {
        banco = std::make_unique<Banco>();
        banco->show();
        banco->activateWindow();
        return QTest::qWaitForWindowActive(banco.get());
    }
    CommandTile* a(int i) const { return banco->a->tile(i); }

private slots:
    void cleanup() { banco.reset(); }

    void codiciTasto_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<int>("codice");
        const Qt::KeyboardModifiers no = Qt::NoModifier, pad = Qt::KeypadModifier;
        QTest::newRow("0") << int(Qt::Key_0) << no << 48;
        QTest::newRow("9") << int(Qt::Key_9) << no << 57;
        QTest::newRow("0 tastierino") << int(Qt::Key_0) << pad << 96;
        QTest::newRow("9 tastierino") << int(Qt::Key_9) << pad << 105;
        QTest::newRow("A") << int(Qt::Key_A) << no << 65;
        QTest::newRow("Z con maiuscole") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 90;
        QTest::newRow("Invio") << int(Qt::Key_Return) << no << 13;
        QTest::newRow("Invio tastierino") << int(Qt::Key_Enter) << pad << 13;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << no << 8;
        QTest::newRow("Spazio") << int(Qt::Key_Space) << no << 32;
        QTest::newRow("sinistra") << int(Qt::Key_Left) << no << 37;
        QTest::newRow("giù") << int(Qt::Key_Down) << no << 40;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << no << vk::None;
    }
    void codiciTasto() {
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, mod);
        QFETCH(int, codice);
        const QKeyEvent e(QEvent::KeyPress, tasto, mod);
        QCOMPARE(vk::fromKeyEvent(&e), codice);
    }

    void spazio_data() {
        QTest::addColumn<int>("da");
        QTest::addColumn<QString>("inutilizzabili");
        QTest::addColumn<int>("arrivo");
        QTest::newRow("alla successiva") << 0 << QString() << 1;
        QTest::newRow("dall'ultima alla prima") << 2 << QString() << 0;
        QTest::newRow("salta la tessera disabilitata") << 0 << QStringLiteral("1") << 2;
        QTest::newRow("salta la cornice disabilitata") << 0 << QStringLiteral("cornice") << 2;
        QTest::newRow("prima disabilitata") << 2 << QStringLiteral("0") << 1;
        QTest::newRow("nessun'altra utilizzabile") << 2 << QStringLiteral("0 cornice") << 2;
    }
    void spazio() {
        QFETCH(int, da);
        QFETCH(QString, inutilizzabili);
        QFETCH(int, arrivo);
        QVERIFY(mostraBanco());
        const QStringList parti = inutilizzabili.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        banco->cornice->setEnabled(!parti.contains(QStringLiteral("cornice")));
        for (const QString& p : parti)
            if (p != QLatin1String("cornice"))
                a(p.toInt())->setEnabled(false);
        a(da)->setFocus();
        premi(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), a(arrivo));
        QCOMPARE(a(arrivo)->backColor(), kFuoco);
        if (arrivo != da)
            QCOMPARE(a(da)->backColor(), kRiposo);
        // Space only moves; it never acts.
        QCOMPARE(banco->azioni, QStringList());
    }

    void spazioTenutoSpostaUnaVolta() {
        QVERIFY(mostraBanco());
        a(0)->setFocus();
        premi(Qt::Key_Space);
        premi(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), a(1));
        rilascia(Qt::Key_Space);
        premi(Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), a(2));
    }

    void invioTenutoAgisceUnaVolta_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::newRow("Invio") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
        QTest::newRow("Invio tastierino") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    }
    void invioTenutoAgisceUnaVolta() {
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, mod);
        const auto k = Qt::Key(tasto);
        QVERIFY(mostraBanco());
        a(1)->setFocus();
        for (int i = 0; i < 3; ++i)
            premi(k, mod);
        QCOMPARE(banco->azioni, QStringList({QStringLiteral("A1")}));
        rilascia(k, mod);
        premi(k, mod);
        QCOMPARE(banco->azioni, QStringList({QStringLiteral("A1"), QStringLiteral("A1")}));
        QCOMPARE(QApplication::focusWidget(), a(1));
    }

    void selezioneDaTastiera_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<int>("scelta");
        const Qt::KeyboardModifiers no = Qt::NoModifier, pad = Qt::KeypadModifier;
        QTest::newRow("1") << int(Qt::Key_1) << no << 0;
        QTest::newRow("1 tastierino") << int(Qt::Key_1) << pad << 0;
        QTest::newRow("2") << int(Qt::Key_2) << no << 1;
        QTest::newRow("2 tastierino") << int(Qt::Key_2) << pad << 1;
        QTest::newRow("0 non seleziona") << int(Qt::Key_0) << no << 2;
        QTest::newRow("0 tastierino non seleziona") << int(Qt::Key_0) << pad << 2;
        QTest::newRow("3 fuori tabella") << int(Qt::Key_3) << no << 2;
        QTest::newRow("lettera") << int(Qt::Key_X) << no << 2;
    }
    void selezioneDaTastiera() {
        QFETCH(int, tasto);
        QFETCH(Qt::KeyboardModifiers, mod);
        QFETCH(int, scelta);
        QVERIFY(mostraBanco());
        a(2)->setFocus();
        premi(Qt::Key(tasto), mod);
        QCOMPARE(QApplication::focusWidget(), a(scelta));
        QCOMPARE(banco->azioni, QStringList());
        // A discarded key leaves the guard clear: Enter, still without a
        // release, acts at once.
        premi(Qt::Key_Return);
        QCOMPARE(banco->azioni.size(), scelta == 2 ? 1 : 0);
    }

    void guardiaRestaSulGruppoDiPartenza() {
        QVERIFY(mostraBanco());
        banco->dopoA = banco->b->tile(0);
        a(0)->setFocus();
        // A held Enter: A acts and sends the focus to B, whose guard is clear,
        // so B acts on the repeat; after that B's guard holds.
        for (int i = 0; i < 3; ++i)
            premi(Qt::Key_Return);
        QCOMPARE(banco->azioni, QStringList({QStringLiteral("A0"), QStringLiteral("B0")}));
        rilascia(Qt::Key_Return);
        QVERIFY(!banco->b->keyDownGuard);
        QVERIFY(banco->a->keyDownGuard);
        // Back on A, the first press is swallowed by A's own guard.
        a(0)->setFocus();
        premi(Qt::Key_Return);
        QCOMPARE(banco->azioni.size(), 2);
        rilascia(Qt::Key_Return);
        premi(Qt::Key_Return);
        QCOMPARE(banco->azioni.size(), 3);
        QCOMPARE(banco->azioni.last(), QStringLiteral("A0"));
    }

    void tastoTenutoIgnoratoSulGruppoCheRiceveIlFuoco() {
        QVERIFY(mostraBanco());
        banco->b->setIgnoreKeysHeldOnFocus(true);
        banco->dopoA = banco->b->tile(1);
        a(0)->setFocus();
        for (int i = 0; i < 3; ++i)
            premi(Qt::Key_Return);
        QCOMPARE(banco->azioni, QStringList({QStringLiteral("A0")}));
        QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(banco->b->tile(1), &ripetuto);
        QCOMPARE(banco->azioni.size(), 1);
        // The release on B ends the key for A too.
        rilascia(Qt::Key_Return);
        QVERIFY(!banco->a->keyDownGuard);
        premi(Qt::Key_Return);
        QCOMPARE(banco->azioni.last(), QStringLiteral("B1"));
    }

    void mouse_data() {
        QTest::addColumn<Qt::MouseButton>("tasto");
        QTest::newRow("sinistro") << Qt::LeftButton;
        QTest::newRow("destro") << Qt::RightButton;
        QTest::newRow("centrale") << Qt::MiddleButton;
    }
    void mouse() {
        QFETCH(Qt::MouseButton, tasto);
        QVERIFY(mostraBanco());
        a(0)->setFocus();
        QTest::mousePress(a(2), tasto);
        // The action runs as the button goes down.
        QCOMPARE(banco->azioni, QStringList({QStringLiteral("A2")}));
        QTest::mouseRelease(a(2), tasto);
        QCOMPARE(banco->azioni.size(), 1);
        QCOMPARE(QApplication::focusWidget(), a(2));
        QCOMPARE(a(2)->backColor(), kFuoco);
        QVERIFY(!a(2)->pressedState());
        QCOMPARE(a(0)->backColor(), kRiposo);
    }
};

QTEST_MAIN(TstCommandTile)
#include "tst_commandtile.moc"
