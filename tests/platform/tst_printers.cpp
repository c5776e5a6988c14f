// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrinters.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
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

private Q_SLOTS:
    void init() { box = installFakePlatform().messageBox; }

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
        QCOMPARE(box->texts, trovato.isEmpty()
                                 ? QStringList{"Devi installare il font Courier o il font Courier New"}
                                 : QStringList{});
        QVERIFY(p.entries.isEmpty());
    }

    // A failing device, with or without lines drawn, reports the failure once
    // and records nothing; the next document on a working printer prints.
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
        QVERIFY(!(vuoto ? p.endDoc() : stampaDocumento(p)));
        QCOMPARE(box->texts,
                 QStringList{"Stampa non riuscita sulla stampante «Aula 2»: la coda di stampa è ferma"});
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
        QTest::addColumn<QString>("motivo");
        QTest::newRow("stampante inesistente") << "Stampante Che Non Esiste 42"
                                               << "non è installata";
        QTest::newRow("cartella PDF impossibile")
            << Printers::kFilePdf << "non si può scrivere nella cartella";
    }
    void stampantiVere() {
        QFETCH(QString, stampante);
        QFETCH(QString, motivo);
        QTemporaryDir cartella;
        // The tests may run as root, for whom no folder is read-only: a folder
        // below a plain file cannot be made by anyone.
        QFile ostacolo(cartella.filePath(QStringLiteral("un file")));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly) && ostacolo.write("x") == 1);
        ostacolo.close();
        QtPrinters p;
        p.setPdfFolder(stampante == Printers::kFilePdf ? ostacolo.fileName() + "/PDF" : cartella.path());
        p.setCurrentPrinter(stampante);
        QVERIFY(!stampaDocumento(p));
        QCOMPARE(box->texts.size(), 1);
        const QString messaggio = box->texts.first();
        QVERIFY2(messaggio.startsWith(
                     QStringLiteral("Stampa non riuscita sulla stampante «%1»: ").arg(stampante)) &&
                     messaggio.contains(motivo),
                 qPrintable(messaggio));
        QVERIFY(p.lastPdfFile().isEmpty());
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList{"un file"});

        // The same printer layer prints again once a working printer is chosen.
        p.setPdfFolder(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(stampaDocumento(p));
        QCOMPARE(box->texts.size(), 2);
        QCOMPARE(box->texts.at(1),
                 QStringLiteral("Il documento è stato salvato nel file ") + p.lastPdfFile());
        QVERIFY(QFileInfo(p.lastPdfFile()).size() > 0);
    }
};

QTEST_MAIN(TstPrinters)
#include "tst_printers.moc"
