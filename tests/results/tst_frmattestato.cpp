// The certificate window: its state on opening, the picture it draws line by
// line, printing it, its tiles and keys, and closing it at any moment, also
// from inside its own drawing.

#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "results/Attestato.h"
#include "results/FrmAttestato.h"
#include "results/FrmNome.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QPointer>
#include <QTimer>
#include <QtTest>

using Entry = RecordingPrinters::Entry;

namespace {
// A line of the rendered certificate: where its ink lies and of what colour.
struct Inchiostro {
    int sinistra = INT_MAX, destra = -1, alto = INT_MAX, basso = -1;
    bool rosso = false, nero = false;
    bool vuoto() const { return destra < 0; }
};
} // namespace

class TstFrmAttestato : public QObject {
    Q_OBJECT

    FakePlatform fakes;
    int fineProgramma = 0;

    static Modulo2& m() { return Modulo2::get(); }
    static void esito(int esatte, int operazioni, const QString& nome = QStringLiteral("ROSSI")) {
        m().RisposteEsatte = qint16(esatte);
        m().NumOperazione = qint16(operazioni);
        m().NomeAlunno = nome;
    }
    // The certificate as the results window opens it, the start window behind.
    static FrmAttestato* apri() {
        Forms::get<FrmInizio>().showForm();
        FrmAttestato& f = Forms::get<FrmAttestato>();
        f.showForm();
        return QTest::qWaitForWindowActive(&f) ? &f : nullptr;
    }
    static CommandTile* tessera(const QWidget* f, int i) {
        return control<CommandTile>(f, QStringLiteral("Option5(%1)").arg(i));
    }
    static PictureBox* picture(const QWidget* f) { return control<PictureBox>(f, "Picture1"); }
    static QString fuoco() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    static QFont fontRiga(int n) {
        const StileRiga s = stileRiga(n);
        return designFont(s.font, s.punti, s.grassetto);
    }
    // The ink of the image between two rows, told apart from the background.
    static Inchiostro inchiostro(const QImage& img, int da, int a, const QColor& fondo) {
        Inchiostro i;
        for (int y = qMax(da, 0); y < qMin(a, img.height()); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == fondo)
                    continue;
                i.sinistra = qMin(i.sinistra, x);
                i.destra = qMax(i.destra, x);
                i.alto = qMin(i.alto, y);
                i.basso = qMax(i.basso, y);
                if (c.red() - qMax(c.green(), c.blue()) > 60)
                    i.rosso = true;
                else if (qAbs(c.red() - c.blue()) < 30 && c.red() < 160)
                    i.nero = true;
            }
        return i;
    }

