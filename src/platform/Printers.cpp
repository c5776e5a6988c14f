// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printers.h"

#include "platform/Platform.h"

#include <QFontMetricsF>

#include <cmath>

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

QString Printers::searchPrinterFont() const {
    for (const QString& font : fonts())
        if (font == QLatin1String("Courier New") || font == QLatin1String("Courier"))
            return font;
    platform::messageBox().show(missingCourierMessage());
    return {};
}

QFont Printers::font() const {
    QFont f(fontName_);
    f.setPointSizeF(fontSize_ > 0 ? fontSize_ : 12.0);
    f.setBold(fontBold_);
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
    currentY_ += lineHeightTwips();
    currentX_ = 0.0f;
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
    currentX_ = 0.0f;
    currentY_ = 0.0f;
    // Each document starts in black, whatever the last one ended with.
    textColor_ = Qt::black;
    return printed;
}

RecordingPrinters::RecordingPrinters()
    : devices{QStringLiteral("Aula 1"), Printers::kFilePdf},
      defaultDevice(QStringLiteral("Aula 1")), fontList{QStringLiteral("Arial"),
                                                        QStringLiteral("Courier New"),
                                                        QStringLiteral("Times New Roman")} {}

QStringList RecordingPrinters::printedTexts() const {
    QStringList texts;
    for (const Entry& e : entries)
        if (e.kind == Entry::Text)
            texts.append(e.text);
    return texts;
}

int RecordingPrinters::documentsEnded() const {
    int n = 0;
    for (const Entry& e : entries)
        n += e.kind == Entry::EndDoc ? 1 : 0;
    return n;
}

// A fixed line pitch keeps the recorded positions predictable: 1.2 times the
// font size, in twips.
float RecordingPrinters::lineHeightTwips() const {
    return std::round(fontSize() * 24.0f);
}

void RecordingPrinters::drawText(const QString& text) {
    if (failingDevices.contains(currentPrinter())) {
        failDocument(failureReason);
        return;
    }
    entries.append({Entry::Text,
                    currentPrinter(),
                    text,
                    fontName(),
                    fontSize(),
                    fontBold(),
                    currentX(),
                    currentY(),
                    {},
                    0,
                    0,
                    textColor()});
}

void RecordingPrinters::drawPicture(const QImage& picture, float x, float y, float width, float height) {
    if (failingDevices.contains(currentPrinter())) {
        failDocument(failureReason);
        return;
    }
    entries.append({Entry::Picture,
                    currentPrinter(),
                    {},
                    fontName(),
                    fontSize(),
                    fontBold(),
                    x,
                    y,
                    picture.size(),
                    width,
                    height,
                    textColor()});
}

void RecordingPrinters::finishDocument() {
    if (failingDevices.contains(currentPrinter()))
        failDocument(failureReason);
    if (documentFailed())
        return;
    entries.append({Entry::EndDoc, currentPrinter(), {}, {}, 0, false, 0, 0, {}, 0, 0, {}});
    documentNames.append(documentName());
}

namespace platform {
namespace {
std::unique_ptr<Printers>& installedPrinters() {
    static std::unique_ptr<Printers> printers = std::make_unique<RecordingPrinters>();
    return printers;
}
} // namespace

Printers& printers() {
    return *installedPrinters();
}
void setPrinters(std::unique_ptr<Printers> p) {
    installedPrinters() = std::move(p);
}
} // namespace platform
