// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Printers.h"

#include <QFont>
#include <memory>

class QPainter;
class QPrinter;

// Printers through Qt Print Support (CUPS on Linux), with the built-in
// "File PDF" printer that writes each document to a new PDF file in the
// user's documents folder. "File PDF" writes A4 pages whose printable area is
// the whole page; a system printer prints on its own default paper.
class QtPrinters final : public Printers {
public:
    QtPrinters();
    ~QtPrinters() override;

    QStringList deviceNames() const override;
    QString defaultPrinter() const override;
    QStringList fonts() const override;
    QSizeF printableAreaTwips() const override;

    // Folder the "File PDF" printer writes to; the documents folder by default.
    void setPdfFolder(const QString& folder) { pdfFolder_ = folder; }
    QString lastPdfFile() const { return lastPdfFile_; }

protected:
    float lineHeightTwips() const override;
    void drawText(const QString& text) override;
    void drawPicture(const QImage& picture, float x, float y, float width, float height) override;
    void finishDocument() override;

private:
    // Starts the document on the current printer if it is not started yet;
    // false (the failure reported) when it cannot be started.
    bool beginDocument();
    void discardDocument();
    QFont currentFont() const;
    double toDevice(float twips) const;

    QString pdfFolder_;
    QString lastPdfFile_;
    QString pendingPdfFile_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
};

// True when the system has the face itself or a metric-compatible one for it.
bool fontAvailable(const QString& family);
