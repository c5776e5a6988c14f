// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Accessibility.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QtTest>

namespace {
const QColor kFuoco(255, 192, 128);
const QColor kRiposo(255, 224, 192);

// Two panels stacked on one place, as in the exercise window: group A in the
// lower one, group B in the upper one, which covers it. Actions are logged.
class Banco : public BancoGruppi {
public:
    Banco() : BancoGruppi(kFuoco, kRiposo) {
        for (Frame* f : {sotto, sopra}) {
            f->setBackColor(kRiposo);
            f->setGeometry(10, 10, 200, 150);
        }
        for (int i = 0; i < 3; ++i)
            a->addTile(sotto, QString::number(i), {0, i * 600.0, 1500, 500});
        b->addTile(sopra, QStringLiteral("SI"), {0, 0, 1500, 500});
        sopra->raise();
        resize(300, 200);
    }
    Frame* sotto = new Frame(this);
    Frame* sopra = new Frame(this);
};

void premiAccessibile(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface && iface->actionInterface());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The press arrives through the event loop, as a click does.
    QCoreApplication::processEvents();
}
} // namespace

class TstAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<Banco> banco;

private Q_SLOTS:
    void initTestCase() { accessibility::install(); }
    void init() {
        banco = std::make_unique<Banco>();
        banco->show();
        banco->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(banco.get()));
    }
    void cleanup() { banco.reset(); }

    // A tile a pupil could not press with the mouse does not act, and the
    // focus stays where it was.
    void nonPremibile_data() {
        QTest::addColumn<QString>("caso");
        QTest::newRow("tile disabled") << "tile";
        QTest::newRow("panel disabled") << "pannello";
        QTest::newRow("covered by the panel in front") << "coperto";
        QTest::newRow("hidden") << "nascosto";
    }
    void nonPremibile() {
        QFETCH(QString, caso);
        Banco& b = *banco;
        b.sotto->raise();
        CommandTile* bersaglio = b.a->tile(1);
        b.a->tile(0)->setFocus();
        if (caso == QLatin1String("tile"))
            bersaglio->setEnabled(false);
        else if (caso == QLatin1String("pannello"))
            b.sotto->setEnabled(false);
        else if (caso == QLatin1String("coperto"))
            b.sopra->raise();
        else
            bersaglio->hide();
        QWidget* primaDelFuoco = QApplication::focusWidget();
        premiAccessibile(bersaglio);
        QCOMPARE(b.azioni, QString());
        QCOMPARE(QApplication::focusWidget(), primaDelFuoco);
        QCOMPARE(QAccessible::queryAccessibleInterface(bersaglio)->state().invisible,
                 caso == QLatin1String("coperto") || caso == QLatin1String("nascosto"));
    }

    // The press action does what a mouse press does, also when the action
    // sends the focus to another group: the same action once, the same
    // focus, no pressed look, and no key guard left set on either group.
    void comeIlMouse_data() {
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<bool>("spostaFuoco");
        QTest::newRow("mouse press") << true << false;
        QTest::newRow("press action") << false << false;
        QTest::newRow("mouse press, focus to another group") << true << true;
        QTest::newRow("press action, focus to another group") << false << true;
    }
    void comeIlMouse() {
        QFETCH(bool, mouse);
        QFETCH(bool, spostaFuoco);
        Banco& b = *banco;
        b.sotto->raise();
        b.sopra->setGeometry(220, 10, 70, 150);
        if (spostaFuoco)
            b.dopoA = b.b->tile(0);
        b.a->tile(0)->setFocus();
        CommandTile* t = b.a->tile(2);
        if (mouse)
            QTest::mouseClick(t, Qt::LeftButton);
        else
            premiAccessibile(t);
        QCOMPARE(b.azioni, QStringLiteral("A2"));
        QCOMPARE(QApplication::focusWidget(), spostaFuoco ? b.b->tile(0) : t);
        QCOMPARE(t->backColor(), spostaFuoco ? kRiposo : kFuoco);
        QCOMPARE(t->pressedState(), false);
        // No key guard is left set: Enter acts on the focused tile at once.
        pressKey(Qt::Key_Return);
        releaseKey(Qt::Key_Return);
        QCOMPARE(b.azioni, spostaFuoco ? QStringLiteral("A2B0") : QStringLiteral("A2A2"));
    }

    // A push button clicks as under the mouse, and not once hidden.
    void bottone() {
        Button pulsante(banco.get());
        pulsante.setText(QStringLiteral("C h i u d i"));
        pulsante.setGeometry(220, 170, 70, 25);
        pulsante.show();
        connect(&pulsante, &QPushButton::clicked, [this] { banco->azioni += QLatin1Char('P'); });
        premiAccessibile(&pulsante);
        QCOMPARE(banco->azioni, QStringLiteral("P"));
        QCOMPARE(QApplication::focusWidget(), &pulsante);
        pulsante.hide();
        premiAccessibile(&pulsante);
        QCOMPARE(banco->azioni, QStringLiteral("P"));
    }

    // Labels read with their meaning; empty ones are not reported; a row of
    // labels reads as one text, in the order given, without children.
    void nomi() {
        Label valore(banco.get());
        valore.setToolTip(QStringLiteral("Secondi"));
        accessibility::setHeading(&valore, QStringLiteral("Risposte esatte "));
        valore.show();
        QAccessibleInterface* v = QAccessible::queryAccessibleInterface(&valore);
        QCOMPARE(v->text(QAccessible::Name), QStringLiteral("Risposte esatte"));
        valore.setCaption(QStringLiteral("3"));
        QCOMPARE(v->text(QAccessible::Name), QStringLiteral("Risposte esatte: 3"));
        QCOMPARE(v->text(QAccessible::Description), QStringLiteral("Secondi"));

        Frame riga(banco.get());
        QList<Label*> parti;
        for (const char* testo : {" 48", " + ", "?", "=", " 19", " + ", " 16"}) {
            parti << new Label(&riga);
            parti.last()->setCaption(QString::fromLatin1(testo));
        }
        parti.swapItemsAt(0, 2); // the order given, not the order of creation
        accessibility::readAsOneText(&riga, parti, QStringLiteral(" "));
        riga.show();
        QAccessibleInterface* r = QAccessible::queryAccessibleInterface(&riga);
        QCOMPARE(r->text(QAccessible::Name), QStringLiteral("? + 48 = 19 + 16"));
        QCOMPARE(r->textInterface()->text(0, r->textInterface()->characterCount()),
                 r->text(QAccessible::Name));
        QCOMPARE(r->childCount(), 0);
        Label vuota(&riga);
        vuota.show();
        QVERIFY(QAccessible::queryAccessibleInterface(&vuota)->state().invisible);
    }

    // News for a listener rides on the description of the tile the focus goes
    // to and leaves with the focus; each time a reader is told to read the
    // description again. Tiles coming into view, with their panel or their
    // window, get fresh accessible objects, so that a reader keeps nothing it
    // read of them while they were out of view.
    void notizieEOggettiNuovi() {
        Banco& b = *banco;
        QList<QPair<QWidget*, QAccessible::Event>> eventi;
        accessibility::setEventObserver([&eventi](QWidget* w, QAccessible::Event e) {
            eventi.append({w, e});
        });
        CommandTile* uno = b.a->tile(1);
        auto id = [](QWidget* w) { return QAccessible::uniqueId(QAccessible::queryAccessibleInterface(w)); };
        auto descrizione = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
        };
        const QAccessible::Id coperto = id(uno);
        const QAccessible::Id davanti = id(b.b->tile(0));
        b.sotto->raise();
        QVERIFY(eventi.contains({uno, QAccessible::ObjectCreated}));
        QVERIFY(!eventi.contains({b.b->tile(0), QAccessible::ObjectCreated}));
        QVERIFY(id(uno) != coperto);
        QCOMPARE(id(b.b->tile(0)), davanti);

        b.a->tile(0)->setFocus();
        eventi.clear();
        accessibility::setNews(uno, QStringLiteral(" ESATTO "));
        QCOMPARE(eventi,
                 (QList<QPair<QWidget*, QAccessible::Event>>{{uno, QAccessible::DescriptionChanged}}));
        uno->setAccessibleDescription(QStringLiteral("Risposta: 7"));
        QCOMPARE(descrizione(uno), QStringLiteral("ESATTO. Risposta: 7"));
        QCOMPARE(descrizione(b.a->tile(0)), QString());
        uno->setFocus();
        QCOMPARE(descrizione(uno), QStringLiteral("ESATTO. Risposta: 7"));
        eventi.clear();
        b.a->tile(2)->setFocus();
        QCOMPARE(descrizione(uno), QStringLiteral("Risposta: 7"));
        QCoreApplication::processEvents();
        QVERIFY(eventi.contains({uno, QAccessible::DescriptionChanged}));

        eventi.clear();
        const QAccessible::Id primaDellaFinestra = id(b.b->tile(0));
        banco->hide();
        banco->show();
        QVERIFY(eventi.contains({uno, QAccessible::ObjectCreated}));
        QVERIFY(id(b.b->tile(0)) != primaDellaFinestra);
        accessibility::setEventObserver(nullptr);
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
