// The name window: its state on opening, the keys that type, erase and store
// the name and those that do nothing, held keys, long names, closing and
// opening again.

#include "framework/CommandTile.h"
#include "framework/Twips.h"
#include "results/FrmNome.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QtTest>

class TstFrmNome : public QObject {
    Q_OBJECT

    static Modulo2& m() { return Modulo2::get(); }
    static FrmNome* apri() {
        FrmNome& f = Forms::get<FrmNome>();
        return showAndActivate(f) ? &f : nullptr;
    }
    static QString mostrato(const FrmNome* f) { return control<Label>(f, "lblNome")->caption(); }
    static QString fuoco() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // A key as a keyboard sends it, with the text it would type.
    static void tasto(Qt::Key k, const QString& testo, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, k, mod, testo);
            QApplication::sendEvent(QApplication::focusWidget(), &e);
        }
    }

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void apertura() {
        m().NomeAlunno = QStringLiteral("VECCHIO");
        FrmNome* f = apri();
        QVERIFY(f);
        QCOMPARE(m().NomeAlunno, "?");
        QCOMPARE(mostrato(f), "?");
        QCOMPARE(fuoco(), "Option4");
        QVERIFY(f->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!f->isMaximized());
        QCOMPARE(f->client()->size(), QSize(twipsToPixels(5835), twipsToPixels(5520)));
        auto* avanti = control<CommandTile>(f, "Option4");
        QCOMPARE(avanti->caption(), "AVANTI");
        QVERIFY(!avanti->pressedState());
        QCOMPARE(avanti->backColor(), bgr(0x00C0E0FF)); // no focus colouring
        // Nothing else takes the focus.
        for (QWidget* w : f->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                QCOMPARE(w->objectName(), "Option4");
    }

    void tasti_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrato");
        QTest::addColumn<QString>("nome");
        auto riga = [](const char* caso, const char* tasti, const char* mostrato, const char* nome) {
            QTest::newRow(caso) << QString(tasti) << QString(mostrato) << QString(nome);
        };
        riga("un nome", "R O S S I", "ROSSI", "ROSSI");
        riga("Backspace sul segnaposto", "Backspace", "?", "?");
        riga("cancellato tutto: resta l'ultima lettera", "A B Backspace Backspace", "?", "A");
        riga("Invio senza nome", "Return", "?", "?");
        riga("Invio dopo aver cancellato tutto", "A B Backspace Backspace Return", "?", "?");
        riga("Invio non chiude", "L U C A Return Backspace", "LUC", "LUC");
        riga("tasti che non scrivono",
             "Space Escape Left Right Up Down Tab 0 1 2 3 9 kp1 kp2 , . - ' F1 Delete", "?", "?");
        riga("lettere fra i tasti inerti", "E Space V 1 2 Escape A", "EVA", "EVA");
    }
    void tasti() {
        QFETCH(QString, tasti);
        QFETCH(QString, mostrato);
        QFETCH(QString, nome);
        FrmNome* f = apri();
        QVERIFY(f);
        strokes(tasti);
        QCOMPARE(this->mostrato(f), mostrato);
        QCOMPARE(m().NomeAlunno, nome);
        QCOMPARE(fuoco(), "Option4");
        QVERIFY(Forms::isLoaded(FrmNome::kName));
        QVERIFY(!control<CommandTile>(f, "Option4")->pressedState());
    }

    // Shift, Caps Lock or neither: always the capital letter. Accented letters
    // and punctuation, whatever text they carry, type nothing.
    void maiuscole() {
        FrmNome* f = apri();
        QVERIFY(f);
        tasto(Qt::Key_A, "A", Qt::ShiftModifier);
        tasto(Qt::Key_A, "A"); // Caps Lock on
        tasto(Qt::Key_A, "a");
        tasto(Qt::Key_B, "b", Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(mostrato(f), "AAAB");
        tasto(Qt::Key_Agrave, QStringLiteral("\u00e0"));
        tasto(Qt::Key_Egrave, QStringLiteral("\u00c8"), Qt::ShiftModifier);
        tasto(Qt::Key_Apostrophe, "'");
        tasto(Qt::Key_Space, " ");
        tasto(Qt::Key_unknown, QStringLiteral("\u00f9"));
        QCOMPARE(mostrato(f), "AAAB");
        QCOMPARE(m().NomeAlunno, "AAAB");
    }

    // A held key types once; a key pressed while another is held is ignored.
    void tastiTenuti() {
        FrmNome* f = apri();
        QVERIFY(f);
        holdKey("A", 6);
        QCOMPARE(mostrato(f), "A");
        holdKey("Backspace", 4);
        QCOMPARE(mostrato(f), "?");
        holdKey("A", 3);
        QCOMPARE(mostrato(f), "A");
        sendKey(QEvent::KeyPress, "B");
        sendKey(QEvent::KeyPress, "C");
        sendKey(QEvent::KeyRelease, "C");
        sendKey(QEvent::KeyRelease, "B");
        QCOMPARE(mostrato(f), "AB");
        // A swallowed key leaves the guard clear: a letter still goes in.
        sendKey(QEvent::KeyPress, "Space");
        strokes("D");
        QCOMPARE(mostrato(f), "ABD");
    }

    // Any mouse button, as it goes down, closes the window; so does the window
    // manager's close. The name stays as last stored.
    void chiusura_data() {
        QTest::addColumn<int>("modo");
        QTest::newRow("sinistro") << int(Qt::LeftButton);
        QTest::newRow("destro") << int(Qt::RightButton);
        QTest::newRow("centrale") << int(Qt::MiddleButton);
        QTest::newRow("chiusura del window manager") << 0;
    }
    void chiusura() {
        QFETCH(int, modo);
        FrmNome* f = apri();
        QVERIFY(f);
        strokes("V E R D I Backspace Backspace Backspace Backspace Backspace");
        QCOMPARE(mostrato(f), "?");
        if (modo)
            QTest::mousePress(control<CommandTile>(f, "Option4"), Qt::MouseButton(modo));
        else
            f->close();
        QVERIFY(!Forms::isLoaded(FrmNome::kName));
        flushEvents();
        QCOMPARE(m().NomeAlunno, "V");
        // Opened again: the placeholder, and the stored name reset to it.
        f = apri();
        QVERIFY(f);
        QCOMPARE(mostrato(f), "?");
        QCOMPARE(m().NomeAlunno, "?");
        strokes("Z");
        QCOMPARE(m().NomeAlunno, "Z");
    }

    // A name too wide for the label is drawn smaller, down to 12 pt, then cut
    // at the left; the stored name is always whole.
    void nomiLunghi_data() {
        QTest::addColumn<int>("lettere");
        QTest::addColumn<QString>("come");
        QTest::newRow("entra") << 8 << "24";
        QTest::newRow("rimpicciolito") << 16 << "minore";
        QTest::newRow("tagliato a sinistra") << 200 << "tagliato";
    }
    void nomiLunghi() {
        QFETCH(int, lettere);
        QFETCH(QString, come);
        FrmNome* f = apri();
        QVERIFY(f);
        QString script;
        for (int i = 0; i < lettere; ++i)
            script += i == lettere - 1 ? QStringLiteral("Z ") : QStringLiteral("W ");
        strokes(script);
        const QString atteso = QString(lettere - 1, QLatin1Char('W')) + QLatin1Char('Z');
        QCOMPARE(m().NomeAlunno, atteso);
        QCOMPARE(mostrato(f), atteso);
        auto* etichetta = control<EtichettaNome>(f, "lblNome");
        QCOMPARE(etichetta->size(), QSize(twipsToPixels(5415), twipsToPixels(765)));
        const double punti = etichetta->fontMostrato().pointSizeF();
        const QString quanti = punti == 24                ? "24"
                               : punti == 12              ? "12"
                               : punti > 12 && punti < 24 ? "minore"
                                                          : "?";
        QCOMPARE(quanti, come == QLatin1String("tagliato") ? "12" : come);
        QCOMPARE(etichetta->tagliataASinistra(), come == QLatin1String("tagliato"));

        // On screen a name that fits is whole, inside the label; a cut one
        // runs off the left edge and ends at the right one, where the last
        // letters typed stay in view.
        const QImage immagine = etichetta->grab().toImage();
        auto rossoNelleColonne = [&](int da, int a) {
            for (int x = da; x <= a; ++x)
                for (int y = 0; y < immagine.height(); ++y) {
                    const QColor c = immagine.pixelColor(x, y);
                    if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                        return true;
                }
            return false;
        };
        const int w = immagine.width();
        const bool tagliato = come == QLatin1String("tagliato");
        QCOMPARE(rossoNelleColonne(0, 0), tagliato);
        QCOMPARE(rossoNelleColonne(w - 3, w - 1), tagliato);
        QVERIFY(rossoNelleColonne(w / 2 - 5, w / 2 + 5));
    }
};

QTEST_MAIN(TstFrmNome)
#include "tst_frmnome.moc"
