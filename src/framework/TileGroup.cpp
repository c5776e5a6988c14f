// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/TileGroup.h"

#include "framework/CommandTile.h"
#include "framework/Twips.h"

#include <QKeyEvent>
#include <QPointer>

namespace vk {
int fromKeyEvent(const QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int base = (event->modifiers() & Qt::KeypadModifier) ? Numpad0 : Digit0;
        return base + (key - Qt::Key_0);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Enter;
    case Qt::Key_Backspace:
        return Backspace;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_Left:
        return Left;
    case Qt::Key_Up:
        return Up;
    case Qt::Key_Right:
        return Right;
    case Qt::Key_Down:
        return Down;
    default:
        return None;
    }
}
} // namespace vk

void TileGroup::setSelection(std::initializer_list<std::pair<Qt::Key, int>> keyToTile) {
    selection_.clear();
    for (const auto& [key, tile] : keyToTile) {
        selection_.insert(vk::fromQtKey(key), tile);
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            selection_.insert(vk::Numpad0 + (key - Qt::Key_0), tile);
    }
}

namespace {
int keyDepth = 0;
TileGroup* keyGroup = nullptr;
} // namespace

TileGroup::TileGroup(const QString& name, Action action, QObject* parent)
    : QObject(parent), action_(std::move(action)) {
    setObjectName(name);
}

CommandTile* TileGroup::addTile(QWidget* container, const QString& caption, const QRectF& twips) {
    auto* tile = new CommandTile(this, count(), container);
    tile->setObjectName(QStringLiteral("%1(%2)").arg(name()).arg(count()));
    tile->setCaption(caption);
    tile->setBackColor(rest_);
    placeTwips(tile, twips);
    tiles_.append(tile);
    return tile;
}

void TileGroup::setColors(const QColor& focus, const QColor& rest) {
    focus_ = focus;
    rest_ = rest;
    for (CommandTile* tile : tiles_)
        tile->setBackColor(tile->hasFocus() ? focus : rest);
}

void TileGroup::setCommonColors() {
    setColors(bgr(kArancio), bgr(kPesca));
}

void TileGroup::settle() {
    settledFrom_ = CommandTile::inputTime();
}

bool TileGroup::settling(quint64 timestamp) const {
    // A time before the start comes from another clock (an event made up by
    // the program or a test): no reason to hold it back.
    return settleTime_ > 0 && settledFrom_ != 0 && timestamp >= settledFrom_ &&
           timestamp - settledFrom_ < quint64(settleTime_);
}

void TileGroup::runAction(int index) {
    if (action_)
        action_(index);
}

bool TileGroup::canTakeFocus(int index) const {
    const CommandTile* t = tile(index);
    return t && t->isEnabled() && t->isVisible();
}

bool TileGroup::focusTile(int index) {
    if (!canTakeFocus(index))
        return false;
    tile(index)->setFocus(Qt::OtherFocusReason);
    return true;
}

bool TileGroup::keyInProgress() {
    return keyDepth > 0;
}

void TileGroup::keyDown(int index, int vkCode) {
    if (keyDownGuard)
        return;
    // The action may unload the window, and this group with it.
    QPointer<TileGroup> self(this);
    TileGroup* const outer = keyGroup;
    keyGroup = this;
    ++keyDepth;
    const bool handled = keyHandler_ ? keyHandler_(vkCode, index) : defaultKeyDown(index, vkCode);
    --keyDepth;
    keyGroup = outer;
    if (handled && self)
        keyDownGuard = true;
}

bool TileGroup::defaultKeyDown(int index, int vkCode) {
    if (selection_.contains(vkCode)) {
        focusTile(selection_.value(vkCode));
        return true;
    }
    if (vkCode == vk::Enter) {
        runAction(index);
        return true;
    }
    return false;
}

void TileGroup::characterTyped(int index, QChar character) {
    if (keyPressGuard || character != QLatin1Char(' '))
        return;
    if (spaceActs_) {
        QPointer<TileGroup> self(this);
        runAction(index);
        if (self)
            keyPressGuard = true;
        return;
    }
    const int n = count();
    int j = index;
    for (int step = 0; step < n; ++step) {
        j = (j + 1 < n) ? j + 1 : 0;
        if (canTakeFocus(j))
            break;
    }
    if (canTakeFocus(j))
        focusTile(j);
    keyPressGuard = true;
}

void TileGroup::keyUp(int index) {
    keyDownGuard = false;
    keyPressGuard = false;
    if (heldFrom_) {
        heldFrom_->keyDownGuard = false;
        heldFrom_->keyPressGuard = false;
        heldFrom_ = nullptr;
    }
    if (CommandTile* t = tile(index))
        t->resetPressed();
}

void TileGroup::tileFocused(int) {
    if (!ignoreHeld_)
        return;
    keyDownGuard = keyInProgress();
    if (keyInProgress() && keyGroup != this)
        heldFrom_ = keyGroup;
}

void TileGroup::arrowKey(int index, int vkCode) {
    if (!arrows_)
        return;
    moveByArrow(index, (vkCode == vk::Left || vkCode == vk::Up) ? -1 : 1);
}

void TileGroup::moveByArrow(int index, int step) {
    const int n = count();
    int j = index;
    for (int i = 0; i < n; ++i) {
        j = (j + step + n) % n;
        if (canTakeFocus(j)) {
            focusTile(j);
            return;
        }
    }
}
