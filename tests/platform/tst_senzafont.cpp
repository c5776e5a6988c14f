// SPDX-License-Identifier: GPL-3.0-or-later
// A system without any font: a printout whose text no face can draw is
// refused with a message naming the printer, and no file is left, instead of
// a page of empty boxes announced as saved.
#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "support/DocumentsFolder.h"
#include "support/TestSupport.h"

#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtTest>

class TstSenzaFont : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void testoSenzaFont() {
        // Only the generic names are left, with no face behind them.
        QVERIFY2(!QFontDatabase::families().contains(QStringLiteral("Liberation Serif")),
                 qPrintable(QFontDatabase::families().join(", ")));
        RecordingMessageBox* box = installFakePlatform().messageBox;
        QTemporaryDir cartella;
        DocumentsFolder documenti(cartella.path());
        QtPrinters p;
        p.setCurrentPrinter(Printers::kFilePdf);
        p.newDocument(QStringLiteral("Attestato"));
        p.setFontName(QStringLiteral("Times New Roman"));
        p.printAt(1000, 1000, QStringLiteral("DIPLOMA DI MERITO"));
        p.printAt(1000, 2000, QStringLiteral("ROSSI"));
        QVERIFY(!p.endDoc());
        QCOMPARE(box->texts,
                 QStringList{printFailureMessage(
                     Printers::kFilePdf,
                     QStringLiteral(
                         "non c'è un font per scrivere il testo (installa il font «Times New Roman»)"))});
        QVERIFY(documenti.newFile().isEmpty());
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

int main(int argc, char* argv[]) {
    // Fontconfig with no folder to look in: no font at all.
    QTemporaryDir conf;
    const QString file = conf.filePath(QStringLiteral("fonts.conf"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write("<?xml version=\"1.0\"?><fontconfig></fontconfig>\n") <= 0)
        return 1;
    f.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(file));
    QApplication app(argc, argv);
    TstSenzaFont test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_senzafont.moc"
