// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

// The printers of the machine and one document at a time on the current
// printer. Positions are in twips from the top left corner of the printable
// page. Printing a line writes it at (currentX, currentY), then moves to the
// start of the next line, as the drill's printouts expect.
class Printers {
public:
    static inline const QString kFilePdf = QStringLiteral("File PDF");

    virtual ~Printers() = default;

    // Installed printers in the platform's order, "File PDF" last.
    virtual QStringList deviceNames() const = 0;
    virtual QString defaultPrinter() const = 0;
    // The printer every print goes to: the default one until changed.
    QString currentPrinter() const;
    void setCurrentPrinter(const QString& deviceName);
    // Font families the current printer offers, in the printer's own order.
    virtual QStringList fonts() const = 0;
    // The first of the current printer's fonts, in its own order, named
    // exactly "Courier New" or "Courier". Without one the user is told to
    // install it and the result is empty.
    QString searchPrinterFont() const;

    // What the document is, for the name of a PDF file ("Esercizio", "Scheda").
    void setDocumentName(const QString& name) { documentName_ = name; }
    QString documentName() const { return documentName_; }

    void setFontName(const QString& name) { fontName_ = name; }
    QString fontName() const { return fontName_; }
    void setFontSize(float points) { fontSize_ = points; }
    float fontSize() const { return fontSize_; }
    void setFontBold(bool bold) { fontBold_ = bold; }
    bool fontBold() const { return fontBold_; }
    // Colour of the text printed from now on; black until set.
    void setTextColor(const QColor& color) { textColor_ = color; }
    QColor textColor() const { return textColor_; }
    // The font of the next line, and the width of a text in it, in twips.
    QFont font() const;
    double textWidthTwips(const QString& text) const;
    void setCurrentX(float twips) { currentX_ = twips; }
    float currentX() const { return currentX_; }
    void setCurrentY(float twips) { currentY_ = twips; }
    float currentY() const { return currentY_; }

    void print(const QString& text);
    // Prints a line at a position, as the printouts place each of theirs.
    void printAt(float xTwips, float yTwips, const QString& text);
    void paintPicture(const QImage& picture, float xTwips, float yTwips, float widthTwips, float heightTwips);
    // Ends the document, which sends the page to the printer; true when it was
    // printed. A document that could not be started or finished has already
    // been reported to the user, once, naming the printer; whatever was drawn
    // after its failure was dropped.
    bool endDoc();
    // True once the document being printed has failed.
    bool documentFailed() const { return failed_; }
    // Width and height of the current printer's printable area, in twips.
    virtual QSizeF printableAreaTwips() const = 0;

protected:
    // True when the default printer just given is a stand-in because the
    // system could not say which it is: it is then not kept as the current one.
    virtual bool defaultPrinterProvisional() const { return false; }
    virtual float lineHeightTwips() const = 0;
    virtual void drawText(const QString& text) = 0;
    virtual void drawPicture(const QImage& picture, float x, float y, float width, float height) = 0;
    // Sends the document, or cleans up after a failed one (documentFailed()).
    virtual void finishDocument() = 0;
    // Reports that the current document cannot be printed, with the reason
    // the system gives; only the first failure of a document is reported.
    void failDocument(const QString& reason);

private:
    mutable QString current_;
    bool failed_ = false;
    QString documentName_ = QStringLiteral("Stampa");
    QString fontName_ = QStringLiteral("Arial");
    float fontSize_ = 12.0f;
    bool fontBold_ = false;
    QColor textColor_{Qt::black};
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
};

// The message that tells the user a document did not reach a printer.
QString printFailureMessage(const QString& printer, const QString& reason);
// The message when no printer offers a Courier font.
QString missingCourierMessage();

namespace platform {
// The printers every print goes through, installed by the program at start
// (tests install their own); using them before is a programming error.
Printers& printers();
void setPrinters(std::unique_ptr<Printers> printers);
} // namespace platform
