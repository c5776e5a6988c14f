// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"
#include "platform/KeyRepeats.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/QtMessageBox.h"
#include "platform/QtPrinters.h"
#include "platform/RandomSource.h"
#include "support/DocumentsFolder.h"
#include "support/Doubles.h"

#include <QMessageBox>
#include <QtTest>

namespace {
QList<float> draws(RandomSource& rnd, int n) {
    QList<float> values(n);
    std::generate(values.begin(), values.end(), [&rnd] { return rnd.next(); });
    return values;
}
} // namespace

class TstPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void estrazioniInZeroUno() {
        for (quint64 seme : {quint64(0), ~quint64(0)}) {
            SeededRandom rnd(seme);
            rnd.reseed(43210.5f);
            // Ten equal slices of [0, 1) must all be hit, and no draw may reach 1.
            QList<int> fasce(10, 0);
            for (float v : draws(rnd, 20000)) {
                QVERIFY2(v >= 0.0f && v < 1.0f, qPrintable(QString::number(v, 'g', 9)));
                ++fasce[static_cast<int>(v * 10)];
            }
            for (int n : fasce)
                QVERIFY2(n > 1600 && n < 2400, qPrintable(QStringLiteral("%1 con seme %2").arg(n).arg(seme)));
        }
    }

    void sequenze() {
        SeededRandom a(99), b(99);
        SettableClock clock;
        a.reseed(clock.timeOfDay());
        b.reseed(clock.timeOfDay());
        const QList<float> prima = draws(a, 8);
        QCOMPARE(draws(b, 8), prima);
        // Two operations made within one tick of the clock must still differ.
        a.reseed(clock.timeOfDay());
        QVERIFY(draws(a, 8) != prima);
    }

    void dataBreve() {
        const QDate data(2026, 3, 7);
        QCOMPARE(shortDateText(data, QLocale::c()), QStringLiteral("07/03/2026"));
        // The tests run with LC_ALL=C, so the system locale is the C one.
        SettableClock clock;
        clock.setToday(data);
        QCOMPARE(clock.shortDate(), QStringLiteral("07/03/2026"));
    }

    void registrazioneDellaStampa() {
        RecordingPrinters p;
        QCOMPARE(p.currentPrinter(), p.defaultPrinter());
        p.setCurrentPrinter(Printers::kFilePdf);
        p.setFontName(QStringLiteral("Courier New"));
        p.setFontSize(10);
        p.setFontBold(true);
        p.setCurrentX(500);
        p.setCurrentY(1000);
        p.print(QStringLiteral("prima"));
        p.setFontBold(false);
        p.print(QStringLiteral("seconda"));
        p.paintPicture(QImage(30, 20, QImage::Format_RGB32), 100, 200, 3000, 2000);
        p.endDoc();
        QCOMPARE(p.currentY(), 0.0f);
        QCOMPARE(p.printedTexts(), QStringList({QStringLiteral("prima"), QStringLiteral("seconda")}));
        const QList<RecordingPrinters::Entry>& e = p.entries;
        QCOMPARE(e.size(), 4);
        QCOMPARE(std::tuple(e[0].printer, e[0].text, e[0].fontName, e[0].fontSize, e[0].bold, e[0].x, e[0].y),
                 std::tuple(Printers::kFilePdf, QStringLiteral("prima"), QStringLiteral("Courier New"), 10.0f,
                            true, 500.0f, 1000.0f));
        // A printed line moves to the start of the next line.
        QCOMPARE(std::tuple(e[1].bold, e[1].x, e[1].y), std::tuple(false, 0.0f, 1240.0f));
        QCOMPARE(std::tuple(e[2].kind, e[2].pictureSize, QRectF(e[2].x, e[2].y, e[2].width, e[2].height)),
                 std::tuple(RecordingPrinters::Entry::Picture, QSize(30, 20), QRectF(100, 200, 3000, 2000)));
        QCOMPARE(e[3].kind, RecordingPrinters::Entry::EndDoc);
        // The next document starts from the same state as the first, whatever
        // the one before set.
        p.newDocument(QStringLiteral("Attestato"));
        p.setTextColor(Qt::red);
        p.print(QStringLiteral("terza"));
        p.endDoc();
        p.print(QStringLiteral("quarta"));
        p.endDoc();
        QCOMPARE(p.documentNames, QStringList({QStringLiteral("Stampa"), QStringLiteral("Attestato"),
                                               QStringLiteral("Stampa")}));
        const RecordingPrinters::Entry& quarta = p.entries.at(6);
        QCOMPARE(
            std::tuple(quarta.text, quarta.fontName, quarta.fontSize, quarta.bold, quarta.color, quarta.y),
            std::tuple(QStringLiteral("quarta"), QStringLiteral("Arial"), 12.0f, false, QColor(Qt::black),
                       0.0f));
    }

    // A press is a held key's repeat when Qt marks it so, or when it shares
    // key and time with a release kept; a time of 0 pairs with nothing.
    void ripetizioniDiTastoTenuto_data() {
        QTest::addColumn<bool>("rilascioRipetuto");
        QTest::addColumn<quint64>("quandoRilascio");
        QTest::addColumn<int>("tastoPremuto");
        QTest::addColumn<quint64>("quandoPressione");
        QTest::addColumn<bool>("ripetuto");
        QTest::newRow("coppia X11") << false << quint64(20) << int(Qt::Key_Return) << quint64(20) << true;
        QTest::newRow("pressione dopo")
            << false << quint64(20) << int(Qt::Key_Return) << quint64(21) << false;
        QTest::newRow("altro tasto") << false << quint64(20) << int(Qt::Key_5) << quint64(20) << false;
        QTest::newRow("senza tempo") << false << quint64(0) << int(Qt::Key_Return) << quint64(0) << false;
        QTest::newRow("rilascio segnato")
            << true << quint64(20) << int(Qt::Key_Return) << quint64(20) << false;
    }
    void ripetizioniDiTastoTenuto() {
        QFETCH(bool, rilascioRipetuto);
        QFETCH(quint64, quandoRilascio);
        QFETCH(int, tastoPremuto);
        QFETCH(quint64, quandoPressione);
        QFETCH(bool, ripetuto);
        KeyRepeats r;
        r.released(Qt::Key_Return, quandoRilascio, rilascioRipetuto);
        QCOMPARE(r.isRepeat(tastoPremuto, quandoPressione, false), ripetuto);
        QVERIFY(r.isRepeat(tastoPremuto, quandoPressione, true));
        r.clear();
        QVERIFY(!r.pairsWithRelease(tastoPremuto, quandoPressione));
    }

    // The message box acts only on a key pressed after it appeared: repeats of
    // a key held from before, marked as such or sent as X11 does (a release
    // and a press with one timestamp), leave it on show.
    void messaggioSoloTastiNuovi() {
        QList<bool> aperto;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QWidget* dove = box->focusWidget() ? box->focusWidget() : box;
            auto tasto = [&](QEvent::Type tipo, bool ripetuto, quint64 quando) {
                QKeyEvent e(tipo, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), ripetuto);
                e.setTimestamp(quando);
                QApplication::sendEvent(dove, &e);
                aperto << box->isVisible();
            };
            tasto(QEvent::KeyPress, true, 10);
            tasto(QEvent::KeyRelease, false, 20);
            tasto(QEvent::KeyPress, false, 20);
            tasto(QEvent::KeyRelease, false, 30);
            tasto(QEvent::KeyPress, false, 40);
            if (box->isVisible())
                box->reject();
        });
        QtMessageBox().show(QStringLiteral("Il documento è stato salvato"));
        QCOMPARE(aperto, QList<bool>({true, true, true, true, false}));
    }

    void stampaSuFilePdf() {
        QTemporaryDir cartella;
        auto messaggi = std::make_unique<RecordingMessageBox>();
        RecordingMessageBox* box = messaggi.get();
        platform::setMessageBox(std::move(messaggi));
        DocumentsFolder documenti(cartella.path());
        QtPrinters p;
        QVERIFY(p.fonts().contains(QStringLiteral("Courier New")));
        QVERIFY(!fontAvailable(QStringLiteral("Nessun Font Con Questo Nome")));
        // The built-in PDF printer is offered whatever the system has, once, last.
        QCOMPARE(p.deviceNames().last(), Printers::kFilePdf);
        QCOMPARE(p.deviceNames().count(Printers::kFilePdf), 1);
        p.setCurrentPrinter(Printers::kFilePdf);
        p.endDoc(); // a document that never started writes nothing
        QVERIFY(box->texts.isEmpty());
        QStringList file;
        for (int i = 0; i < 2; ++i) {
            p.newDocument(QStringLiteral("Scheda"));
            p.setFontName(QStringLiteral("Courier New"));
            p.print(QStringLiteral(" 12 +  7 =  ... +  9"));
            p.paintPicture(QImage(10, 10, QImage::Format_RGB32), 1440, 1440, 1440, 1440);
            p.endDoc();
            file.append(documenti.newFile());
            QCOMPARE(QFileInfo(file.at(i)).absolutePath(), QDir(cartella.path()).absolutePath());
            QFile pdf(file.at(i));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
            QVERIFY2(box->texts.value(i).contains(file.at(i)), qPrintable(box->texts.value(i)));
        }
        // Two documents of the same name printed one after the other are two files.
        QCOMPARE(box->texts.size(), 2);
        QVERIFY(file.at(0) != file.at(1));
        platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    }
};

QTEST_MAIN(TstPlatform)
#include "tst_platform.moc"
