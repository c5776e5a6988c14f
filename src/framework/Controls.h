// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

// A caption on the window. Transparent unless made opaque; text aligned at the
// top and wrapped at the label's width. Assigning a different caption emits
// captionChanged, which windows use as the label's change event.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr, const QString& caption = QString());
    void setCaption(const QString& caption);
    QString caption() const { return text(); }
    void setForeColor(const QColor& color);
    QColor foreColor() const { return foreColor_; }
    // Opaque with this back colour.
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

Q_SIGNALS:
    void captionChanged(const QString& caption);

private:
    QColor foreColor_{Qt::black};
    QColor backColor_;
};

// A frame without caption: a coloured area that holds controls. Disabling it
// makes every control inside unusable.
class Frame : public QFrame {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

protected:
    bool event(QEvent* event) override;

private:
    QColor backColor_;
};

// A straight line between two points given in twips of its container. It covers
// its whole container and lets the mouse through, so it can sit above labels.
class LineControl : public QWidget {
    Q_OBJECT
public:
    explicit LineControl(QWidget* parent);
    void setPoints(double x1, double y1, double x2, double y2);
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setPen(const QColor& color, int widthPixels);
    QColor color() const { return color_; }
    int widthPixels() const { return width_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor color_{Qt::black};
    int width_ = 1;
};

// A filled rounded rectangle, for decoration.
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent, const QColor& fill);
    QColor fillColor() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

// A picture shown at its own size in the top left corner of its box.
class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget* parent, const QPixmap& pixmap);
};

// A push button. Given a back colour it shows exactly that colour, flat, with
// a thin border, whatever the Qt style would draw.
class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(QWidget* parent = nullptr, const QString& text = QString());
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_;
};

// An editable text with a drop-down list. Only a selection in the list (by
// code, by picking an entry, also the one already selected, or by the arrow
// keys) is reported; typing in the text part, even a text equal to an entry
// followed by Enter or Tab, selects nothing.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);
    // Appends an entry without selecting it.
    void addEntry(const QString& text);
    void setListIndex(int index) { setCurrentIndex(index); }
    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }

Q_SIGNALS:
    void listSelectionChanged(int index);

private:
    // A pick that changed the selection has been reported already.
    bool changedByPick_ = false;
};

// A drawing surface that keeps a persistent image of everything drawn on it
// and repaints from that image, so the drawing survives covering, moving and
// minimising. Positions and sizes are in pixels, fractions kept.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }
    void setForeColor(const QColor& color) { foreColor_ = color; }
    QColor foreColor() const { return foreColor_; }
    void setDrawFont(const QFont& font) { drawFont_ = font; }
    QFont drawFont() const { return drawFont_; }

    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    // Width of a text and height of one text line in the drawing font.
    double textWidth(const QString& text) const;
    double textHeight() const;
    // Draws a text with its top at the current position, then moves down one line.
    void printText(const QString& text);
    // Empties the image and goes back to the top left corner.
    void clear();
    // What has been drawn, the size of the box.
    QImage image() const;
    // The texts drawn since the last clear, in the order drawn.
    QStringList drawnLines() const { return lines_; }

Q_SIGNALS:
    // The box has a new size, and its image has grown to it.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitImage();

    QImage image_;
    QStringList lines_;
    QColor backColor_{Qt::white};
    QColor foreColor_{Qt::black};
    QFont drawFont_;
    double currentX_ = 0;
    double currentY_ = 0;
};
