// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printers.h"

#include "platform/Platform.h"

#include <QFontMetricsF>

QString printFailureMessage(const QString& printer, const QString& reason) {
    return QStringLiteral("Stampa non riuscita sulla stampante «%1»: %2").arg(printer, reason);
}

QString missingCourierMessage() {
    return QStringLiteral("Devi installare il font Courier o il font Courier New");
}

QString Printers::currentPrinter() const {
    if (!current_.isEmpty())
        return current_;
    const QString printer = defaultPrinter();
    if (!defaultPrinterProvisional())
        current_ = printer;
    return printer;
}

void Printers::setCurrentPrinter(const QString& deviceName) {
    current_ = deviceName;
}

QString Printers::printerFont() const {
    for (const QString& font : fonts())
        if (font == QLatin1String("Courier New") || font == QLatin1String("Courier"))
            return font;
    return {};
}

void Printers::newDocument(const QString& name) {
    doc_ = {};
    doc_.name = name;
}

QFont Printers::font() const {
    QFont f(doc_.fontName);
    f.setPointSizeF(doc_.fontSize > 0 ? doc_.fontSize : 12.0);
    f.setBold(doc_.fontBold);
    return f;
}

double Printers::textWidthTwips(const QString& text) const {
    // Measured at 1440 dots per inch, one dot a twip: fine enough that the
    // screen's rounding plays no part.
    static const QImage twips = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(56693);
        image.setDotsPerMeterY(56693);
        return image;
    }();
    return QFontMetricsF(font(), &twips).horizontalAdvance(text);
}

void Printers::failDocument(const QString& reason) {
    if (failed_)
        return;
    failed_ = true;
    platform::messageBox().show(printFailureMessage(currentPrinter(), reason));
}

void Printers::print(const QString& text) {
    if (!failed_)
        drawText(text);
    doc_.y += lineHeightTwips();
    doc_.x = 0.0f;
}

void Printers::printAt(float xTwips, float yTwips, const QString& text) {
    setCurrentX(xTwips);
    setCurrentY(yTwips);
    print(text);
}

void Printers::paintPicture(const QImage& picture, float xTwips, float yTwips, float widthTwips,
                            float heightTwips) {
    if (!failed_)
        drawPicture(picture, xTwips, yTwips, widthTwips, heightTwips);
}

bool Printers::endDoc() {
    finishDocument();
    const bool printed = !failed_;
    failed_ = false;
    doc_ = {};
    return printed;
}

namespace platform {
namespace {
std::unique_ptr<Printers>& installedPrinters() {
    static std::unique_ptr<Printers> printers;
    return printers;
}
} // namespace

Printers& printers() {
    if (!installedPrinters())
        qFatal("No printers installed: the program installs them at start");
    return *installedPrinters();
}
void setPrinters(std::unique_ptr<Printers> p) {
    installedPrinters() = std::move(p);
}
} // namespace platform
