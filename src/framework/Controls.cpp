#include "framework/Controls.h"

#include <QEvent>
#include <QPainter>

Label::Label(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption);
    emit captionChanged(caption);
}

void Label::setForeColor(const QColor& color) {
    foreColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Disabled, QPalette::WindowText, color);
    setPalette(p);
}

void Label::setBackColor(const QColor& color) {
    backColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

Frame::Frame(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void Frame::setBackColor(const QColor& color) {
    backColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

LineControl::LineControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
}

void LineControl::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    update();
}

void LineControl::setPen(const QColor& color, int widthPixels) {
    color_ = color;
    width_ = widthPixels;
    update();
}

bool LineControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    constexpr double k = 15.0;
    painter.drawLine(QPointF(x1_ / k, y1_ / k), QPointF(x2_ / k, y2_ / k));
}

Shape::Shape(QWidget* parent, const QColor& fill) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    const double radius = qMin(width(), height()) / 6.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

Picture::Picture(QWidget* parent, const QPixmap& pixmap) : QLabel(parent) {
    setPixmap(pixmap);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}
