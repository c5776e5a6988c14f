// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Doubles.h"

#include <QImage>

#include <cmath>

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
                    font().bold(),
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
                    font().bold(),
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
