// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Scaler.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QSizeF>

class Button;
class ComboBox;
class CommandTile;
class Frame;
class Label;
class PictureBox;
class TileGroup;
class QAction;
class QEventLoop;

// A font as the layouts give it: family, points, bold.
QFont designFont(const QString& family, double points, bool bold);

// One window of the program. A form is created and loaded the first time
// anything asks for it (Forms::get), shown on request, and unloaded, which
// discards it; loading it again starts from its design state.
class Form : public QMainWindow {
    Q_OBJECT
public:
    enum class Placement { Maximised, Centred };

    Form(const QString& name, const QSizeF& designTwips, bool scales, Placement placement);
    ~Form() override;

    QString name() const { return objectName(); }
    // The inner area in which the controls lie.
    QWidget* client() const { return client_; }
    QSizeF innerTwips() const;
    // Sets the inner area to a size in pixels (the window grows by its menu bar).
    void setInnerSize(const QSize& pixels);
    void setBackColor(const QColor& color);
    QColor backColor() const { return back_; }

    // Builds the controls and runs the load handler. Called once, by Forms.
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

protected:
    // Creates the controls at their design positions.
    virtual void build() = 0;
    // The window's own load handler; by default takes the proportions.
    virtual void onLoad();
    virtual void onUnload() {}
    // After the controls have been rescaled.
    virtual void afterRescale() {}
    // The control that has the focus when the window is first shown.
    virtual QWidget* initialFocus() const { return nullptr; }
    // Every time the window becomes the program's active window.
    virtual void onActivate() {}
    // Every time the window stops being the program's active window.
    virtual void onDeactivate() {}

    // Control factories: each control is named, placed in twips and entered in
    // the window's control collection in creation order.
    Label* addLabel(QWidget* container, const QString& name, const QString& caption, const QRectF& twips);
    Frame* addFrame(QWidget* container, const QString& name, const QRectF& twips);
    CommandTile* addTile(TileGroup* group, QWidget* container, const QString& caption, const QRectF& twips);
    Button* addButton(QWidget* container, const QString& name, const QString& caption, const QRectF& twips);
    ComboBox* addComboBox(QWidget* container, const QString& name, const QRectF& twips);
    PictureBox* addPictureBox(QWidget* container, const QString& name, const QRectF& twips);
    void addControl(QWidget* widget, Scaler::Kind kind = Scaler::Kind::Control);
    QAction* addMenuItem(const QString& name, const QString& caption);

    void takeProportions();
    void rescale();
    int menuHeight() const;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class State { Loaded, Unloading, Unloaded };

    // Names a new control, places it in twips and enters it in the collection.
    template <class T>
    T* addNamed(T* control, const QString& name, const QRectF& twips,
                Scaler::Kind kind = Scaler::Kind::Control);
    // Moves the window so that it is centred, frame included, on the screen's
    // available area.
    void centreOnScreen();

    QWidget* client_;
    QSizeF design_;
    QColor back_;
    bool scales_;
    Placement placement_;
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
    QList<Scaler::Entry> controls_;
    Scaler scaler_;
};
