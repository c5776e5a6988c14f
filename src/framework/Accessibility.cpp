// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Accessibility.h"

#include "framework/CommandTile.h"
#include "framework/Controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

namespace accessibility {
namespace {

const char* const kHeading = "pontelo_a11y_heading";
const char* const kParts = "pontelo_a11y_parts";
const char* const kSeparator = "pontelo_a11y_separator";
const char* const kNews = "pontelo_a11y_news";
const char* const kReportedShown = "pontelo_a11y_shown";

// A sibling stacked above the widget that is opaque and covers all of it.
bool coveredBySibling(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return false;
    const QObjectList& siblings = parent->children();
    const qsizetype from = siblings.indexOf(const_cast<QWidget*>(widget));
    for (qsizetype i = from + 1; i < siblings.size(); ++i) {
        const auto* above = qobject_cast<const QWidget*>(siblings.at(i));
        if (!above || above->isWindow() || !above->isVisible() || !above->autoFillBackground())
            continue;
        if (above->geometry().contains(widget->geometry()))
            return true;
    }
    return false;
}

QString joinedParts(const QWidget* container) {
    const QObjectList parts = container->property(kParts).value<QObjectList>();
    const QString separator = container->property(kSeparator).toString();
    QStringList texts;
    for (const QObject* part : parts) {
        const auto* label = qobject_cast<const QLabel*>(part);
        const QString text = label ? label->text().simplified() : QString();
        if (!text.isEmpty())
            texts.append(text);
    }
    return texts.join(separator);
}

EventObserver& observer() {
    static EventObserver instance;
    return instance;
}

// An assistive technology, or a test, hears of the changes.
bool listened() {
    return QAccessible::isActive() || observer();
}

void sendEvent(QWidget* widget, QAccessible::Event type) {
    if (widget && observer())
        observer()(widget, type);
    if (!widget || !QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, type);
    QAccessible::updateAccessibility(&event);
}

// A reader keeps the states it once read of an object: Orca, having read a
// label while its window or panel was hidden, keeps it as "not visible" and
// leaves it out of its review of the screen, because Qt reports changes of
// the showing state but never of the visible one. A control coming into view
// is therefore given a fresh accessible object (a new path on the bus), which
// a reader reads anew. Nothing changes for keys, mouse or focus.
void renew(QWidget* widget) {
    if (observer())
        observer()(widget, QAccessible::ObjectCreated);
    if (!listened())
        return;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void renewDescendants(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!w->isWindow()) {
            renew(w);
            w->setProperty(kReportedShown, onShow(w));
        }
}

// Readers learn of a change of the showing state from show and hide events.
void sendShowingChanged(QWidget* widget) {
    if (!widget->isVisible())
        return;
    const bool shown = onShow(widget);
    if (shown && !widget->property(kReportedShown).toBool())
        renew(widget);
    widget->setProperty(kReportedShown, shown);
    sendEvent(widget, shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    for (QObject* child : widget->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            sendShowingChanged(w);
}

// Read-only text with no caret or selection: what a reader needs to go
// through a text line by line or word by word.
class PlainText : public QAccessibleTextInterface {
public:
    virtual QString plainText() const = 0;

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return plainText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(plainText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

// The state every interface below shares: not showing unless on show.
QAccessible::State shownState(const QAccessibleWidget& iface, const QWidget* widget) {
    QAccessible::State state = iface.QAccessibleWidget::state();
    if (!onShow(widget)) {
        state.invisible = true;
        state.focusable = false;
    }
    return state;
}

// A command tile or a push button: pressed as by the mouse, and only shown
// when on show.
class AccessibleButton : public QAccessibleWidget {
public:
    explicit AccessibleButton(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QString(button()->text()).remove(QLatin1Char('&'));
        QString own = QAccessibleWidget::text(t);
        if (t != QAccessible::Description)
            return own;
        if (own.isEmpty())
            own = panelQuestion();
        const QString news = accessibility::news(widget());
        if (news.isEmpty() || own.isEmpty())
            return news + own;
        return news + QStringLiteral(". ") + own;
    }
    // The question or notice a tile answers is the text of the panel it lies
    // in: "Ti aiuto ?" is read with "SI" when the focus lands there.
    QString panelQuestion() const {
        const auto* panel = qobject_cast<const Frame*>(widget()->parentWidget());
        if (!panel)
            return {};
        QStringList texts;
        for (const QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (const QString text = label->text().simplified(); !text.isEmpty())
                texts.append(text);
        return texts.join(QLatin1Char(' '));
    }
    QAccessible::State state() const override {
        QAccessible::State state = shownState(*this, widget());
        // A tile never stays pressed.
        state.pressed = button()->isDown() && !qobject_cast<CommandTile*>(button());
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        // Run from the event loop, as a click would be: the assistive
        // technology gets its answer at once, even if the action opens a
        // message box that waits for the pupil.
        if (action == pressAction())
            QTimer::singleShot(0, button(), [control = button()] { press(control); });
        else
            QAccessibleWidget::doAction(action);
    }
};

class AccessibleLabel : public QAccessibleWidget {
public:
    explicit AccessibleLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    bool isPicture() const { return label()->text().isEmpty() && !label()->pixmap().isNull(); }

    QAccessible::Role role() const override {
        return isPicture() ? QAccessible::Graphic : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (!widget()->accessibleName().isEmpty())
                return widget()->accessibleName();
            const QString value = label()->text().simplified();
            const QString heading = widget()->property(kHeading).toString();
            if (heading.isEmpty())
                return value;
            return value.isEmpty() ? heading : heading + QStringLiteral(": ") + value;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = shownState(*this, widget());
        // An empty label shows nothing to read.
        if (text(QAccessible::Name).isEmpty() && !isPicture())
            state.invisible = true;
        return state;
    }
};

class AccessibleFrame : public QAccessibleWidget, public PlainText {
public:
    explicit AccessibleFrame(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    bool oneText() const { return widget()->property(kParts).isValid(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && oneText())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::Role role() const override {
        return oneText() ? QAccessible::StaticText : QAccessible::Grouping;
    }
    QString plainText() const override { return joinedParts(widget()); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && oneText())
            return plainText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override { return shownState(*this, widget()); }
    int childCount() const override { return oneText() ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override {
        return oneText() ? nullptr : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return oneText() ? -1 : QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return oneText() ? nullptr : QAccessibleWidget::childAt(x, y);
    }
};

class AccessiblePictureBox : public QAccessibleWidget, public PlainText {
public:
    explicit AccessiblePictureBox(PictureBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString plainText() const override {
        return static_cast<const PictureBox*>(widget())->drawnLines().join(QLatin1Char('\n'));
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return plainText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override { return shownState(*this, widget()); }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* tile = qobject_cast<CommandTile*>(object))
        return new AccessibleButton(tile);
    if (auto* button = qobject_cast<Button*>(object))
        return new AccessibleButton(button);
    if (auto* box = qobject_cast<PictureBox*>(object))
        return new AccessiblePictureBox(box);
    if (auto* label = qobject_cast<Label*>(object))
        return new AccessibleLabel(label);
    if (auto* picture = qobject_cast<Picture*>(object))
        return new AccessibleLabel(picture);
    if (auto* frame = qobject_cast<Frame*>(object))
        return new AccessibleFrame(frame);
    return nullptr;
}

// Renews the accessible objects of a window's controls each time it is shown.
class WindowWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(object);
            if (widget->isWindow() && listened())
                renewDescendants(widget);
        }
        return false;
    }
};

void dropNews(QWidget* control) {
    if (!control || control->property(kNews).toString().isEmpty())
        return;
    control->setProperty(kNews, QVariant());
    // Sent once the focus event has gone out, so a reader that has the
    // control's old description in store reads it again, and is no longer
    // on the control when it hears of the change.
    QTimer::singleShot(0, control, [control] { sendEvent(control, QAccessible::DescriptionChanged); });
}

} // namespace

void install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        app->installEventFilter(new WindowWatcher(app));
        QObject::connect(app, &QApplication::focusChanged, app,
                         [](QWidget* old, QWidget*) { dropNews(old); });
    }
}

bool onShow(const QWidget* widget) {
    if (!widget || !widget->isVisible())
        return false;
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
        if (coveredBySibling(w))
            return false;
    return true;
}

bool press(QWidget* control) {
    if (!control || !control->isEnabled() || !onShow(control) || control->window()->isMinimized())
        return false;
    // A mouse press cannot reach a window that a modal one holds back.
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != control->window() && !modal->isAncestorOf(control))
        return false;
    QPointer<QWidget> guard(control);
    // As a click does: the window comes forward and the control takes the
    // focus before it receives the press.
    if (!control->window()->isActiveWindow())
        control->window()->activateWindow();
    if (control->focusPolicy() & Qt::ClickFocus)
        control->setFocus(Qt::MouseFocusReason);
    if (!guard || !control->isEnabled())
        return false;
    const QPointF local = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(local);
    QMouseEvent down(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &down);
    if (guard) {
        QMouseEvent up(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(control, &up);
    }
    return true;
}

void setHeading(QWidget* label, const QString& heading) {
    label->setProperty(kHeading, heading.simplified());
    sendEvent(label, QAccessible::NameChanged);
}

void readAsOneText(QWidget* container, const QList<Label*>& parts, const QString& separator) {
    QObjectList objects;
    for (Label* part : parts)
        objects.append(part);
    container->setProperty(kParts, QVariant::fromValue(objects));
    container->setProperty(kSeparator, separator);
    for (Label* part : parts)
        QObject::connect(part, &Label::captionChanged, container, [container] { textChanged(container); });
}

QString oneText(const QWidget* container) {
    return joinedParts(container);
}

void setNews(QWidget* control, const QString& news) {
    const QString text = news.simplified();
    if (control->property(kNews).toString() == text)
        return;
    control->setProperty(kNews, text.isEmpty() ? QVariant() : QVariant(text));
    // A reader drops the description it has in store and reads the news when
    // the focus comes. Orca says nothing of the change itself for a tile.
    sendEvent(control, QAccessible::DescriptionChanged);
}

QString news(const QWidget* control) {
    return control->property(kNews).toString();
}

void announce(QWidget* widget) {
    // The event makes a reader fetch the widget's name again and speak it.
    sendEvent(widget, QAccessible::NameChanged);
}

void announceShown(QWidget* panel) {
    for (QLabel* label : panel->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            announce(label);
}

void restacked(QWidget* widget) {
    if (!listened() || !widget->parentWidget())
        return;
    for (QObject* sibling : widget->parentWidget()->children())
        if (auto* w = qobject_cast<QWidget*>(sibling); w && !w->isWindow())
            sendShowingChanged(w);
}

void textChanged(QWidget* widget) {
    sendEvent(widget, QAccessible::NameChanged);
}

void setEventObserver(EventObserver observer) {
    accessibility::observer() = std::move(observer);
}

} // namespace accessibility
