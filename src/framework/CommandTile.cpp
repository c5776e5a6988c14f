#include "framework/CommandTile.h"

#include "framework/TileGroup.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

CommandTile::CommandTile(TileGroup* group, int index, QWidget* parent)
    : QAbstractButton(parent), group_(group), index_(index) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoRepeat(false);
}

void CommandTile::setBackColor(const QColor& color) {
    back_ = color;
    update();
}

void CommandTile::setTextColor(const QColor& color) {
    text_ = color;
    update();
}

void CommandTile::resetPressed() {
    value_ = false;
    setDown(false);
    update();
}

void CommandTile::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_);
    // Always drawn raised: a tile never looks pressed.
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(64, 64, 64));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);

    p.setFont(font());
    const QRect textArea = r.adjusted(3, 2, -3, -2);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    if (isEnabled()) {
        p.setPen(text_);
        p.drawText(textArea, flags, text());
    } else {
        p.setPen(Qt::white);
        p.drawText(textArea.translated(1, 1), flags, text());
        p.setPen(QColor(128, 128, 128));
        p.drawText(textArea, flags, text());
    }
    if (hasFocus()) {
        QPen dotted(Qt::black, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

void CommandTile::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    setBackColor(group_->focusColor());
    resetPressed();
    group_->tileFocused(index_);
}

void CommandTile::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    setBackColor(group_->restColor());
    resetPressed();
}

void CommandTile::mousePressEvent(QMouseEvent* event) {
    event->accept();
    value_ = true;
    group_->runAction(index_);
}

void CommandTile::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    resetPressed();
}

void CommandTile::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void CommandTile::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat() && group_->ignoresKeysHeldOnFocus())
        return;
    const int code = vk::fromKeyEvent(event);
    QPointer<CommandTile> self(this);
    QPointer<TileGroup> group(group_);
    group->keyDown(index_, code);
    if (!self || !group)
        return;
    if (code == vk::Left || code == vk::Up || code == vk::Right || code == vk::Down) {
        group->arrowKey(index_, code);
        return;
    }
    if (!event->text().isEmpty())
        group->characterTyped(index_, event->text().at(0));
}

void CommandTile::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // X11 sends a release before every auto-repeated press; only the real
    // release ends a key press.
    if (event->isAutoRepeat())
        return;
    group_->keyUp(index_);
}
