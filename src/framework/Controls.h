#pragma once

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// A caption on the window. Transparent unless made opaque; text aligned at the
// top and wrapped at the label's width. Assigning a different caption emits
// captionChanged, which windows use as the label's change event.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const { return text(); }
    void setForeColor(const QColor& color);
    QColor foreColor() const { return foreColor_; }
    // Opaque with this back colour.
    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

signals:
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
