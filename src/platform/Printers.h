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
    // exactly "Courier New" or "Courier"; empty when it has neither.
    // Only a query: whoever prints tells the user when there is none.
    QString printerFont() const;

    // Starts a document from the state every document starts from (Arial 12
    // regular, black, the top left corner), named after what it is for the
    // name of a PDF file ("Esercizio", "Scheda"). The page itself is opened
    // by the first thing drawn.
    void newDocument(const QString& name);
    QString documentName() const { return doc_.name; }

    void setFontName(const QString& name) { doc_.fontName = name; }
    QString fontName() const { return doc_.fontName; }
    void setFontSize(float points) { doc_.fontSize = points; }
    float fontSize() const { return doc_.fontSize; }
    void setFontBold(bool bold) { doc_.fontBold = bold; }
    // Colour of the text printed from now on.
    void setTextColor(const QColor& color) { doc_.textColor = color; }
    QColor textColor() const { return doc_.textColor; }
    // The font of the next line, and the width of a text in it, in twips.
    QFont font() const;
    double textWidthTwips(const QString& text) const;
    void setCurrentX(float twips) { doc_.x = twips; }
    float currentX() const { return doc_.x; }
    void setCurrentY(float twips) { doc_.y = twips; }
    float currentY() const { return doc_.y; }

    void print(const QString& text);
    // Prints a line at a position, as the printouts place each of theirs.
    void printAt(float xTwips, float yTwips, const QString& text);
    void paintPicture(const QImage& picture, float xTwips, float yTwips, float widthTwips, float heightTwips);
    // Ends the document, which sends the page to the printer; true when it was
    // printed. A document that could not be started or finished has already
    // been reported to the user, once, naming the printer; whatever was drawn
    // after its failure was dropped. The next document starts again from the
    // common state.
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
    // What a document sets as it is printed. Every document starts from
    // these values, whatever the one before it ended with.
    struct DocumentState {
        QString name = QStringLiteral("Stampa");
        QString fontName = QStringLiteral("Arial");
        float fontSize = 12.0f;
        bool fontBold = false;
        QColor textColor{Qt::black};
        float x = 0.0f;
        float y = 0.0f;
    };

    mutable QString current_;
    bool failed_ = false;
    DocumentState doc_;
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
