// SPDX-License-Identifier: GPL-3.0-or-later
// The name window: its state on opening, the keys that type, erase and store
// the name and those that do nothing, held keys, long names, closing and
// opening again; the letter tiles a tap on "NOME" brings.

#include "core/Modulo2.h"
#include "framework/Twips.h"
#include "results/FrmNome.h"
#include "results/FrmStampaEsercizio.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPointer>
#include <QPointingDevice>
#include <QtTest>

class TstFrmNome : public QObject {
    Q_OBJECT

    FrmNome* f = nullptr;

    static Modulo2& m() { return Modulo2::get(); }
    // Opens the window and checks what every opening shows: the placeholder,
    // stored as the name too, and the focus on the unpressed tile.
    void apri() {
        f = nullptr;
        m().NomeAlunno = QStringLiteral("VECCHIO");
        FrmNome& nome = Forms::get<FrmNome>();
        QVERIFY(showAndActivate(nome));
        QCOMPARE(mostrato(&nome), "?");
        QCOMPARE(m().NomeAlunno, "?");
        QCOMPARE(fuoco(), "Option4");
        QVERIFY(!control<CommandTile>(&nome, "Option4")->pressedState());
        f = &nome;
    }
    static QString mostrato(const FrmNome* w) { return control<Label>(w, "lblNome")->caption(); }
    static QString fuoco() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void apertura() {
        apri();
        QVERIFY(f);
        QVERIFY(f->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(f->client()->size(), QSize(twipsToPixels(5835), twipsToPixels(5520)));
        auto* avanti = control<CommandTile>(f, "Option4");
        QCOMPARE(avanti->caption(), "AVANTI");
        QCOMPARE(avanti->backColor(), bgr(0x00C0E0FF)); // no focus colouring
        // Only the tile takes the focus.
        for (QWidget* w : f->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                QCOMPARE(w->objectName(), "Option4");
    }

    // Keys through the tile, then possibly a close: a mouse press of any
    // button, as it goes down, or the window manager's (-1). The name stays
    // as last stored; opened again the window starts afresh. "" types with
    // Shift, Caps Lock, Ctrl, accented letters and punctuation as a real
    // keyboard sends them.
    void tasti_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrato");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("chiusura");
        auto riga = [](const char* caso, const char* tasti, const char* mostrato, const char* nome,
                       int chiusura = 0) {
            QTest::newRow(caso) << QString(tasti) << QString(mostrato) << QString(nome) << chiusura;
        };
        riga("un nome", "R O S S I", "ROSSI", "ROSSI");
        riga("Backspace sul segnaposto", "Backspace", "?", "?");
        riga("cancellato tutto: resta l'ultima lettera, tasto sinistro", "A B Backspace Backspace", "?", "A",
             Qt::LeftButton);
        riga("Invio senza nome", "Return", "?", "?");
        riga("Invio dopo aver cancellato tutto, tasto destro", "A B Backspace Backspace Return", "?", "?",
             Qt::RightButton);
        riga("Invio non chiude, tasto centrale", "L U C A Return Backspace", "LUC", "LUC", Qt::MiddleButton);
        riga("tasti che non scrivono",
             "Space Escape Left Right Up Down Tab 0 1 2 3 9 kp1 kp2 , . - ' F1 Delete", "?", "?");
        riga("lettere fra i tasti inerti, chiusura del window manager", "E Space V 1 2 Escape A", "EVA",
             "EVA", -1);
        riga("sempre maiuscole, accentate ignorate", "", "AAAB", "AAAB");
    }
    void tasti() {
        QFETCH(QString, tasti);
        QFETCH(QString, mostrato);
        QFETCH(QString, nome);
        QFETCH(int, chiusura);
        apri();
        QVERIFY(f);
        using M = Qt::KeyboardModifiers; // Shift; none with Caps Lock on; none; Shift+Ctrl
        const std::tuple<Qt::Key, const char*, M> comeTastiera[] = {
            {Qt::Key_A, "A", Qt::ShiftModifier},
            {Qt::Key_A, "A", {}},
            {Qt::Key_A, "a", {}},
            {Qt::Key_B, "b", Qt::ShiftModifier | Qt::ControlModifier},
            {Qt::Key_Agrave, "\u00e0", {}},
            {Qt::Key_Egrave, "\u00c8", Qt::ShiftModifier},
            {Qt::Key_Apostrophe, "'", {}},
            {Qt::Key_unknown, "\u00f9", {}}};
        for (auto [k, t, mod] : comeTastiera)
            for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent e(tipo, k, mod, QString::fromUtf8(t));
                if (tasti.isEmpty()) // only the row that has no script
                    QApplication::sendEvent(QApplication::focusWidget(), &e);
            }
        strokes(tasti);
        QCOMPARE(this->mostrato(f), mostrato);
        QCOMPARE(m().NomeAlunno, nome);
        QCOMPARE(fuoco(), "Option4");
        QVERIFY(Forms::isLoaded(FrmNome::kName));
        QVERIFY(!control<CommandTile>(f, "Option4")->pressedState());
        if (!chiusura)
            return;
        if (chiusura > 0)
            QTest::mousePress(control<CommandTile>(f, "Option4"), Qt::MouseButton(chiusura));
        else
            f->close();
        QVERIFY(!Forms::isLoaded(FrmNome::kName));
        flushEvents();
        QCOMPARE(m().NomeAlunno, nome);
        apri();
        QVERIFY(f);
        strokes("Z");
        QCOMPARE(m().NomeAlunno, "Z");
    }

