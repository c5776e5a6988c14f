// SPDX-License-Identifier: GPL-3.0-or-later
// The certificate window: its state on opening, the picture it draws line by
// line, printing it, its tiles and keys, and closing it at any moment, also
// from inside its own drawing.

#include "core/Modulo2.h"
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "results/Attestato.h"
#include "results/FrmAttestato.h"
#include "results/FrmNome.h"
#include "results/FrmStampaEsercizio.h"
#include "results/StiliAttesi.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QPointer>
#include <QTimer>
#include <QtTest>

using Entry = RecordingPrinters::Entry;

class TstFrmAttestato : public QObject {
    Q_OBJECT

    FakePlatform fakes;
    int fineProgramma = 0;

    static Modulo2& m() { return Modulo2::get(); }
    // The certificate for a run, opened as the results window does, the start
    // window behind.
    static FrmAttestato* apri(int esatte, int operazioni, const QString& nome = QStringLiteral("ROSSI")) {
        m().RisposteEsatte = qint16(esatte);
        m().NumOperazione = qint16(operazioni);
        m().NomeAlunno = nome;
        Forms::get<FrmInizio>().showForm();
        FrmAttestato& f = Forms::get<FrmAttestato>();
        f.showForm();
        return QTest::qWaitForWindowActive(&f) ? &f : nullptr;
    }
    static CommandTile* tessera(const QWidget* f, int i) {
        return control<CommandTile>(f, QStringLiteral("Option5(%1)").arg(i));
    }
    static PictureBox* picture(const QWidget* f) { return control<PictureBox>(f, "Picture1"); }
    static QStringList conTesto(const QStringList& righe) {
        QStringList r;
        for (const QString& riga : righe)
            if (!riga.isEmpty())
                r << riga;
        return r;
    }
    static QString fuoco() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // Where the ink lies between two rows of the image, and whether any is red
    // and any black.
    struct Inchiostro {
        QRect dove;
        bool rosso = false, nero = false;
    };
    static Inchiostro inchiostro(const QImage& img, int da, int a, const QColor& fondo) {
        Inchiostro i;
        for (int y = qMax(da, 0); y < qMin(a, img.height()); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == fondo)
                    continue;
                i.dove |= QRect(x, y, 1, 1);
                i.rosso |= c.red() - qMax(c.green(), c.blue()) > 60;
                i.nero |= qAbs(c.red() - c.blue()) < 30 && c.red() < 160;
            }
        return i;
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        fakes.clock->setToday(QDate(2026, 12, 7));
        fineProgramma = 0;
        Forms::setOnLastUnloaded([this] { ++fineProgramma; });
    }
    void cleanup() { resetProgram(); }

    // Also: covered, minimised and restored, the same picture, and the screen
    // shows it.
    void apertura() {
        // The title line is the start window's caption, whatever it reads.
        control<Label>(&Forms::get<FrmInizio>(), "Label2")->setCaption(QStringLiteral("Prova"));
        FrmAttestato* f = apri(17, 20);
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), "Form1");
        QVERIFY(f->isMaximized());
        QCOMPARE(f->backColor(), bgr(0x00FFC0FF));
        QCOMPARE(f->rigaDisegnata(), 25);
        QVERIFY(!f->disegnoInCorso());
        QCOMPARE(m().NomeAlunno, "Rossi");
        QCOMPARE(m().GiudizioAttestato, "DISTINTO");
        QCOMPARE(m().TitoloAttestato, "  Prova");
        const QStringList didascalie{"STAMPA L'ATTESTATO", "TORNA ALLA FINESTRA PRECEDENTE", "FINE SESSIONE"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tessera(f, i)->caption(), didascalie[i]);
            QVERIFY(tessera(f, i)->isEnabled());
            QCOMPARE(tessera(f, i)->backColor(), bgr(0x00C0E0FF));
        }
        // Tab goes from the picture to the tiles from the last up, round to the picture.
        QStringList ordine{fuoco()};
        for (int i = 0; i < 4; ++i) {
            sendKey(QEvent::KeyPress, "Tab");
            ordine << fuoco();
        }
        QCOMPARE(ordine, QStringList({"Picture1", "Option5(2)", "Option5(1)", "Option5(0)", "Picture1"}));
        QCOMPARE(fakes.printers->entries.size(), 0);
        QCOMPARE(fakes.messageBox->texts, QStringList());

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

    // The lines on the rendered picture: the right ones in red, each centred
    // and each at the sum of the heights of the lines above it.
    void disegno_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<QString>("nome");
        // 0: as opened; otherwise the box gets this width, as the window
        // manager's resize gives it, after the drawing or, from the events run
        // between two lines, once this line has been drawn.
        QTest::addColumn<int>("larghezza");
        QTest::addColumn<int>("dopoRiga");
        QTest::newRow("distinto") << 17 << 20 << "ROSSI" << 0 << 0;
        QTest::newRow("non classificato, nome vuoto") << 0 << 0 << "" << 0 << 0;
        QTest::newRow("segnaposto") << 5 << 6 << "?" << 0 << 0;
        QTest::newRow("ristretta dopo il disegno") << 17 << 20 << "ROSSI" << 500 << 0;
        QTest::newRow("allargata dopo la riga 6") << 17 << 20 << "ROSSI" << 1400 << 6;
        QTest::newRow("ristretta dopo la riga 21") << 17 << 20 << "ROSSI" << 420 << 21;
    }
    void disegno() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(QString, nome);
        QFETCH(int, larghezza);
        QFETCH(int, dopoRiga);
        QTimer spia;
        spia.setInterval(0);
        bool ridimensionata = false;
        connect(&spia, &QTimer::timeout, this, [&] {
            auto* f = static_cast<FrmAttestato*>(Forms::find(FrmAttestato::kName));
            if (f && f->rigaDisegnata() == dopoRiga && f->disegnoInCorso()) {
                spia.stop();
                ridimensionata = true;
                picture(f)->resize(larghezza, picture(f)->height());
            }
        });
        if (dopoRiga > 0)
            spia.start();
        FrmAttestato* f = apri(esatte, operazioni, nome);
        QVERIFY(f);
        if (larghezza > 0 && dopoRiga == 0) {
            const int prima = f->disegni();
            picture(f)->resize(larghezza, picture(f)->height());
            QCOMPARE(f->disegni(), prima + 1);
        }
        if (larghezza > 0) {
            QVERIFY(dopoRiga == 0 || ridimensionata);
            // Drawn again, from the top, on the new width.
            QVERIFY(f->disegni() >= 2);
            QCOMPARE(f->rigaDisegnata(), 25);
        }
        const QImage img = picture(f)->image();
        QCOMPARE(img.size(), picture(f)->size());
        const QColor fondo = img.pixelColor(img.width() - 1, img.height() - 1);
        const QStringList righe = righeAttestato(m(), QStringLiteral("07/12/2026"));
        double alto = 0;
        for (int n = 1; n <= 25; ++n) {
            const StileRiga& s = stiliAttesi()[size_t(n - 1)];
            const QFontMetricsF fm(designFont(s.font, s.punti, s.grassetto), &img);
            const QString& testo = righe[n - 1];
            const Inchiostro i = inchiostro(img, qCeil(alto), qCeil(alto + fm.height()), fondo);
            const QString dove =
                QStringLiteral("riga %1 «%2» %3").arg(n).arg(testo, QDebug::toString(i.dove));
            QVERIFY2(i.dove.isEmpty() == testo.isEmpty(), qPrintable(dove));
            alto += fm.height();
            if (testo.isEmpty())
                continue;
            const bool rossa = n == 6 || n == 9 || n == 19;
            QVERIFY2(i.rosso == rossa && i.nero == !rossa, qPrintable(dove));
            // Where the ink of a text drawn centred at this height must be;
            // leading blanks only move the ink to the right.
            const qsizetype blanks = testo.size() - testo.trimmed().size();
            const double x = img.width() / 2.0 - fm.horizontalAdvance(testo) / 2 +
                             fm.horizontalAdvance(testo.left(blanks));
            const QRectF a =
                fm.tightBoundingRect(testo.mid(blanks)).translated(x, alto - fm.height() + fm.ascent());
            const QRectF t(i.dove.topLeft(), i.dove.bottomRight() + QPoint(1, 1));
            const double scarto = std::max({qAbs(t.left() - a.left()), qAbs(t.top() - a.top()),
                                            qAbs(t.right() - a.right()), qAbs(t.bottom() - a.bottom())});
            QVERIFY2(scarto <= 1.5, qPrintable(dove + QDebug::toString(a)));
        }
        // Below the last line only the background.
        QVERIFY(inchiostro(img, qCeil(alto), img.height(), fondo).dove.isEmpty());
    }

    // Printed by the mouse and by the keys 1 and Enter, each time a document
    // of its own; an ungraded certificate cannot be printed either way, and
    // "1" leaves the focus on "TORNA", which Enter runs: opened again, it is
    // drawn anew. "FINE SESSIONE" closes the other windows but not this one;
    // the program ends when it is closed.
    void tessere_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<bool>("stampabile");
        QTest::newRow("10 su 20") << 10 << 20 << true;
        QTest::newRow("9 su 20") << 9 << 20 << false;
        QTest::newRow("nessuna operazione") << 0 << 0 << false;
    }
    void tessere() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(bool, stampabile);
        Forms::get<FrmStampaEsercizio>().showForm();
        FrmAttestato* f = apri(esatte, operazioni);
        QVERIFY(f);
        QCOMPARE(tessera(f, 0)->caption(), stampabile ? "STAMPA L'ATTESTATO" : "ATTESTATO NON STAMPABILE");
        QCOMPARE(tessera(f, 0)->isEnabled(), stampabile);
        const QImage img = picture(f)->image();
        QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        QTest::mouseClick(picture(f), Qt::LeftButton);
        QCOMPARE(fuoco(), "Picture1");
        QStringList fuochi;
        for (const char* tasti : {"Tab 2 1", "Space", "Space"}) {
            strokes(tasti);
            fuochi << fuoco();
        }
        QCOMPARE(fuochi, stampabile ? QStringList({"Option5(0)", "Option5(1)", "Option5(2)"})
                                    : QStringList({"Option5(1)", "Option5(2)", "Option5(1)"}));
        strokes("1 Return");
        QCOMPARE(Forms::isLoaded(FrmAttestato::kName), stampabile);

        // Each print: the empty line that opens it, the lines with text, the end.
        QStringList attesi, stampati;
        for (int volta = 0; stampabile && volta < 2; ++volta)
            attesi << QString() << conTesto(righeAttestato(m(), fakes.clock->shortDate())) << "(fine)";
        for (const Entry& e : fakes.printers->entries) {
            QVERIFY(e.kind != Entry::Picture);
            stampati << (e.kind == Entry::EndDoc ? QStringLiteral("(fine)") : e.text);
        }
        QCOMPARE(stampati, attesi);
        QCOMPARE(fakes.messageBox->texts, QStringList());

        if (!stampabile) {
            flushEvents();
            f = apri(esatte, operazioni, m().NomeAlunno);
            QVERIFY(f);
            QCOMPARE(m().TitoloAttestato, "  Esercitazione");
            QCOMPARE(picture(f)->image(), img);
            sendKey(QEvent::KeyPress, "Tab");
        }
        strokes("3 Return");
        QCOMPARE(Forms::loadedNames(), QStringList{FrmAttestato::kName});
        QCOMPARE(fineProgramma, 0);
        QCOMPARE(fuoco(), "Option5(2)");
        strokes("2 Return");
        QCOMPARE(Forms::loadedNames(), QStringList());
        QCOMPARE(fineProgramma, 1);
    }

    // The certificate is printed as text, each line in its style where the
    // screen has it, centred on the rectangle the picture box takes on the
    // page; a page narrower than the box shrinks all of it in proportion.
    void stampaComeLoSchermo_data() {
        QTest::addColumn<QSizeF>("area");
        QTest::newRow("A4") << QSizeF(11906, 16838);
        QTest::newRow("pagina stretta") << QSizeF(4000, 16838);
    }
    void stampaComeLoSchermo() {
        QFETCH(QSizeF, area);
        fakes.printers->printableArea = area;
        FrmAttestato* f = apri(17, 20);
        QVERIFY(f);
        const QSize box = picture(f)->size();
        const double scala =
            std::min({15.0, (area.width() - 1000) / box.width(), (area.height() - 100) / box.height()});
        QTest::mouseClick(tessera(f, 0), Qt::LeftButton);
        const QStringList righe = righeAttestato(m(), fakes.clock->shortDate());
        QList<Entry> testi;
        for (const Entry& e : fakes.printers->entries)
            if (e.kind == Entry::Text && !e.text.isEmpty())
                testi << e;
        QCOMPARE(testi.size(), conTesto(righe).size());
        RecordingPrinters misura;
        const QImage img = picture(f)->image();
        double alto = 0;
        for (int n = 1, i = 0; n <= 25; ++n) {
            const StileRiga& s = stiliAttesi()[size_t(n - 1)];
            const double altezza = QFontMetricsF(designFont(s.font, s.punti, s.grassetto), &img).height();
            if (righe[n - 1].isEmpty()) {
                alto += altezza;
                continue;
            }
            const Entry& e = testi[i++];
            const QString dove = QStringLiteral("riga %1 «%2»").arg(n).arg(e.text);
            QVERIFY2(e.text == righe[n - 1], qPrintable(dove));
            QVERIFY2(qAbs(e.y - (100 + alto * scala)) < 0.5, qPrintable(dove));
            QVERIFY2(qAbs(e.fontSize - s.punti * scala / 15) < 0.01, qPrintable(dove));
            QVERIFY2(e.bold == s.grassetto && e.fontName == s.font, qPrintable(dove));
            QVERIFY2(e.color == ((n == 6 || n == 9 || n == 19) ? QColor(Qt::red) : QColor(Qt::black)),
                     qPrintable(dove));
            misura.setFontName(e.fontName);
            misura.setFontSize(e.fontSize);
            misura.setFontBold(e.bold);
            const double centro = e.x + misura.textWidthTwips(e.text) / 2;
            QVERIFY2(qAbs(centro - (1000 + box.width() * scala / 2)) < 0.5, qPrintable(dove));
            alto += altezza;
        }
        QCOMPARE(fakes.printers->entries.last().kind, Entry::EndDoc);
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
        QPointer<FrmAttestato> primo, secondo;
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
            if (come == QLatin1String("torna") || come == QLatin1String("fine")) {
                if (come == QLatin1String("fine"))
                    QTest::mouseClick(tessera(f, 2), Qt::LeftButton);
                QTest::mouseClick(tessera(f, 1), Qt::LeftButton);
            } else if (come == QLatin1String("nome")) {
                Forms::get<FrmNome>().showForm();
                QTest::mousePress(control<CommandTile>(Forms::find(FrmNome::kName), "Option4"),
                                  Qt::LeftButton);
                Forms::get<FrmNome>().showForm();
            } else {
                f->close();
                if (come == QLatin1String("riapri")) {
                    secondo = &Forms::get<FrmAttestato>();
                    righeSecondo = secondo->rigaDisegnata();
                }
            }
        });
        m().RisposteEsatte = 18;
        m().NumOperazione = 20;
        m().NomeAlunno = QStringLiteral("ROSSI");
        Forms::get<FrmInizio>().showForm();
        spia.start();
        FrmAttestato& aperto = Forms::get<FrmAttestato>();
        aperto.showForm(); // what the results window does next
        spia.stop();
        QVERIFY(fatto);
        QCOMPARE(primo.data(), &aperto);
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
        QCOMPARE(righeSecondo, come == QLatin1String("riapri") ? 25 : 0);
        QCOMPARE(!secondo, come != QLatin1String("riapri"));
        QCOMPARE(Forms::find(FrmAttestato::kName), secondo.data());
        // "FINE SESSIONE" left nothing open: the program has ended, once.
        QCOMPARE(fineProgramma, come == QLatin1String("fine") ? 1 : 0);
    }
};

QTEST_MAIN(TstFrmAttestato)
#include "tst_frmattestato.moc"
