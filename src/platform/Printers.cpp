#include "platform/Printers.h"

#include <cmath>

QString Printers::currentPrinter() const {
    if (current_.isEmpty())
        current_ = defaultPrinter();
    return current_;
}

void Printers::setCurrentPrinter(const QString& deviceName) {
    current_ = deviceName;
}

void Printers::print(const QString& text) {
    drawText(text);
    currentY_ += lineHeightTwips();
    currentX_ = 0.0f;
}

void Printers::paintPicture(const QImage& picture, float xTwips, float yTwips, float widthTwips,
                            float heightTwips) {
    drawPicture(picture, xTwips, yTwips, widthTwips, heightTwips);
}

void Printers::endDoc() {
    finishDocument();
    currentX_ = 0.0f;
    currentY_ = 0.0f;
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
                    0});
}

void RecordingPrinters::drawPicture(const QImage& picture, float x, float y, float width, float height) {
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
                    height});
}

void RecordingPrinters::finishDocument() {
    entries.append({Entry::EndDoc, currentPrinter(), {}, {}, 0, false, 0, 0, {}, 0, 0});
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
