// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/TileGroup.h"

#include "framework/CommandTile.h"
#include "framework/Twips.h"

#include <QPointer>

void TileGroup::setSelection(std::initializer_list<std::pair<Qt::Key, int>> keyToTile) {
    selection_.clear();
    // Keyed by the key alone: a keypad digit selects as the main row's does.
    for (const auto& [key, tile] : keyToTile)
        selection_.insert(key, tile);
}

TileGroup::KeysInProgress& TileGroup::keysInProgress() {
    static KeysInProgress keys;
    return keys;
}

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
    return keysInProgress().depth > 0;
}

void TileGroup::keyDown(int index, QKeyCombination key) {
    if (keyDownGuard)
        return;
    // The action may unload the window, and this group with it.
    QPointer<TileGroup> self(this);
    KeysInProgress& keys = keysInProgress();
    TileGroup* const outer = keys.group;
    keys.group = this;
    ++keys.depth;
    const bool handled = keyHandler_ ? keyHandler_(key, index) : defaultKeyDown(index, key);
    --keys.depth;
    keys.group = outer;
    if (handled && self)
        keyDownGuard = true;
}

bool TileGroup::defaultKeyDown(int index, QKeyCombination key) {
    const auto selected = selection_.constFind(key.key());
    if (selected != selection_.cend()) {
        focusTile(*selected);
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runAction(index);
        return true;
    default:
        return false;
    }
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
    if (keyInProgress() && keysInProgress().group != this)
        heldFrom_ = keysInProgress().group;
}

void TileGroup::arrowKey(int index, Qt::Key key) {
    if (!arrows_)
        return;
    moveByArrow(index, (key == Qt::Key_Left || key == Qt::Key_Up) ? -1 : 1);
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
