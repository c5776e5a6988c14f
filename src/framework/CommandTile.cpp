// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandTile.h"

#include "framework/TileGroup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPointingDevice>
#include <QStyleHints>

#include <utility>

namespace {
void applyPendingRelease() {
    CommandTile::Input& in = CommandTile::input();
    in.repeats.clear();
    if (!in.release.pending)
        return;
    in.release.pending = false;
    if (in.release.group)
        in.release.group->keyUp(in.release.index);
}

using FocusTakenByMouse = CommandTile::Input::FocusTakenByMouse;

// A press that does nothing leaves the focus where it was.
void giveFocusBack(const CommandTile* pressed, const FocusTakenByMouse& taken) {
    if (taken.to == pressed && taken.from && pressed->hasFocus() && taken.from->window() == pressed->window())
        taken.from->setFocus(Qt::OtherFocusReason);
}

bool fromTouchScreen(const QMouseEvent* event) {
    const QPointingDevice* device = event->pointingDevice();
    return device && device->type() == QInputDevice::DeviceType::TouchScreen;
}
} // namespace

CommandTile::Input& CommandTile::input() {
    static Input tiles;
    return tiles;
}

quint64 CommandTile::inputTime() {
    return input().latestTime;
}

bool CommandTile::actingOnTouch() {
    return input().touchAction;
}

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
    if (event->reason() == Qt::MouseFocusReason)
        input().focusTaken.to = this;
    setBackColor(group_->focusColor());
    resetPressed();
    group_->tileFocused(index_);
}

void CommandTile::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    input().focusTaken = {};
    if (event->reason() == Qt::MouseFocusReason)
        input().focusTaken.from = this;
    setBackColor(group_->restColor());
    resetPressed();
}

void CommandTile::mousePressEvent(QMouseEvent* event) {
    event->accept();
    press(event);
}

bool CommandTile::press(QMouseEvent* event) {
    Input& in = input();
    const quint64 time = event->timestamp();
    in.latestTime = time;
    const FocusTakenByMouse taken = std::exchange(in.focusTaken, {});
    if (group_->settling(time)) {
        // The press was meant for what lay here before the tile came forward.
        giveFocusBack(this, taken);
        return false;
    }
    in.lastPress = {this, time, true};
    value_ = true;
    const bool outer = std::exchange(in.touchAction, fromTouchScreen(event));
    group_->runAction(index_);
    in.touchAction = outer;
    return true;
}

void CommandTile::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const quint64 interval = quint64(qMax(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
    const quint64 time = event->timestamp();
    Input& in = input();
    // Qt may call a late second tap a double click (a touch id reused, as on
    // Wayland): by the events' own times it is a press of its own.
    const Input::LastPress& last = in.lastPress;
    const bool quick = last.any && time >= last.timestamp && time - last.timestamp <= interval;
    const bool sameTile = last.tile == this;
    if (quick && !sameTile) {
        in.lastPress = {};
        in.latestTime = time;
        giveFocusBack(this, std::exchange(in.focusTaken, {}));
        return;
    }
    press(event);
    if (quick)
        in.lastPress = {};
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
    Input& in = input();
    in.latestTime = event->timestamp();
    bool repeat = event->isAutoRepeat();
    if (in.release.pending && in.repeats.pairsWithRelease(event->key(), event->timestamp())) {
        // The release before it was the first half of a repeat, not a release.
        in.release.pending = false;
        in.repeats.clear();
        repeat = true;
    } else {
        applyPendingRelease();
    }
    if (repeat && group_->ignoresKeysHeldOnFocus())
        return;
    QPointer<CommandTile> self(this);
    QPointer<TileGroup> group(group_);
    group->keyDown(index_, event->keyCombination());
    if (!self || !group)
        return;
    const auto key = Qt::Key(event->key());
    if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
        group->arrowKey(index_, key);
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
    applyPendingRelease();
    resetPressed();
    // Events made up by the program itself carry no time and pair with nothing.
    if (event->timestamp() == 0) {
        group_->keyUp(index_);
        return;
    }
    Input& in = input();
    in.release = {group_, index_, true};
    in.repeats.released(event->key(), event->timestamp(), false);
}
