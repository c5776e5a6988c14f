// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrinters.h"

#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/Printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// CUPS turns away the jobs of a queue that is not accepting them, and Qt
// does not pass the refusal on: ask the printing system before printing,
// where its client is installed. Empty when the queue takes jobs.
QString queueRefusal(const QString& device) {
    QProcess lpstat;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    lpstat.setProcessEnvironment(env);
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-a"), device});
    if (!lpstat.waitForFinished(5000) || lpstat.exitStatus() != QProcess::NormalExit) {
        lpstat.kill();
        return {};
    }
    const QStringList lines = QString::fromLocal8Bit(lpstat.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (lines.isEmpty() || !lines.first().contains(QLatin1String(" not accepting ")))
        return {};
    const QString why = lines.value(1).trimmed();
    return why.isEmpty() ? QStringLiteral("la stampante non accetta lavori")
                         : QStringLiteral("la stampante non accetta lavori (%1)").arg(why);
}

} // namespace

bool fontAvailable(const QString& family) {
    if (QFontDatabase::families().contains(family))
        return true;
    const QStringList& faces = metricCompatibleFaces(family);
    if (faces.isEmpty())
        return false;
    const QString resolved = QFontInfo(QFont(family)).family();
    return faces.contains(resolved);
}

QtPrinters::QtPrinters() : pdfFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {}

QtPrinters::~QtPrinters() {
    if (painter_ && painter_->isActive())
        painter_->end();
}

QStringList QtPrinters::deviceNames() const {
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.removeAll(kFilePdf);
    names.append(kFilePdf);
    return names;
}

QString QtPrinters::defaultPrinter() const {
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? kFilePdf : name;
}

QStringList QtPrinters::fonts() const {
    QStringList families = QFontDatabase::families();
    for (const QString& classic : {QStringLiteral("Courier New"), QStringLiteral("Courier")})
        if (!families.contains(classic) && fontAvailable(classic))
            families.append(classic);
    return families;
}

QSizeF QtPrinters::printableAreaTwips() const {
    if (printer_)
        return printer_->pageRect(QPrinter::Point).size() * 20.0;
    // No document started yet: the whole A4 page that "File PDF" writes.
    return QPageSize(QPageSize::A4).size(QPageSize::Point) * 20.0;
}

QFont QtPrinters::currentFont() const {
    return font();
}

double QtPrinters::toDevice(float twips) const {
    const int dpi = printer_ ? printer_->resolution() : 1200;
    return static_cast<double>(twips) * dpi / 1440.0;
}

bool QtPrinters::beginDocument() {
    if (painter_ && painter_->isActive())
        return true;
    const QString device = currentPrinter();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(documentName());
    if (device == kFilePdf) {
        // A folder that cannot be made (a file stands in its way, a read-only
        // disk) is told before anything is drawn.
        const QFileInfo folder(pdfFolder_);
        if (!QDir().mkpath(pdfFolder_) || !QFileInfo(pdfFolder_).isDir() ||
            !QFileInfo(pdfFolder_).isWritable()) {
            failDocument(QStringLiteral("non si può scrivere nella cartella «%1»")
                             .arg(QDir::toNativeSeparators(folder.absoluteFilePath())));
            discardDocument();
            return false;
        }
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
        const QString base = QStringLiteral("Pontelo - %1 - %2").arg(documentName(), stamp);
        pendingPdfFile_ = QDir(pdfFolder_).filePath(base + QStringLiteral(".pdf"));
        // Documents printed within the same second must not overwrite each other.
        for (int n = 2; QFileInfo::exists(pendingPdfFile_); ++n)
            pendingPdfFile_ = QDir(pdfFolder_).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pendingPdfFile_);
        // A PDF page has no unprintable border: positions count from its corner.
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setFullPage(true);
    } else {
        pendingPdfFile_.clear();
        const QPrinterInfo info = QPrinterInfo::printerInfo(device);
        if (info.isNull()) {
            failDocument(
                QStringLiteral("la stampante non è installata o il servizio di stampa non risponde"));
            discardDocument();
            return false;
        }
        if (info.state() == QPrinter::Error) {
            failDocument(QStringLiteral("la stampante è ferma o in errore"));
            discardDocument();
            return false;
        }
        if (const QString refusal = queueRefusal(device); !refusal.isEmpty()) {
            failDocument(refusal);
            discardDocument();
            return false;
        }
        // Setting the printer also takes its default paper.
        printer_->setPrinterName(device);
        if (!printer_->isValid()) {
            failDocument(QStringLiteral("la stampante non è disponibile"));
            discardDocument();
            return false;
        }
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        failDocument(pendingPdfFile_.isEmpty() ? QStringLiteral("il documento non si è potuto avviare")
                                               : QStringLiteral("non si può scrivere il file «%1»")
                                                     .arg(QDir::toNativeSeparators(pendingPdfFile_)));
        discardDocument();
        return false;
    }
    return true;
}

void QtPrinters::discardDocument() {
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    printer_.reset();
    pendingPdfFile_.clear();
}

float QtPrinters::lineHeightTwips() const {
    if (printer_) {
        const QFontMetricsF metrics(currentFont(), printer_.get());
        return static_cast<float>(metrics.height() * 1440.0 / printer_->resolution());
    }
    return fontSize() * 20.0f * 1.15f;
}

void QtPrinters::drawText(const QString& text) {
    if (!beginDocument())
        return;
    QPainter& p = *painter_;
    p.setFont(QFont(currentFont(), printer_.get()));
    const QFontMetricsF metrics(p.font(), printer_.get());
    p.setPen(textColor());
    p.drawText(QPointF(toDevice(currentX()), toDevice(currentY()) + metrics.ascent()), text);
}

void QtPrinters::drawPicture(const QImage& picture, float x, float y, float width, float height) {
    if (!beginDocument())
        return;
    QPainter& p = *painter_;
    p.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), picture);
}

void QtPrinters::finishDocument() {
    // A document that never started (nothing drawn, or it failed) sends nothing.
    if (!painter_ || !painter_->isActive() || documentFailed()) {
        discardDocument();
        return;
    }
    const bool ended = painter_->end();
    const QPrinter::PrinterState state = printer_->printerState();
    const QString file = pendingPdfFile_;
    painter_.reset();
    printer_.reset();
    pendingPdfFile_.clear();
    QString reason;
    if (state == QPrinter::Aborted)
        reason = QStringLiteral("la stampa è stata interrotta");
    else if (!ended || state == QPrinter::Error)
        reason = QStringLiteral("il sistema di stampa ha segnalato un errore");
    else if (!file.isEmpty() && QFileInfo(file).size() <= 0)
        reason = QStringLiteral("il file «%1» non è stato scritto").arg(QDir::toNativeSeparators(file));
    if (!reason.isEmpty()) {
        // A half-written PDF file is no document.
        if (!file.isEmpty())
            QFile::remove(file);
        failDocument(reason);
        return;
    }
    if (!file.isEmpty()) {
        // Only a file that is really there is announced as saved.
        lastPdfFile_ = file;
        platform::messageBox().show(
            QStringLiteral("Il documento è stato salvato nel file %1").arg(lastPdfFile_));
    }
}
