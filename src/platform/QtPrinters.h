// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Printers.h"

#include <QElapsedTimer>
#include <QFont>
#include <memory>

// Printers through CUPS, with the built-in "File PDF" printer that writes each
// document to a new PDF file in the user's documents folder. Every page is
// drawn into a PDF file with Qt: "File PDF" writes A4 pages whose printable
// area is the whole page and gives the file its name only once every byte is
// on disk; a CUPS printer gets a page of its own default paper, handed to CUPS
// as one job whose answer is checked. "File PDF" never asks CUPS anything, and
// every request to CUPS has a time limit and runs off the user-interface
// thread, so a printing service that does not answer cannot freeze a window.
class QtPrinters final : public Printers {
public:
    QtPrinters();
    ~QtPrinters() override;

    QStringList deviceNames() const override;
    QString defaultPrinter() const override;
    QStringList fonts() const override;
    QSizeF printableAreaTwips() const override;

protected:
    bool defaultPrinterProvisional() const override { return defaultProvisional_; }
    float lineHeightTwips() const override;
    void drawText(const QString& text) override;
    void drawPicture(const QImage& picture, float x, float y, float width, float height) override;
    void finishDocument() override;

private:
    struct Document;
    struct PrinterList;

    // Starts the document on the current printer if it is not started yet;
    // false (the failure reported) when it cannot be started.
    bool beginDocument();
    bool beginPdfFile(Document& doc);
    bool beginCupsJob(Document& doc);
    void finishPdfFile(Document& doc);
    void finishCupsJob(Document& doc);
    void discardDocument();
    // The printers CUPS lists and its default, or nothing when it cannot say.
    PrinterList askPrinterList() const;
    QFont currentFont() const;
    double toDevice(float twips) const;

    std::unique_ptr<Document> doc_;
    // How long one request to CUPS may wait for its answer.
    static constexpr int kCupsLimitMs = 2500;
    mutable bool defaultProvisional_ = false;
    // Since CUPS last failed to answer: the printer list is not asked again
    // at once, so one opening of a window waits once.
    mutable QElapsedTimer sinceNoAnswer_;
};

// True when the system has the face itself or a metric-compatible one for it.
bool fontAvailable(const QString& family);
// The user's documents folder; from the user's account when HOME is not set.
QString documentsFolder();
// Why a file could not be written in a folder, for the user, from errno.
QString writeFailureReason(int error, const QString& folder);
