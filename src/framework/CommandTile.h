// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>

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
