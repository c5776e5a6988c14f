// SPDX-License-Identifier: GPL-3.0-or-later
// A system whose libcups cannot be loaded: the printers still offer and print
// to "File PDF", and a print to a CUPS queue fails with a message naming the
// printer instead of ending the program.
#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "support/DocumentsFolder.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool libcupsMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libcups.so");
}

bool stampa(Printers& p) {
    p.newDocument(QStringLiteral("Esercizio"));
    p.setFontName(QStringLiteral("Courier New"));
    p.printAt(1000, 1000, QStringLiteral("SCUOLA ELEMENTARE DI "));
    return p.endDoc();
}
} // namespace

class TstSenzaCups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stampaSenzaLibcups() {
        // ctest puts first on the library path a folder whose libcups.so.2 is
        // no library at all, as a broken or missing installation would be.
        const QString cartellaFinta = qEnvironmentVariable("LD_LIBRARY_PATH").section(QLatin1Char(':'), 0, 0);
        QVERIFY2(QFile::exists(cartellaFinta + QStringLiteral("/libcups.so.2")), qPrintable(cartellaFinta));
        // The program does not bring libcups in with it.
        QVERIFY(!libcupsMapped());

        RecordingMessageBox* box = installFakePlatform().messageBox;
        QTemporaryDir cartella;
        DocumentsFolder documenti(cartella.path());
        QtPrinters p;
        QCOMPARE(p.deviceNames(), QStringList{Printers::kFilePdf});
        QCOMPARE(p.currentPrinter(), Printers::kFilePdf);

        p.setCurrentPrinter(QStringLiteral("Aula 1"));
        QVERIFY(!stampa(p));
        QCOMPARE(box->texts,
                 QStringList{printFailureMessage(
                     QStringLiteral("Aula 1"),
                     QStringLiteral("la libreria di stampa di CUPS (libcups.so.2) non è installata "
                                    "o non si può caricare"))});
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(stampa(p));
        QCOMPARE(box->texts.size(), 2);
        const QString pdf = documenti.newFile();
        QCOMPARE(box->texts.at(1), QStringLiteral("Il documento è stato salvato nel file ") + pdf);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(!libcupsMapped());
    }
};

QTEST_MAIN(TstSenzaCups)
#include "tst_senzacups.moc"
