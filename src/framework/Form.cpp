// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Form.h"

#include "framework/Accessibility.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

Form::Form(const QString& name, const QSizeF& designTwips, Kind kind)
    : client_(new QWidget(this)), design_(designTwips), kind_(kind) {
    setObjectName(name);
    client_->setObjectName(name + QStringLiteral("_client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() {
    // Whoever waits for this modal window must not wait for ever.
    if (modalLoop_)
        modalLoop_->quit();
}

QFont designFont(const QString& family, double points, bool bold) {
    installFaceSubstitutions();
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void Form::setBackColor(const QColor& color) {
    back_ = color;
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, color);
    client_->setPalette(p);
    client_->setAutoFillBackground(true);
}

QSizeF Form::innerTwips() const {
    return {client_->width() * kTwipsPerPixel, client_->height() * kTwipsPerPixel};
}

int Form::menuHeight() const {
    return menuWidget() ? menuWidget()->sizeHint().height() : 0;
}

void Form::load() {
    accessibility::install();
    build();
    const QSize designPixels(twipsToPixels(design_.width()), twipsToPixels(design_.height()));
    resize(designPixels.width(), designPixels.height() + menuHeight());
    client_->resize(designPixels);
    normalSize_ = size();
    if (kind_ == Kind::Fixed)
        setFixedSize(size());
    else
        scaler_.takeProportions(scaled_, design_);
    onLoad();
}

void Form::setFixedDesignSize(const QSizeF& twips) {
    if (kind_ != Kind::Fixed)
        return;
    design_ = twips;
    const QSize pixels(twipsToPixels(twips.width()), twipsToPixels(twips.height()));
    setFixedSize(pixels.width(), pixels.height() + menuHeight());
    client_->resize(pixels);
    normalSize_ = size();
    if (shownOnce_)
        centreOnScreen();
}

void Form::rescale() {
    if (kind_ != Kind::Scaled || isUnloading())
        return;
    scaler_.rescale(innerTwips());
    afterRescale();
}

Form::FrameGuess& Form::frameGuess() {
    static FrameGuess guess;
    return guess;
}

namespace {
QMargins frameMarginsOf(const QWidget* w) {
    const QWindow* handle = w->windowHandle();
    const QMargins m = handle && w->isVisible() ? handle->frameMargins() : QMargins();
    if (!m.isNull())
        Form::frameGuess().lastFramed = m;
    return m;
}
} // namespace

void Form::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QMargins margins = frameMarginsOf(this);
    const bool known = !margins.isNull() || (windowFlags() & Qt::FramelessWindowHint);
    if (margins.isNull() && !(windowFlags() & Qt::FramelessWindowHint))
        margins = frameGuess().lastFramed;
    QRect frame(QPoint(0, 0), size().grownBy(margins));
    frame.moveCenter(screen->availableGeometry().center());
    // For a window, move() places the frame's top left corner.
    move(frame.topLeft());
    centredWithFrame_ = known;
}

void Form::setBorderless(bool borderless) {
    setWindowFlag(Qt::FramelessWindowHint, borderless);
}

void Form::setOpener(QWidget* opener) {
    QWidget* top = opener ? opener->window() : nullptr;
    if (!top || top == this || !top->windowHandle())
        return;
    // X11 window managers honour the parent of a dialog or a tool window
    // only; a borderless window, as a tool window, also has no taskbar entry.
    // The type must be set before the native window exists.
    if (!windowHandle() && (windowFlags() & Qt::WindowType_Mask) == Qt::Window) {
        const Qt::WindowType tipo = (windowFlags() & Qt::FramelessWindowHint) ? Qt::Tool : Qt::Dialog;
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | tipo);
    }
    // The parent is set on the native window, not on the widget, so that
    // unloading the opener does not discard this window.
    winId();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(top->windowHandle());
}

void Form::showModal(QWidget* opener) {
    if (isUnloading())
        return;
    // Asked again while it waits: it only comes to the front.
    if (modalLoop_) {
        showForm();
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    opener_ = opener ? opener : QApplication::activeWindow();
    showForm(opener_);
    if (isUnloading())
        return;
    QEventLoop waiting;
    modalLoop_ = &waiting;
    QPointer<Form> self(this);
    waiting.exec(QEventLoop::DialogExec);
    if (self)
        modalLoop_ = nullptr;
}

void Form::showForm(QWidget* opener) {
    if (isUnloading())
        return;
    setOpener(opener);
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen();
        if (kind_ == Kind::Scaled)
            showMaximized();
        else
            show();
        if (QWidget* w = initialFocus())
            w->setFocus(Qt::OtherFocusReason);
    } else {
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    }
    raise();
    activateWindow();
}

void Form::unload() {
    if (state_ != State::Loaded)
        return;
    state_ = State::Unloading;
    // Posted before the unload handler, which may unload other windows: the
    // windows are deleted in the order their unloading began. Unloading often
    // starts inside one of the window's own event handlers, hence later.
    deleteLater();
    onUnload();
    hide();
    state_ = State::Unloaded;
    if (modalLoop_) {
        modalLoop_->quit();
        modalLoop_ = nullptr;
    }
    // The window that waited for a modal one takes input again.
    if (QWidget* opener = opener_)
        QTimer::singleShot(0, opener, [opener] { opener->activateWindow(); });
    Forms::remove(this);
}

void Form::enter(QWidget* control, const QString& name, const QRectF& twips, bool keepsSize) {
    control->setObjectName(name);
    placeTwips(control, twips);
    if (!keepsSize)
        scaled_.append(control);
}

CommandTile* Form::addTile(TileGroup* group, QWidget* container, const QString& caption,
                           const QRectF& twips) {
    CommandTile* tile = group->addTile(container, caption, twips);
    scaled_.append(tile);
    return tile;
}

CommandTile* Form::addLoneTile(TileGroup* group, QWidget* container, const QString& caption,
                               const QRectF& twips) {
    CommandTile* tile = addTile(group, container, caption, twips);
    tile->setObjectName(group->name());
    return tile;
}

QAction* Form::addMenuItem(const QString& name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    menuBar()->addAction(action);
    return action;
}

bool Form::event(QEvent* e) {
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowDeactivate && !isUnloading())
        onDeactivate();
    switch (e->type()) {
    case QEvent::WindowActivate:
        if (!isUnloading())
            onActivate();
        [[fallthrough]];
    case QEvent::Show:
    case QEvent::Expose:
    case QEvent::Move:
    case QEvent::Resize:
        // The frame becomes known once the window manager has framed the
        // window; a window restored from maximised then sits centred too.
        if (!centredWithFrame_ && shownOnce_ && !isMaximized() && !isMinimized() &&
            (kind_ == Kind::Fixed || (recentre_ && size() == normalSize_)) &&
            !frameMarginsOf(this).isNull()) {
            recentre_ = false;
            centreOnScreen();
        }
        break;
    default:
        break;
    }
    return result;
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        rescale();
    return QMainWindow::eventFilter(watched, event);
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    unload();
}

void Form::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        rescale();
        // A maximised window first shown before its frame was known is centred
        // again, with the real frame, when it is restored: once the window
        // manager has put it back (it may do so after this event).
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMaximized) && !isMaximized() && !isMinimized() &&
            !centredWithFrame_)
            recentre_ = true;
    }
}