private slots:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        fakes.clock->setToday(QDate(2026, 12, 7));
        fineProgramma = 0;
        Forms::setOnLastUnloaded([this] { ++fineProgramma; });
    }
    void cleanup() { resetProgram(); }

    void apertura() {
        esito(17, 20);
        // The title line is the start window's caption, whatever it reads.
        control<Label>(&Forms::get<FrmInizio>(), "Label2")->setCaption(QStringLiteral("Prova"));
        FrmAttestato* f = apri();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), "Form1");
        QVERIFY(f->isMaximized());
        QCOMPARE(f->backColor(), bgr(0x00FFC0FF));
        QCOMPARE(f->rigaDisegnata(), 25);
        QVERIFY(!f->disegnoInCorso());
        QCOMPARE(m().NomeAlunno, "Rossi");
        QCOMPARE(m().GiudizioAttestato, "DISTINTO");
        QCOMPARE(m().TitoloAttestato, "  Prova");
        QCOMPARE(fuoco(), "Picture1");
        const QStringList didascalie{"STAMPA L'ATTESTATO", "TORNA ALLA FINESTRA PRECEDENTE", "FINE SESSIONE"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tessera(f, i)->caption(), didascalie[i]);
            QVERIFY(tessera(f, i)->isEnabled());
            QCOMPARE(tessera(f, i)->backColor(), bgr(0x00C0E0FF));
        }
        // Tab goes from the picture to the tiles from the last up, round to the picture.
        QStringList ordine;
        for (int i = 0; i < 4; ++i) {
            sendKey(QEvent::KeyPress, "Tab");
            ordine << fuoco();
        }
        QCOMPARE(ordine, QStringList({"Option5(2)", "Option5(1)", "Option5(0)", "Picture1"}));
        QCOMPARE(fakes.printers->entries.size(), 0);
        QCOMPARE(fakes.messageBox->texts, QStringList());
    }

    // The lines on the rendered picture: the right ones in red, each centred
    // and each at the sum of the heights of the lines above it.
    void disegno_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<QString>("nome");
        QTest::newRow("distinto") << 17 << 20 << "ROSSI";
        QTest::newRow("non classificato, nome vuoto") << 0 << 0 << "";
        QTest::newRow("segnaposto") << 5 << 6 << "?";
    }
    void disegno() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(QString, nome);
        esito(esatte, operazioni, nome);
        FrmAttestato* f = apri();
        QVERIFY(f);
        PictureBox* p = picture(f);
        const QImage img = p->image();
        QCOMPARE(img.size(), p->size());
        const QColor fondo = img.pixelColor(img.width() - 1, img.height() - 1);
        const QStringList righe = righeAttestato(m(), QStringLiteral("07/12/2026"));
        QCOMPARE(righe[24], "Data  07/12/2026");
        double alto = 0;
        for (int n = 1; n <= 25; ++n) {
            const QFontMetricsF fm(fontRiga(n), &img);
            const QString& testo = righe[n - 1];
            const Inchiostro i = inchiostro(img, qCeil(alto), qCeil(alto + fm.height()), fondo);
            const QString dove = QStringLiteral("riga %1 «%2»").arg(n).arg(testo);
            QVERIFY2(i.vuoto() == testo.isEmpty(), qPrintable(dove));
            if (!testo.isEmpty()) {
                const bool rossa = n == 6 || n == 9 || n == 19;
                QVERIFY2(i.rosso == rossa && i.nero == !rossa, qPrintable(dove));
                // Where the ink of a text drawn centred at this height must be;
                // leading blanks only move the ink to the right.
                const qsizetype blanks = testo.size() - testo.trimmed().size();
                const double x = p->width() / 2.0 - fm.horizontalAdvance(testo) / 2;
                const QRectF atteso =
                    fm.tightBoundingRect(testo.mid(blanks))
                        .translated(x + fm.horizontalAdvance(testo.left(blanks)), alto + fm.ascent());
                const QRectF trovato(QPointF(i.sinistra, i.alto), QPointF(i.destra + 1, i.basso + 1));
                const QMarginsF scarto(trovato.left() - atteso.left(), trovato.top() - atteso.top(),
                                       trovato.right() - atteso.right(), trovato.bottom() - atteso.bottom());
                QVERIFY2(qAbs(scarto.left()) <= 1.5 && qAbs(scarto.top()) <= 1.5 &&
                             qAbs(scarto.right()) <= 1.5 && qAbs(scarto.bottom()) <= 1.5,
                         qPrintable(dove + QDebug::toString(trovato) + QDebug::toString(atteso)));
            }
            alto += fm.height();
        }
        // Below the last line only the background.
        QVERIFY(inchiostro(img, qCeil(alto), img.height(), fondo).vuoto());
    }

    // Covered, minimised and restored: the same picture, and the screen shows it.
    void immaginePersistente() {
        esito(20, 20);
        FrmAttestato* f = apri();
        QVERIFY(f);
        const QImage prima = picture(f)->image();
        QWidget sopra;
        sopra.setGeometry(f->geometry());
        sopra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sopra));
        sopra.hide();
        f->showMinimized();
        QTRY_VERIFY(f->isMinimized());
        f->showMaximized();
        QTRY_COMPARE(picture(f)->size(), prima.size());
        QCOMPARE(picture(f)->image(), prima);
        QCOMPARE(picture(f)->grab().toImage().convertToFormat(prima.format()), prima);
    }

    void stampabilita_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<bool>("stampabile");
        QTest::newRow("10 su 20") << 10 << 20 << true;
        QTest::newRow("9 su 20") << 9 << 20 << false;
        QTest::newRow("nessuna operazione") << 0 << 0 << false;
    }
    // Printed by the mouse and by the keys 1 and Enter, each time a document
    // of its own; an ungraded certificate cannot be printed either way.
    void stampabilita() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(bool, stampabile);
        esito(esatte, operazioni);
        FrmAttestato* f = apri();
        QVERIFY(f);
        QCOMPARE(tessera(f, 0)->caption(), stampabile ? "STAMPA L'ATTESTATO" : "ATTESTATO NON STAMPABILE");
        QCOMPARE(tessera(f, 0)->isEnabled(), stampabile);
        const QImage img = picture(f)->image();
        QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        QTest::mouseClick(picture(f), Qt::LeftButton);
        QCOMPARE(fuoco(), "Picture1");
        strokes("Tab 2 1");
        QCOMPARE(fuoco(), stampabile ? "Option5(0)" : "Option5(1)");
        strokes("Space");
        QCOMPARE(fuoco(), stampabile ? "Option5(1)" : "Option5(2)");
        strokes("Space");
        QCOMPARE(fuoco(), stampabile ? "Option5(2)" : "Option5(1)");
        // Uncertified, "1" leaves the focus on "TORNA", which Enter then runs.
        strokes("1 Return");
        QCOMPARE(Forms::isLoaded(FrmAttestato::kName), stampabile);

        QList<Entry::Kind> attesi;
        for (int volta = 0; stampabile && volta < 2; ++volta)
            attesi << Entry::Text << Entry::Picture << Entry::EndDoc;
        QList<Entry::Kind> stampati;
        for (const Entry& e : fakes.printers->entries) {
            stampati << e.kind;
            if (e.kind == Entry::Text)
                QCOMPARE(e.text, QString());
            if (e.kind == Entry::Picture) {
                QCOMPARE(e.pictureSize, img.size());
                QCOMPARE(QRectF(e.x, e.y, e.width, e.height),
                         QRectF(1000, 100, img.width() * 15.0, img.height() * 15.0));
            }
        }
        QCOMPARE(stampati, attesi);
        QCOMPARE(fakes.messageBox->texts, QStringList());
    }

    // "FINE SESSIONE" closes the other windows but not this one; the program
    // ends when it is closed. "TORNA" closes it; opened again it is drawn anew.
    void tessereDiChiusura() {
        esito(14, 20, QStringLiteral("ROSSI"));
        Forms::get<FrmStampaEsercizio>().showForm();
        FrmAttestato* f = apri();
        QVERIFY(f);
        const QImage prima = picture(f)->image();
        QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
        QVERIFY(!Forms::isLoaded(FrmAttestato::kName));
        flushEvents();
        f = apri();
        QVERIFY(f);
        QCOMPARE(m().TitoloAttestato, "  Esercitazione");
        QCOMPARE(m().GiudizioAttestato, "BUONO");
        QCOMPARE(picture(f)->image(), prima);

        sendKey(QEvent::KeyPress, "Tab");
        strokes("3 Return");
        QCOMPARE(Forms::loadedNames(), QStringList{FrmAttestato::kName});
        QCOMPARE(fineProgramma, 0);
        QCOMPARE(fuoco(), "Option5(2)");
        strokes("2 Return");
        QCOMPARE(Forms::loadedNames(), QStringList());
        QCOMPARE(fineProgramma, 1);
    }

    // Closed from the events run before a line is drawn: the drawing stops at
    // once, the window is discarded only afterwards, and opening it again,
    // even from there, draws a whole new certificate.
    void chiusuraDuranteIlDisegno_data() {
        QTest::addColumn<int>("dopoRiga");
        QTest::addColumn<QString>("come");
        QTest::newRow("prima della prima riga, TORNA") << 0 << "torna";
        QTest::newRow("prima della riga 25, chiusura") << 21 << "chiudi";
        QTest::newRow("prima della riga 9, FINE SESSIONE e poi TORNA") << 7 << "fine";
        QTest::newRow("prima della riga 19, chiusa e riaperta") << 17 << "riapri";
        QTest::newRow("prima della riga 11, finestra del nome aperta, chiusa, riaperta") << 9 << "nome";
    }
    void chiusuraDuranteIlDisegno() {
        QFETCH(int, dopoRiga);
        QFETCH(QString, come);
        esito(18, 20);
        Forms::get<FrmInizio>().showForm();
        QPointer<FrmAttestato> primo;
        QPointer<FrmAttestato> secondo;
        int righeSecondo = 0;
        bool fatto = false;
        QTimer spia;
        spia.setInterval(0);
        connect(&spia, &QTimer::timeout, this, [&] {
            auto* f = static_cast<FrmAttestato*>(Forms::find(FrmAttestato::kName));
            if (fatto || !f || f->rigaDisegnata() != dopoRiga)
                return;
            fatto = true;
            primo = f;
            if (come == QLatin1String("torna"))
                QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
            else if (come == QLatin1String("chiudi"))
                f->close();
            else if (come == QLatin1String("fine")) {
                QTest::mouseClick(tessera(f, 2), Qt::LeftButton);
                QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
            } else if (come == QLatin1String("nome")) {
                Forms::get<FrmNome>().showForm();
                QTest::mousePress(control<CommandTile>(Forms::find(FrmNome::kName), "Option4"),
                                  Qt::LeftButton);
                Forms::get<FrmNome>().showForm();
            } else {
                f->close();
                secondo = &Forms::get<FrmAttestato>();
                righeSecondo = secondo->rigaDisegnata();
            }
        });
        spia.start();
        FrmAttestato& aperto = Forms::get<FrmAttestato>();
        // What the results window does next.
        aperto.showForm();
        spia.stop();
        QVERIFY(fatto);
        QVERIFY(primo);
        QCOMPARE(&aperto, primo.data());
        QVERIFY(!primo->disegnoInCorso());
        if (come == QLatin1String("nome")) {
            QCOMPARE(primo->rigaDisegnata(), 25);
            QCOMPARE(m().NomeAlunno, "?");
            QCOMPARE(Forms::loadedNames(),
                     QStringList({FrmInizio::kName, FrmAttestato::kName, FrmNome::kName}));
            return;
        }
        QCOMPARE(primo->rigaDisegnata(), dopoRiga);
        flushEvents();
        QVERIFY(!primo);
        if (come == QLatin1String("riapri")) {
            QCOMPARE(righeSecondo, 25);
            QVERIFY(secondo);
            QCOMPARE(Forms::find(FrmAttestato::kName), secondo.data());
        } else {
            QVERIFY(!Forms::isLoaded(FrmAttestato::kName));
        }
        // "FINE SESSIONE" left nothing open: the program has ended, once.
        QCOMPARE(fineProgramma, come == QLatin1String("fine") ? 1 : 0);
    }
};

QTEST_MAIN(TstFrmAttestato)
#include "tst_frmattestato.moc"
