#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtPrinters.h"
#include "platform/RandomSource.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QList<float> draws(RandomSource& rnd, int n) {
    QList<float> values;
    for (int i = 0; i < n; ++i)
        values.append(rnd.next());
    return values;
}
} // namespace

class TstPlatform : public QObject {
    Q_OBJECT

private slots:
    void estrazioniInZeroUno_data() {
        QTest::addColumn<quint64>("seme");
        QTest::newRow("zero") << quint64(0);
        QTest::newRow("uno") << quint64(1);
        QTest::newRow("tutti i bit") << ~quint64(0);
        QTest::newRow("predefinito") << quint64(0x5eed5eed5eed5eedULL);
    }
    void estrazioniInZeroUno() {
        QFETCH(quint64, seme);
        MixingRandomSource rnd(seme);
        rnd.reseed(43210.5f);
        // Ten equal slices of [0, 1) must all be hit, and no draw may reach 1.
        QList<int> fasce(10, 0);
        for (float v : draws(rnd, 20000)) {
            QVERIFY2(v >= 0.0f && v < 1.0f, qPrintable(QString::number(v, 'g', 9)));
            ++fasce[static_cast<int>(v * 10)];
        }
        for (int n : fasce)
            QVERIFY2(n > 1600 && n < 2400, qPrintable(QString::number(n)));
    }

    void stessoSemeStessaSequenza() {
        MixingRandomSource a(777), b(777);
        a.reseed(1000.25f);
        b.reseed(1000.25f);
        QCOMPARE(draws(a, 50), draws(b, 50));
    }

    void orologioFermoNonRipeteLaSequenza() {
        // Two operations made within one tick of the clock must still differ.
        SettableClock clock;
        MixingRandomSource rnd(99);
        rnd.reseed(clock.timeOfDay());
        const QList<float> prima = draws(rnd, 8);
        rnd.reseed(clock.timeOfDay());
        const QList<float> seconda = draws(rnd, 8);
        QVERIFY(prima != seconda);
        MixingRandomSource altra(99);
        altra.reseed(clock.timeOfDay() + 1.0f);
        QVERIFY(draws(altra, 8) != prima);
    }

    void dataBreve_data() {
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("testo");
        QTest::newRow("giorno e mese a una cifra") << QDate(2026, 3, 7) << QStringLiteral("07/03/2026");
        QTest::newRow("fine anno") << QDate(1999, 12, 31) << QStringLiteral("31/12/1999");
    }
    void dataBreve() {
        QFETCH(QDate, data);
        QFETCH(QString, testo);
        QCOMPARE(shortDateText(data, QLocale::c()), testo);
        // The tests run with LC_ALL=C, so the system locale is the C one.
        SettableClock clock;
        clock.setToday(data);
        QCOMPARE(clock.shortDate(), testo);
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
        // A printed line moves to the start of the next line.
        QCOMPARE(p.currentX(), 0.0f);
        QCOMPARE(p.currentY(), 1240.0f);
        p.setFontBold(false);
        p.print(QStringLiteral("seconda"));
        p.paintPicture(QImage(30, 20, QImage::Format_RGB32), 100, 200, 3000, 2000);
        p.endDoc();
        QCOMPARE(p.currentY(), 0.0f);

        QCOMPARE(p.printedTexts(), QStringList({QStringLiteral("prima"), QStringLiteral("seconda")}));
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.size(), 4);
        const RecordingPrinters::Entry& prima = p.entries.at(0);
        QCOMPARE(prima.printer, Printers::kFilePdf);
        QCOMPARE(prima.fontName, QStringLiteral("Courier New"));
        QCOMPARE(prima.fontSize, 10.0f);
        QVERIFY(prima.bold);
        QCOMPARE(prima.x, 500.0f);
        QCOMPARE(prima.y, 1000.0f);
        const RecordingPrinters::Entry& seconda = p.entries.at(1);
        QVERIFY(!seconda.bold);
        QCOMPARE(seconda.x, 0.0f);
        QCOMPARE(seconda.y, 1240.0f);
        const RecordingPrinters::Entry& figura = p.entries.at(2);
        QCOMPARE(figura.kind, RecordingPrinters::Entry::Picture);
        QCOMPARE(figura.pictureSize, QSize(30, 20));
        QCOMPARE(QRectF(figura.x, figura.y, figura.width, figura.height), QRectF(100, 200, 3000, 2000));
        QCOMPARE(p.entries.at(3).kind, RecordingPrinters::Entry::EndDoc);
    }

    void fontCourierDisponibile() {
        QtPrinters p;
        QVERIFY(p.fonts().contains(QStringLiteral("Courier New")));
        QVERIFY(!fontAvailable(QStringLiteral("Nessun Font Con Questo Nome")));
        // The built-in PDF printer is offered whatever the system has, once, last.
        const QStringList nomi = p.deviceNames();
        QCOMPARE(nomi.last(), Printers::kFilePdf);
        QCOMPARE(nomi.count(Printers::kFilePdf), 1);
    }

    void stampaSuFilePdf() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        auto messaggi = std::make_unique<RecordingMessageBox>();
        RecordingMessageBox* box = messaggi.get();
        platform::setMessageBox(std::move(messaggi));

        QtPrinters p;
        p.setPdfFolder(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        // Ending a document that never started writes nothing.
        p.endDoc();
        QVERIFY(box->texts.isEmpty());

        QStringList file;
        for (const QString& documento : {QStringLiteral("Scheda"), QStringLiteral("Scheda")}) {
            p.setDocumentName(documento);
            p.setFontName(QStringLiteral("Courier New"));
            p.print(QStringLiteral(" 12 +  7 =  ... +  9"));
            p.paintPicture(QImage(10, 10, QImage::Format_RGB32), 1440, 1440, 1440, 1440);
            p.endDoc();
            file.append(p.lastPdfFile());
        }
        // Two documents printed one after the other are two files.
        QVERIFY(file.at(0) != file.at(1));
        QCOMPARE(box->texts.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(QFileInfo(file.at(i)).absolutePath(), QDir(cartella.path()).absolutePath());
            QFile pdf(file.at(i));
            QVERIFY(pdf.open(QIODevice::ReadOnly));
            QVERIFY(pdf.size() > 0);
            QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
            QVERIFY2(box->texts.at(i).contains(file.at(i)), qPrintable(box->texts.at(i)));
        }
        platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    }
};

QTEST_MAIN(TstPlatform)
#include "tst_platform.moc"
