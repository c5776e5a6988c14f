// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Controls.h"

#include "framework/Accessibility.h"
#include "framework/Twips.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimer>

Label::Label(QWidget* parent, const QString& caption) : QLabel(caption, parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void Label::setCaption(const QString& caption) {
    if (caption == text())
        return;
    setText(caption);
    Q_EMIT captionChanged(caption);
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

bool Frame::event(QEvent* event) {
    // Raising a panel over others hides them from the pupil, and from a reader.
    if (event->type() == QEvent::ZOrderChange)
        accessibility::restacked(this);
    return QFrame::event(event);
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
    constexpr double k = kTwipsPerPixel;
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

Button::Button(QWidget* parent, const QString& text) : QPushButton(text, parent) {
    // Enter presses the button that has the focus, as Space does, also
    // outside dialogs.
    setAutoDefault(true);
}

void Button::setBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

void Button::paintEvent(QPaintEvent* event) {
    if (!backColor_.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, backColor_);
    p.setPen(isDown() ? QColor(0, 0, 0) : QColor(64, 64, 64));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (isDefault() || hasFocus())
        p.drawRect(r.adjusted(1, 1, -2, -2));
    p.setFont(font());
    p.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::ButtonText) : QColor(128, 128, 128));
    p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Without duplicates allowed, Enter on a text that matches an entry
    // (ignoring case) would select it; a typed text must choose nothing.
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    // Qt also selects the entry equal to the typed text when the editing ends
    // (Enter, or the focus leaving); here typing must choose nothing.
    if (QLineEdit* edit = lineEdit())
        disconnect(edit, SIGNAL(editingFinished()), this, nullptr);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        // A pick from the list reports "activated" right after this, before
        // the event loop runs again; a change made by code does not.
        changedByPick_ = true;
        QTimer::singleShot(0, this, [this] { changedByPick_ = false; });
        Q_EMIT listSelectionChanged(index);
    });
    // Picking the entry that is already selected changes nothing in Qt, yet it
    // is a choice from the list all the same.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!changedByPick_ && index >= 0)
            Q_EMIT listSelectionChanged(index);
        changedByPick_ = false;
    });
}

void ComboBox::addEntry(const QString& text) {
    const QString shown = currentText();
    const int before = currentIndex();
    {
        // Qt selects the first entry added to an empty list; here adding never selects.
        const QSignalBlocker blocker(this);
        addItem(text);
        if (currentIndex() != before)
            setCurrentIndex(before);
    }
    setEditText(shown);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(const QColor& color) {
    backColor_ = color;
    clear();
}

namespace {
// Text is measured against an image like the one it is drawn on, so the
// measures hold even before the box has a size.
const QImage& measuringImage() {
    static const QImage image(1, 1, QImage::Format_RGB32);
    return image;
}
} // namespace

double PictureBox::textWidth(const QString& text) const {
    return QFontMetricsF(drawFont_, &measuringImage()).horizontalAdvance(text);
}

double PictureBox::textHeight() const {
    return QFontMetricsF(drawFont_, &measuringImage()).height();
}

QImage PictureBox::image() const {
    const QSize pixels = size() * image_.devicePixelRatio();
    if (image_.size() == pixels || image_.isNull())
        return image_;
    QImage copy = image_.copy(QRect(QPoint(0, 0), pixels));
    copy.setDevicePixelRatio(image_.devicePixelRatio());
    return copy;
}

void PictureBox::printText(const QString& text) {
    // A new size may be known before its resize event has arrived.
    fitImage();
    if (!image_.isNull()) {
        QPainter p(&image_);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(drawFont_);
        p.setPen(foreColor_);
        const QFontMetricsF metrics(drawFont_, &measuringImage());
        p.drawText(QPointF(currentX_, currentY_ + metrics.ascent()), text);
    }
    currentY_ += textHeight();
    lines_.append(text);
    accessibility::textChanged(this);
    update();
}

void PictureBox::clear() {
    if (!image_.isNull())
        image_.fill(backColor_);
    lines_.clear();
    accessibility::textChanged(this);
    currentX_ = 0;
    currentY_ = 0;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    p.drawImage(0, 0, image_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitImage();
    Q_EMIT resized();
}

void PictureBox::fitImage() {
    // The image has the screen's own pixels, so the text is sharp on a
    // screen scaled to 150 or 200 %.
    const qreal ratio = devicePixelRatioF();
    const QSize logical = image_.isNull() ? QSize() : image_.deviceIndependentSize().toSize();
    const QSize wanted = size().expandedTo(logical);
    if ((wanted == logical && ratio == image_.devicePixelRatio()) || wanted.isEmpty())
        return;
    // The image only grows: what was drawn stays where it was.
    QImage grown(wanted * ratio, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(backColor_);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}
