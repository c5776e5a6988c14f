// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QKeyCombination>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <functional>

class CommandTile;

// One control array of command tiles with a single action procedure and the
// two guards that keep a held key from acting more than once.
class TileGroup : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(int index)>;
    // Handles a key down on the tile with this index; returns false to discard
    // the key without setting the guard. The key comes with its modifiers:
    // Qt::KeypadModifier tells the numeric keypad's digits from the main row's.
    using KeyHandler = std::function<bool(QKeyCombination key, int index)>;

    TileGroup(const QString& name, Action action, QObject* parent);

    QString name() const { return objectName(); }
    // Creates tile `index` (the next one) inside `container`, at a position in twips.
    CommandTile* addTile(QWidget* container, const QString& caption, const QRectF& twips);
    int count() const { return static_cast<int>(tiles_.size()); }
    CommandTile* tile(int index) const { return tiles_.value(index); }

    void setColors(const QColor& focus, const QColor& rest);
    // The focus and rest colours the tiles of the exercise, worksheet, results
    // and certificate windows share: &H0080C0FF and &H00C0E0FF.
    void setCommonColors();
    QColor focusColor() const { return focus_; }
    QColor restColor() const { return rest_; }
    // Keys that move the focus to a tile, with the tile each selects. A digit
    // selects from the main keyboard and from the numeric keypad alike.
    void setSelection(std::initializer_list<std::pair<Qt::Key, int>> keyToTile);
    // Replaces the selection table and Enter with the window's own key table.
    void setKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    // The arrows move the focus among the usable tiles, as in a group of option buttons.
    void setArrowNavigation(bool on) { arrows_ = on; }
    // A key already held down when a tile of this group gets the focus does not
    // act: the group's guard is set while a key is being handled elsewhere, and
    // that key's release clears the guards of both groups.
    void setIgnoreKeysHeldOnFocus(bool on) { ignoreHeld_ = on; }
    bool ignoresKeysHeldOnFocus() const { return ignoreHeld_; }
    // Space acts on the tile instead of moving to the next one (a lone button).
    void setSpaceActs(bool on) { spaceActs_ = on; }

    // A press (not a key) on a tile does nothing for this many milliseconds
    // after the group has come to the front (settle()): it was meant for what
    // lay there before, as the second tap of a slow double tap.
    void setSettleTime(int milliseconds) { settleTime_ = milliseconds; }
    // The group has come to the front, at the time of the input event being
    // handled (none if that event had no time).
    void settle();
    // True when a press at this time, on the input events' clock, falls
    // within the settle time.
    bool settling(quint64 timestamp) const;

    void runAction(int index);
    // Gives the focus to a tile that can take it; false if it cannot.
    bool focusTile(int index);
    bool canTakeFocus(int index) const;

    bool keyDownGuard = false;
    bool keyPressGuard = false;

    // Entry points for the tiles' events.
    void keyDown(int index, QKeyCombination key);
    void characterTyped(int index, QChar character);
    void keyUp(int index);
    void arrowKey(int index, Qt::Key key);
    void tileFocused(int index);

    // True while a key-down is being handled by any tile group.
    static bool keyInProgress();

    // The key-downs being handled now, across every group: an action may
    // give the focus to another group's tile, which must know that the key
    // still held went down elsewhere. It belongs to no group, since the key
    // outlives the focus; a test puts it back with `keysInProgress() = {}`.
    struct KeysInProgress {
        int depth = 0;
        // The group handling the innermost one.
        TileGroup* group = nullptr;
    };
    static KeysInProgress& keysInProgress();

private:
    bool defaultKeyDown(int index, QKeyCombination key);
    void moveByArrow(int index, int step);

    Action action_;
    KeyHandler keyHandler_;
    QList<CommandTile*> tiles_;
    QMap<Qt::Key, int> selection_;
    QColor focus_{Qt::white};
    QColor rest_{Qt::lightGray};
    bool arrows_ = false;
    bool ignoreHeld_ = false;
    bool spaceActs_ = false;
    int settleTime_ = 0;
    quint64 settledFrom_ = 0;
    // The group on which the key held when this group got the focus went down.
    QPointer<TileGroup> heldFrom_;
};
