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
// A key release that has not reached its group yet. On X11 a held key arrives
// as release/press pairs with the same timestamp, which Qt does not always
// mark as auto-repeat (the press may not be queued yet when the release is
// read). So a release only takes effect when the next key event shows it was
// real: a press of the same key with the same timestamp makes it a repeat.
struct PendingRelease {
    QPointer<TileGroup> group;
    int index = 0;
    int key = 0;
    quint64 timestamp = 0;
    bool pending = false;
};
PendingRelease pendingRelease;

void applyPendingRelease() {
    if (!pendingRelease.pending)
        return;
    pendingRelease.pending = false;
    if (pendingRelease.group)
        pendingRelease.group->keyUp(pendingRelease.index);
}

// True when this press and the pending release are the two halves of a repeat.
bool completesRepeat(const QKeyEvent* press) {
    return pendingRelease.pending && press->timestamp() != 0 && press->key() == pendingRelease.key &&
           press->timestamp() == pendingRelease.timestamp;
}

// The tile the last single press went to, and when. A double click's second
// press reaches whatever lies under the pointer by then: after "Verifica" at
// the last operation that is "Ricomincia", after a wrong answer "SI".
// The time is kept apart from the tile: a press that closed its window still
// makes a quick second press a double click.
struct LastPress {
    QPointer<CommandTile> tile;
    quint64 timestamp = 0;
    bool any = false;
};
LastPress lastPress;

// The time of the latest press or key a tile received, and whether the
// action running now comes from a touch screen.
quint64 latestInput = 0;
bool touchAction = false;

// Qt gives the focus to a clicked tile before the tile sees the press; a
// press that does nothing gives it back.
struct FocusTakenByMouse {
    QPointer<CommandTile> from;
    QPointer<CommandTile> to;
};
FocusTakenByMouse focusTaken;

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

quint64 CommandTile::inputTime() {
    return latestInput;
}

bool CommandTile::actingOnTouch() {
    return touchAction;
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
        focusTaken.to = this;
    setBackColor(group_->focusColor());
    resetPressed();
    group_->tileFocused(index_);
}

void CommandTile::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    focusTaken = {};
    if (event->reason() == Qt::MouseFocusReason)
        focusTaken.from = this;
    setBackColor(group_->restColor());
    resetPressed();
}

void CommandTile::mousePressEvent(QMouseEvent* event) {
    event->accept();
    press(event);
}

bool CommandTile::press(QMouseEvent* event) {
    const quint64 time = event->timestamp();
    latestInput = time;
    const FocusTakenByMouse taken = std::exchange(focusTaken, {});
    if (group_->settling(time)) {
        // The press was meant for what lay here before the tile came forward.
        giveFocusBack(this, taken);
        return false;
    }
    lastPress = {this, time, true};
    value_ = true;
    const bool outer = std::exchange(touchAction, fromTouchScreen(event));
    group_->runAction(index_);
    touchAction = outer;
    return true;
}

void CommandTile::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const quint64 interval = quint64(qMax(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
    const quint64 time = event->timestamp();
    // Qt may call a late second tap a double click (a touch id reused, as on
    // Wayland): by the events' own times it is a press of its own.
    const bool quick = lastPress.any && time >= lastPress.timestamp && time - lastPress.timestamp <= interval;
    const bool sameTile = lastPress.tile == this;
    if (quick && !sameTile) {
        lastPress = {};
        latestInput = time;
        giveFocusBack(this, std::exchange(focusTaken, {}));
        return;
    }
    press(event);
    if (quick)
        lastPress = {};
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
    latestInput = event->timestamp();
    bool repeat = event->isAutoRepeat();
    if (completesRepeat(event)) {
        pendingRelease.pending = false;
        repeat = true;
    } else {
        applyPendingRelease();
    }
    if (repeat && group_->ignoresKeysHeldOnFocus())
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
    applyPendingRelease();
    resetPressed();
    // Events made up by the program itself carry no time and pair with nothing.
    if (event->timestamp() == 0) {
        group_->keyUp(index_);
        return;
    }
    pendingRelease = {group_, index_, event->key(), event->timestamp(), true};
}
