// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Scaler.h"

#include <QFont>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRectF>
#include <QSizeF>

#include <utility>

class ComboBox;
class CommandTile;
class LineControl;
class TileGroup;
class QAction;
class QEventLoop;

// A font as the layouts give it: family, points, bold.
QFont designFont(const QString& family, double points, bool bold);

// Controls of these kinds keep their design size when their window is scaled:
// a combo box keeps its text height, a line follows its own points.
template <class T> inline constexpr bool keepsDesignSize = false;
template <> inline constexpr bool keepsDesignSize<ComboBox> = true;
template <> inline constexpr bool keepsDesignSize<LineControl> = true;

// One window of the program. A form is created and loaded the first time
// anything asks for it (Forms::get), shown on request, and unloaded, which
// discards it; loading it again starts from its design state.
class Form : public QMainWindow {
    Q_OBJECT
public:
    enum class Kind {
        // Shown maximised; the controls keep their proportions to the inner area.
        Scaled,
        // Shown centred, at its design size, which the user cannot change.
        Fixed,
    };

    Form(const QString& name, const QSizeF& designTwips, Kind kind);
    ~Form() override;

    QString name() const { return objectName(); }
    // The inner area in which the controls lie.
    QWidget* client() const { return client_; }
    QSizeF innerTwips() const;
    void setBackColor(const QColor& color);
    QColor backColor() const { return back_; }

    // Builds the controls, takes their proportions and runs the load handler.
    // Called once, by Forms.
    void load();
    // Shows the window modelessly; a window already shown comes to the front.
    // Opened from another window, it belongs to it (its transient parent), so
    // window managers keep it above its opener.
    void showForm(QWidget* opener = nullptr);
    // Shows the window, centred, so that no other window takes input until it
    // is unloaded, and returns only then, as a dialog's exec does. The opener
    // (by default the active window) is active again once this one is unloaded.
    void showModal(QWidget* opener = nullptr);
    // A window without title bar or border. Set before the window is shown.
    void setBorderless(bool borderless);
    // Runs the unload handler, hides the window and discards it. Closing a
    // window that is already closing does nothing.
    void unload();
    bool isUnloading() const { return state_ != State::Loaded; }

    // The frame the window manager gave the last window it framed: the best
    // guess for centring a window not framed yet. Shared by every window, as
    // they share the window manager; a test puts it back with `frameGuess() = {}`.
    struct FrameGuess {
        QMargins lastFramed;
    };
    static FrameGuess& frameGuess();

protected:
    // Creates the controls at their design positions.
    virtual void build() = 0;
    // The window's own load handler, once its controls are in place.
    virtual void onLoad() {}
    virtual void onUnload() {}
    // After the controls have been rescaled.
    virtual void afterRescale() {}
    // The control that has the focus when the window is first shown.
    virtual QWidget* initialFocus() const { return nullptr; }
    // Every time the window becomes the program's active window.
    virtual void onActivate() {}
    // Every time the window stops being the program's active window.
    virtual void onDeactivate() {}

    // Creates a control of kind T in `container` (further arguments go to T's
    // constructor after the container), names it, places it at its design
    // rectangle in twips and enters it in the window's collection, so that it
    // follows the window's size unless its kind keeps its design size.
    template <class T, class... Args>
    T* add(QWidget* container, const QString& name, const QRectF& twips, Args&&... args) {
        T* control = new T(container, std::forward<Args>(args)...);
        enter(control, name, twips, keepsDesignSize<T>);
        return control;
    }
    // The next tile of a group; the group names it after its index.
    CommandTile* addTile(TileGroup* group, QWidget* container, const QString& caption, const QRectF& twips);
    // A group's only tile, which goes by the group's name.
    CommandTile* addLoneTile(TileGroup* group, QWidget* container, const QString& caption,
                             const QRectF& twips);
    QAction* addMenuItem(const QString& name, const QString& caption);
    // Gives a fixed window a new design size, for a part added after loading;
    // a window on show is centred again.
    void setFixedDesignSize(const QSizeF& twips);

    int menuHeight() const;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class State { Loaded, Unloading, Unloaded };

    void enter(QWidget* control, const QString& name, const QRectF& twips, bool keepsSize);
    void rescale();
    // Moves the window so that it is centred, frame included, on the screen's
    // available area.
    void centreOnScreen();

    QWidget* client_;
    QSizeF design_;
    QColor back_;
    Kind kind_;
    bool shownOnce_ = false;
    // Until the window manager has framed the window its frame is a guess;
    // the window is centred again once the real frame is known.
    bool centredWithFrame_ = false;
    bool recentre_ = false;
    // Makes this window belong to the opener's window.
    void setOpener(QWidget* opener);

    // The window a modal one was opened from.
    QPointer<QWidget> opener_;
    // While a modal window waits to be unloaded.
    QEventLoop* modalLoop_ = nullptr;
    // The window's size when it is neither maximised nor minimised.
    QSize normalSize_;
    State state_ = State::Loaded;
    // The controls that follow the window's size, in creation order.
    QList<QPointer<QWidget>> scaled_;
    Scaler scaler_;
};
