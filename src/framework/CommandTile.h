// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyRepeats.h"

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

class TileGroup;

// An option button drawn as a large push button: coloured by focus, never
// shown pressed, acting on any mouse button going down and on Enter, moving to
// the next tile on Space. What a tile does is its group's action procedure.
class CommandTile : public QAbstractButton {
    Q_OBJECT
public:
    CommandTile(TileGroup* group, int index, QWidget* parent);

    int index() const { return index_; }
    TileGroup* group() const { return group_; }
    void setCaption(const QString& caption) { setText(caption); }
    QString caption() const { return text(); }
    QColor backColor() const { return back_; }
    void setBackColor(const QColor& color);
    QColor textColor() const { return text_; }
    void setTextColor(const QColor& color);
    // The option button's selected state, which the tiles keep unpressed.
    bool pressedState() const { return value_ || isDown(); }
    void resetPressed();

    QSize sizeHint() const override { return {80, 30}; }

    // The time, on the clock of the input events, of the press or key a tile
    // is handling now or handled last; 0 when that event carried no time.
    static quint64 inputTime();
    // True while a tile acts on a press that came from a touch screen.
    static bool actingOnTouch();

    // What the tiles remember from one input event to the next. It belongs
    // to no tile: a key's release, a double click's second press or the
    // focus a press took may reach another tile, after the first one's window
    // has gone. One for the program, as there is one keyboard and one
    // pointer; a test puts it back with `input() = {}`.
    struct Input {
        // A key release that has not reached its group yet: it only takes
        // effect when the next key event shows it was real, not the first
        // half of a held key's repeat (the release is then kept in repeats).
        struct PendingRelease {
            QPointer<TileGroup> group;
            int index = 0;
            bool pending = false;
        } release;
        KeyRepeats repeats;
        // The tile the last single press went to, and when. A double click's
        // second press reaches whatever lies under the pointer by then: after
        // "Verifica" at the last operation that is "Ricomincia", after a
        // wrong answer "SI". The time is kept apart from the tile: a press
        // that closed its window still makes a quick second press a double
        // click.
        struct LastPress {
            QPointer<CommandTile> tile;
            quint64 timestamp = 0;
            bool any = false;
        } lastPress;
        // The time of the latest press or key a tile received, and whether
        // the action running now comes from a touch screen.
        quint64 latestTime = 0;
        bool touchAction = false;
        // Qt gives the focus to a clicked tile before the tile sees the
        // press; a press that does nothing gives it back.
        struct FocusTakenByMouse {
            QPointer<CommandTile> from;
            QPointer<CommandTile> to;
        } focusTaken;
    };
    static Input& input();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click: acts only if the first press was
    // on this tile too, not on one that has since gone from under the pointer.
    // One that comes later than the double-click interval is a press of its
    // own, whatever Qt calls it.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Acts on a press; false when the press did nothing.
    bool press(QMouseEvent* event);

    TileGroup* group_;
    int index_;
    QColor back_;
    QColor text_{Qt::black};
    bool value_ = false;
};
