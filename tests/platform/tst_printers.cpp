// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cups.h"
#include "platform/QtPrinters.h"
#include "support/DocumentsFolder.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <cstring>
#include <cups/ipp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

// A queue that stops in the middle of a document: it takes `consentiti`
// drawings, fails on the next, and counts every drawing that reaches it.
class CodaCheSiFerma final : public Printers {
public:
    int consentiti = 1;
    int disegni = 0;
    QStringList deviceNames() const override { return {QStringLiteral("Aula 1")}; }
    QString defaultPrinter() const override { return QStringLiteral("Aula 1"); }
    QStringList fonts() const override { return {QStringLiteral("Courier New")}; }
    QSizeF printableAreaTwips() const override { return {11906, 16838}; }

protected:
    float lineHeightTwips() const override { return 240; }
    void drawText(const QString&) override { disegna(); }
    void drawPicture(const QImage&, float, float, float, float) override { disegna(); }
    void finishDocument() override {}

private:
    void disegna() {
        if (++disegni > consentiti)
            failDocument(QStringLiteral("la coda di stampa è ferma"));
    }
};
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
        // Asking is only asking: the user hears of a missing font from a print.
        QCOMPARE(p.printerFont(), trovato);
        QVERIFY(box->texts.isEmpty());
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

    // Whatever a printout draws after its document failed never reaches the
    // printer, and the failure is told once; the next document draws again.
    void nienteDopoIlFallimento_data() {
        QTest::addColumn<int>("consentiti");
        QTest::newRow("alla prima riga") << 0;
        QTest::newRow("alla seconda riga") << 1;
        QTest::newRow("all'immagine") << 2;
    }
    void nienteDopoIlFallimento() {
        QFETCH(int, consentiti);
        CodaCheSiFerma p;
        p.consentiti = consentiti;
        QVERIFY(!stampaDocumento(p));
        QCOMPARE(p.disegni, consentiti + 1);
        QCOMPARE(box->texts,
                 QStringList{"Stampa non riuscita sulla stampante «Aula 1»: la coda di stampa è ferma"});

        p.consentiti = 100;
        p.disegni = 0;
        QVERIFY(stampaDocumento(p));
        QCOMPARE(p.disegni, 3);
        QCOMPARE(box->texts.size(), 1);
    }

    // The real printers: a printing service that is not running, one that
    // takes the connection and never answers, and a PDF folder that cannot be
    // made each fail with a message naming the printer and no word of a saved
    // file; the printer list still offers "File PDF", and a working "File PDF"
    // then saves its document.
    void stampantiVere_data() {
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<QString>("servizio");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("servizio di stampa spento") << "Aula 3"
                                                   << "spento"
                                                   << "il servizio di stampa non è attivo";
        QTest::newRow("servizio che non risponde") << "Aula 3"
                                                   << "muto"
                                                   << "il servizio di stampa non risponde";
        QTest::newRow("cartella PDF impossibile") << Printers::kFilePdf << "muto"
                                                  << "non si può scrivere nella cartella";
    }
    void stampantiVere() {
        QFETCH(QString, stampante);
        QFETCH(QString, servizio);
        QFETCH(QString, motivo);
        QTemporaryDir cartella;
        // A socket that is listened on but never accepted: the connection is
        // made and no answer ever comes, as with a hung scheduler.
        const QString presa = cartella.filePath(QStringLiteral("cups.sock"));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un indirizzo{};
        indirizzo.sun_family = AF_UNIX;
        std::strncpy(indirizzo.sun_path, QFile::encodeName(presa).constData(), sizeof indirizzo.sun_path - 1);
        if (servizio == QLatin1String("muto"))
            QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&indirizzo), sizeof indirizzo) == 0 &&
                    ::listen(fd, 16) == 0);
        const QByteArray prima = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", QFile::encodeName(presa));
        // The tests may run as root, for whom no folder is read-only: a folder
        // below a plain file cannot be made by anyone.
        QFile ostacolo(cartella.filePath(QStringLiteral("un file")));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly) && ostacolo.write("x") == 1);
        ostacolo.close();
        QtPrinters p;
        QCOMPARE(p.deviceNames(), QStringList{Printers::kFilePdf});
        DocumentsFolder documenti(stampante == Printers::kFilePdf ? ostacolo.fileName() + "/PDF"
                                                                  : cartella.path());
        p.setCurrentPrinter(stampante);
        QVERIFY(!stampaDocumento(p));
        QCOMPARE(box->texts.size(), 1);
        const QString messaggio = box->texts.first();
        QVERIFY2(messaggio.startsWith(
                     QStringLiteral("Stampa non riuscita sulla stampante «%1»: ").arg(stampante)) &&
                     messaggio.contains(motivo),
                 qPrintable(messaggio));
        QVERIFY(documenti.newFile().isEmpty());
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 servizio == QLatin1String("muto") ? QStringList({"cups.sock", "un file"})
                                                   : QStringList{"un file"});

        // The same printer layer prints again once a working printer is chosen.
        documenti.moveTo(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(stampaDocumento(p));
        QCOMPARE(box->texts.size(), 2);
        const QString pdf = documenti.newFile();
        QCOMPARE(box->texts.at(1), QStringLiteral("Il documento è stato salvato nel file ") + pdf);
        QVERIFY(QFileInfo(pdf).size() > 0);
        // Nothing but the document itself is left in the folder.
        QCOMPARE(QDir(cartella.path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden),
                 QStringList());
        ::close(fd);
        qputenv("CUPS_SERVER", prima);
        if (prima.isEmpty())
            qunsetenv("CUPS_SERVER");
    }

    // What CUPS says about a queue or a job, told in Italian where the
    // meaning is plain, otherwise in CUPS's own words.
    void motiviCups_data() {
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("utente non ammesso") << int(IPP_STATUS_ERROR_NOT_AUTHORIZED) << "Not allowed to print."
                                            << "non hai il permesso di stampare su questa stampante";
        QTest::newRow("vietato") << int(IPP_STATUS_ERROR_FORBIDDEN) << ""
                                 << "non hai il permesso di stampare su questa stampante";
        QTest::newRow("quota") << int(IPP_STATUS_ERROR_NOT_POSSIBLE) << "Quota limit reached."
                               << "è stata raggiunta la quota di stampa";
        QTest::newRow("non accetta") << int(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
                                     << "Destination is not accepting"
                                     << "la stampante non accetta lavori";
        QTest::newRow("altro") << int(IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED) << "Unsupported format"
                               << "il servizio di stampa ha rifiutato il lavoro (Unsupported format)";
    }
    void motiviCups() {
        QFETCH(int, stato);
        QFETCH(QString, testo);
        QFETCH(QString, motivo);
        QCOMPARE(cups::jobRefusal(stato, testo), motivo);
    }

    // Without HOME the documents folder is the user's own, never one at the
    // root of the file system.
    void cartellaDocumentiSenzaHome() {
        const QByteArray casa = qgetenv("HOME");
        qunsetenv("HOME");
        const QString cartella = documentsFolder();
        qputenv("HOME", casa);
        const passwd* utente = ::getpwuid(::getuid());
        QVERIFY(utente);
        QVERIFY2(cartella.startsWith(QFile::decodeName(utente->pw_dir) + QLatin1Char('/')),
                 qPrintable(cartella));
        QVERIFY(cartella != QStringLiteral("/Documents"));
    }
};

QTEST_MAIN(TstPrinters)
#include "tst_printers.moc"