    // A held key types once; a key pressed while another is held is ignored;
    // a swallowed key leaves the guard clear.
    void tastiTenuti() {
        apri();
        QVERIFY(f);
        holdKey("A", 6);
        QCOMPARE(mostrato(f), "A");
        holdKey("Backspace", 4);
        QCOMPARE(mostrato(f), "?");
        holdKey("A", 3);
        sendKey(QEvent::KeyPress, "B");
        sendKey(QEvent::KeyPress, "C");
        sendKey(QEvent::KeyRelease, "C");
        sendKey(QEvent::KeyRelease, "B");
        sendKey(QEvent::KeyPress, "Space");
        strokes("D");
        QCOMPARE(mostrato(f), "ABD");
    }

    // A name too wide for the label is drawn smaller, down to 12 pt, then cut
    // at the left, the last letters typed in view; the stored name is whole.
    void nomiLunghi_data() {
        QTest::addColumn<int>("lettere");
        QTest::addColumn<QString>("come");
        QTest::newRow("entra") << 8 << "24";
        QTest::newRow("rimpicciolito") << 16 << "minore";
        QTest::newRow("tagliato a sinistra") << 200 << "12";
    }
    void nomiLunghi() {
        QFETCH(int, lettere);
        QFETCH(QString, come);
        apri();
        QVERIFY(f);
        strokes(QStringLiteral("W ").repeated(lettere - 1) + 'Z');
        const QString atteso = QString(lettere - 1, QLatin1Char('W')) + QLatin1Char('Z');
        QCOMPARE(m().NomeAlunno, atteso);
        QCOMPARE(mostrato(f), atteso);
        auto* etichetta = control<EtichettaNome>(f, "lblNome");
        QCOMPARE(etichetta->size(), QSize(twipsToPixels(5415), twipsToPixels(765)));
        const double punti = etichetta->fontMostrato().pointSizeF();
        QCOMPARE(punti == 24 ? "24" : punti == 12 ? "12" : punti > 12 && punti < 24 ? "minore" : "?", come);
        const bool tagliato = lettere == 200;
        QCOMPARE(etichetta->tagliataASinistra(), tagliato);
        // On screen a cut name runs off the left edge and ends at the right one.
        const QImage img = etichetta->grab().toImage();
        auto rosso = [&](int da, int a) {
            for (int x = da; x <= a; ++x)
                for (int y = 0; y < img.height(); ++y)
                    if (img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).green() < 80)
                        return true;
            return false;
        };
        QCOMPARE(rosso(0, 0), tagliato);
        QCOMPARE(rosso(img.width() - 3, img.width() - 1), tagliato);
        QVERIFY(rosso(img.width() / 2 - 5, img.width() / 2 + 5));
    }

    // Opened by a tap on "NOME", the window also shows "A" to "Z" and an
    // erasing tile between the name and "AVANTI", at least 1 cm at 96 dpi,
    // taking no focus: taps type and erase as the keys do (a tile tapped
    // twice with the touch id reused acts twice), the keys still type, an
    // assistive technology can press them. Opened by the mouse, none of it.
    void lettereATocco_data() {
        QTest::addColumn<bool>("tocco");
        QTest::newRow("tocco") << true;
        QTest::newRow("mouse") << false;
    }
    void lettereATocco() {
        QFETCH(bool, tocco);
        static QPointingDevice* schermo = QTest::createTouchDevice();
        auto tocca = [](QWidget* w) {
            // A tap on "AVANTI" closes the window: its release has nowhere to go.
            const QPointer<QWidget> finestra = w->window();
            const QPoint p = w->mapTo(finestra, w->rect().center());
            QTest::touchEvent(finestra, schermo).press(0, p);
            if (finestra)
                QTest::touchEvent(finestra, schermo).release(0, p);
        };
        FrmStampaEsercizio& risultati = Forms::get<FrmStampaEsercizio>();
        QVERIFY(showAndActivate(risultati));
        auto* apriNome = control<CommandTile>(&risultati, "Option1(2)");
        if (tocco)
            tocca(apriNome);
        else
            QTest::mouseClick(apriNome, Qt::LeftButton);
        auto* nome = static_cast<FrmNome*>(Forms::find(FrmNome::kName));
        QVERIFY(nome && QTest::qWaitForWindowActive(nome));
        QTRY_COMPARE(fuoco(), "Option4");
        const auto lettere = nome->findChildren<CommandTile*>(QRegularExpression(R"(^Lettera\(\d+\)$)"));
        if (!tocco) {
            QCOMPARE(lettere.size(), 0);
            QCOMPARE(nome->client()->size(), QSize(twipsToPixels(5835), twipsToPixels(5520)));
            return;
        }
        QCOMPARE(lettere.size(), FrmNome::kLettere + 1);
        const int sopra = control(nome, "Label9")->geometry().bottom();
        auto* avanti = control<CommandTile>(nome, "Option4");
        for (int i = 0; i <= FrmNome::kLettere; ++i) {
            auto* t = control<CommandTile>(nome, QStringLiteral("Lettera(%1)").arg(i));
            QCOMPARE(t->caption(), i < FrmNome::kLettere ? QString(QChar('A' + i)) : "Cancella");
            QVERIFY2(t->isVisible() && t->width() >= 38 && t->height() >= 38, qPrintable(t->objectName()));
            QVERIFY(t->geometry().top() > sopra && t->geometry().bottom() < avanti->geometry().top());
            QCOMPARE(t->focusPolicy(), Qt::NoFocus);
            QCOMPARE(t->backColor(), avanti->backColor());
        }
        QVERIFY(nome->client()->rect().contains(avanti->geometry()));
        for (int i : {2, 8, 0, 14})
            tocca(lettere.at(i));
        QCOMPARE(mostrato(nome), "CIAO");
        QCOMPARE(m().NomeAlunno, "CIAO");
        QCOMPARE(fuoco(), "Option4");
        QCOMPARE(avanti->backColor(), bgr(0x00C0E0FF));
        auto* cancella = control<CommandTile>(nome, "Lettera(26)");
        tocca(cancella);
        tocca(cancella);
        strokes("A");
        QCOMPARE(mostrato(nome), "CIA");
        QAccessibleInterface* accessibile = QAccessible::queryAccessibleInterface(lettere.at(25));
        QVERIFY(accessibile && accessibile->actionInterface());
        accessibile->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(mostrato(nome), "CIAZ");
        for (int i = 0; i < 5; ++i)
            tocca(cancella);
        QCOMPARE(mostrato(nome), "?");
        QCOMPARE(m().NomeAlunno, "C");
        tocca(avanti);
        QVERIFY(!Forms::isLoaded(FrmNome::kName));
    }
};

QTEST_MAIN(TstFrmNome)
#include "tst_frmnome.moc"
