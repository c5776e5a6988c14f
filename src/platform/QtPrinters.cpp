#include "platform/QtPrinters.h"

#include "platform/Platform.h"
#include "platform/Printers.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

// Faces fontconfig substitutes for the classic Windows fonts with the same
// metrics; a document set in one of the classic names prints in these.
const QStringList& compatibleFaces(const QString& family) {
    static const QStringList courier{QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS"),
                                     QStringLiteral("Nimbus Mono L"), QStringLiteral("Courier New"),
                                     QStringLiteral("Courier")};
    static const QStringList none;
    if (family == QLatin1String("Courier New") || family == QLatin1String("Courier"))
        return courier;
    return none;
}

} // namespace

bool fontAvailable(const QString& family) {
    if (QFontDatabase::families().contains(family))
        return true;
    const QStringList& faces = compatibleFaces(family);
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

QFont QtPrinters::currentFont() const {
    QFont font(fontName());
    font.setPointSizeF(fontSize() > 0 ? fontSize() : 12.0);
    font.setBold(fontBold());
    return font;
}

double QtPrinters::toDevice(float twips) const {
    const int dpi = printer_ ? printer_->resolution() : 1200;
    return static_cast<double>(twips) * dpi / 1440.0;
}

QPainter& QtPrinters::painter() {
    if (!painter_ || !painter_->isActive()) {
        const QString device = currentPrinter();
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setDocName(documentName());
        if (device == kFilePdf) {
            QDir().mkpath(pdfFolder_);
            const QString stamp =
                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
            const QString base = QStringLiteral("Pontelo - %1 - %2").arg(documentName(), stamp);
            pendingPdfFile_ = QDir(pdfFolder_).filePath(base + QStringLiteral(".pdf"));
            // Documents printed within the same second must not overwrite each other.
            for (int n = 2; QFileInfo::exists(pendingPdfFile_); ++n)
                pendingPdfFile_ = QDir(pdfFolder_).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(pendingPdfFile_);
        } else {
            pendingPdfFile_.clear();
            printer_->setPrinterName(device);
        }
        painter_ = std::make_unique<QPainter>();
        painter_->begin(printer_.get());
    }
    return *painter_;
}

float QtPrinters::lineHeightTwips() const {
    if (printer_) {
        const QFontMetricsF metrics(currentFont(), printer_.get());
        return static_cast<float>(metrics.height() * 1440.0 / printer_->resolution());
    }
    return fontSize() * 20.0f * 1.15f;
}

void QtPrinters::drawText(const QString& text) {
    QPainter& p = painter();
    if (!p.isActive())
        return;
    p.setFont(QFont(currentFont(), printer_.get()));
    const QFontMetricsF metrics(p.font(), printer_.get());
    p.setPen(Qt::black);
    p.drawText(QPointF(toDevice(currentX()), toDevice(currentY()) + metrics.ascent()), text);
}

void QtPrinters::drawPicture(const QImage& picture, float x, float y, float width, float height) {
    QPainter& p = painter();
    if (!p.isActive())
        return;
    p.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), picture);
}

void QtPrinters::finishDocument() {
    if (!painter_ || !painter_->isActive())
        return;
    painter_->end();
    painter_.reset();
    printer_.reset();
    if (!pendingPdfFile_.isEmpty()) {
        lastPdfFile_ = pendingPdfFile_;
        pendingPdfFile_.clear();
        platform::messageBox().show(
            QStringLiteral("Il documento è stato salvato nel file %1").arg(lastPdfFile_));
    }
}
