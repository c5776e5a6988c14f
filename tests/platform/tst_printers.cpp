#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtPrinters.h"

#include <QtTest>

namespace {
const QString kNoCourier = QStringLiteral("Devi installare il font Courier o il font Courier New");

// Prints a few lines and a picture as one document; returns what endDoc says.
bool stampaDocumento(Printers& p) {
    p.setFontName(QStringLiteral("Courier New"));
    p.setCurrentX(1000);
    p.setCurrentY(1000);
    p.print(QStringLiteral("SCUOLA ELEMENTARE DI "));
    p.print(QStringLiteral("  12 +  7 =  ... +  9"));
    p.paintPicture(QImage(10, 10, QImage::Format_RGB32), 1440, 2880, 1440, 1440);
    return p.endDoc();
}
} // namespace

// The printing layer's shared contract: the printer font search and the way a
// document that cannot be printed is reported.
class TstPrinters : public QObject {
    Q_OBJECT

    RecordingMessageBox* box = nullptr;

private slots:
    void init() {
        auto messaggi = std::make_unique<RecordingMessageBox>();
        box = messaggi.get();
        platform::setMessageBox(std::move(messaggi));
    }

    void ricercaFont_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<QString>("trovato");
        QTest::newRow("Courier prima di Courier New")
            << QStringList{"Arial", "Courier", "Courier New"} << QStringLiteral("Courier");
        QTest::newRow("Courier New prima di Courier")
            << QStringList{"Courier New", "Arial", "Courier"} << QStringLiteral("Courier New");
        QTest::newRow("solo Courier New, in fondo")
            << QStringList{"Arial", "Times New Roman", "Courier New"} << QStringLiteral("Courier New");
        // Only the exact names count: case, blanks and styles make another font.
        QTest::newRow("nomi simili") << QStringList{"courier new", "Courier  New", "Courier New Bold",
                                                    " Courier",    "COURIER",      "Courier10 BT"}
                                     << QString();
        QTest::newRow("nessun font") << QStringList{} << QString();
    }
    void ricercaFont() {
        QFETCH(QStringList, fonts);
        QFETCH(QString, trovato);
        RecordingPrinters p;
        p.fontList = fonts;
        QCOMPARE(p.searchPrinterFont(), trovato);
        QCOMPARE(box->texts, trovato.isEmpty() ? QStringList{kNoCourier} : QStringList{});
        QVERIFY(p.entries.isEmpty());
    }

    // A failing device reports the failure once, records nothing of the
    // document, and the next document on a working printer prints.
    void documentoNonRiuscito_data() {
        QTest::addColumn<bool>("vuoto");
        QTest::newRow("con righe") << false;
        QTest::newRow("senza righe") << true;
    }
    void documentoNonRiuscito() {
        QFETCH(bool, vuoto);
        RecordingPrinters p;
        p.devices = QStringList{"Aula 1", "Aula 2", Printers::kFilePdf};
        p.failingDevices = QStringList{"Aula 2"};
        p.setCurrentPrinter(QStringLiteral("Aula 2"));
        const bool stampato = vuoto ? p.endDoc() : stampaDocumento(p);
        QVERIFY(!stampato);
        QCOMPARE(box->texts, QStringList{QStringLiteral(
                                 "Stampa non riuscita sulla stampante «Aula 2»: la coda di stampa è ferma")});
        QVERIFY(p.entries.isEmpty());
        QVERIFY(!p.documentFailed());
        QCOMPARE(std::pair(p.currentX(), p.currentY()), std::pair(0.0f, 0.0f));

        p.setCurrentPrinter(QStringLiteral("Aula 1"));
        QVERIFY(stampaDocumento(p));
        QCOMPARE(box->texts.size(), 1);
        QCOMPARE(p.printedTexts().size(), 2);
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.first().printer, QStringLiteral("Aula 1"));
    }

    // The real printers: a printer the system does not have and a PDF folder
    // that cannot be made each fail with a message naming the printer and no
    // word of a saved file; a working "File PDF" then saves its document.
    void stampantiVere_data() {
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<bool>("cartellaImpossibile");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("stampante inesistente")
            << QStringLiteral("Stampante Che Non Esiste 42") << false << QStringLiteral("non è installata");
        QTest::newRow("cartella PDF impossibile")
            << Printers::kFilePdf << true << QStringLiteral("non si può scrivere nella cartella");
    }
    void stampantiVere() {
        QFETCH(QString, stampante);
        QFETCH(bool, cartellaImpossibile);
        QFETCH(QString, motivo);
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        // The tests may run as root, for whom no folder is read-only: a folder
        // below a plain file cannot be made by anyone.
        const QString ostacolo = cartella.filePath(QStringLiteral("un file"));
        {
            QFile f(ostacolo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x");
        }
        QtPrinters p;
        p.setPdfFolder(cartellaImpossibile ? ostacolo + QStringLiteral("/PDF") : cartella.path());
        p.setCurrentPrinter(stampante);
        QVERIFY(!stampaDocumento(p));
        QCOMPARE(box->texts.size(), 1);
        const QString messaggio = box->texts.first();
        QVERIFY2(
            messaggio.startsWith(QStringLiteral("Stampa non riuscita sulla stampante «%1»: ").arg(stampante)),
            qPrintable(messaggio));
        QVERIFY2(messaggio.contains(motivo), qPrintable(messaggio));
        QVERIFY(p.lastPdfFile().isEmpty());
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList{QStringLiteral("un file")});

        // The same printer layer prints again once a working printer is chosen.
        p.setPdfFolder(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(stampaDocumento(p));
        QCOMPARE(box->texts.size(), 2);
        QVERIFY2(box->texts.at(1).startsWith(QStringLiteral("Il documento è stato salvato nel file ")),
                 qPrintable(box->texts.at(1)));
        QVERIFY(QFileInfo(p.lastPdfFile()).size() > 0);
        QVERIFY(box->texts.at(1).endsWith(p.lastPdfFile()));
    }
};

QTEST_MAIN(TstPrinters)
#include "tst_printers.moc"
