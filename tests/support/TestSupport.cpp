// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"
#include "support/UnloadedWindows.h"

#include "core/Modulo2.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QTimer>

FakePlatform installFakePlatform(quint64 seed) {
    FakePlatform fakes;
    auto clock = std::make_unique<SettableClock>();
    auto random = std::make_unique<SeededRandom>(seed);
    auto printers = std::make_unique<RecordingPrinters>();
    auto messageBox = std::make_unique<RecordingMessageBox>();
    fakes.clock = clock.get();
    fakes.random = random.get();
    fakes.printers = printers.get();
    fakes.messageBox = messageBox.get();
    platform::setClock(std::move(clock));
    platform::setRandom(std::move(random));
    platform::setPrinters(std::move(printers));
    platform::setMessageBox(std::move(messageBox));
    return fakes;
}

void flushEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void resetProgram() {
    Forms::setOnLastUnloaded(nullptr);
    for (const QString& name : Forms::loadedNames())
        Forms::unload(name);
    // A start window's unload may have closed others already; repeat until none is left.
    for (const QString& name : Forms::loadedNames())
        Forms::unload(name);
    flushEvents();
    clearUnloadedWindows();
    Modulo2::reset();
    // What the program keeps between one event and the next, beyond any window.
    CommandTile::input() = {};
    TileGroup::keysInProgress() = {};
    Form::frameGuess() = {};
    MessageBox::onShow() = {};
}

void setInnerSize(Form& form, const QSize& pixels) {
    const int menu = form.menuWidget() ? form.menuWidget()->sizeHint().height() : 0;
    form.resize(pixels.width(), pixels.height() + menu);
    // A hidden widget gets its resize event only when shown: the window
    // follows its inner area's, so send that now.
    QWidget* inner = form.client();
    const QSize before = inner->size();
    inner->resize(pixels);
    QResizeEvent resized(pixels, before);
    QCoreApplication::sendEvent(inner, &resized);
}

bool showAndActivate(Form& form) {
    form.showForm();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

void whileModal(const std::function<void()>& open, const std::function<void()>& inside) {
    bool ran = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ran = true;
        inside();
        if (auto* modal = qobject_cast<Form*>(QApplication::activeModalWidget()))
            modal->unload();
    });
    timer.start(0);
    open();
    // A menu opens the window from the event loop, just after its own call.
    for (int i = 0; i < 20 && !ran; ++i)
        QCoreApplication::processEvents();
    timer.stop();
    // Nothing waited: the window did not open modally.
    if (!ran)
        inside();
}

QWidget* standInHolder() {
    static QWidget* holder = new QWidget;
    return holder;
}

namespace {
Qt::Key keyOf(const QString& name, Qt::KeyboardModifiers* modifiers) {
    if (name.startsWith(QLatin1String("kp"))) {
        *modifiers |= Qt::KeypadModifier;
        return Qt::Key(Qt::Key_0 + name.mid(2).toInt());
    }
    return QKeySequence::fromString(name)[0].key();
}
} // namespace

void sendKey(QEvent::Type type, const QString& key, bool autoRepeat, ulong timestamp,
             Qt::KeyboardModifiers modifiers) {
    const Qt::Key k = keyOf(key, &modifiers);
    const char ascii = QTest::keyToAscii(k);
    QString text = ascii ? QString(QChar(ascii)) : QString();
    if (modifiers & Qt::ShiftModifier)
        text = text.toUpper();
    QKeyEvent event(type, k, modifiers, text, autoRepeat);
    event.setTimestamp(timestamp);
    if (QWidget* w = QApplication::focusWidget())
        QApplication::sendEvent(w, &event);
}

void pressAt(QWidget* widget, ulong timestamp, QEvent::Type type) {
    QPointer<QWidget> guard(widget);
    const QPointF local = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(local);
    for (QEvent::Type t : {type, QEvent::MouseButtonRelease}) {
        if (!guard)
            break;
        const Qt::MouseButtons down = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(t, local, global, Qt::LeftButton, down, Qt::NoModifier);
        event.setTimestamp(timestamp);
        // As QTest does: sendEvent would make it a program's own event.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(widget, &event);
    }
    // QTest's own mouse events keep coming later.
    QTest::lastMouseTimestamp = qMax(QTest::lastMouseTimestamp, int(timestamp) + 1000);
}

ulong laterInputTime() {
    return qMax(ulong(CommandTile::inputTime()), ulong(QTest::lastMouseTimestamp)) + 1000;
}

void pressKey(Qt::Key key, int times, Qt::KeyboardModifiers modifiers) {
    for (int i = 0; i < times; ++i)
        QTest::keyPress(QApplication::focusWidget(), key, modifiers);
}

void releaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyRelease(QApplication::focusWidget(), key, modifiers);
}

void strokes(const QString& script) {
    for (const QString& key : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        sendKey(QEvent::KeyPress, key);
        sendKey(QEvent::KeyRelease, key);
    }
}

void holdKey(const QString& key, int repeats) {
    // Timestamps as the X server's: milliseconds, the repeats 33 ms apart.
    static ulong clock = 1000000;
    clock += 1000;
    sendKey(QEvent::KeyPress, key, false, clock);
    clock += 500;
    for (int i = 0; i < repeats; ++i, clock += 33) {
        sendKey(QEvent::KeyRelease, key, false, clock);
        sendKey(QEvent::KeyPress, key, false, clock);
    }
    clock += 100;
    sendKey(QEvent::KeyRelease, key, false, clock);
}

BancoGruppi::BancoGruppi(const QColor& fuoco, const QColor& riposo) {
    auto gruppo = [&](const QString& nome) {
        auto* g = new TileGroup(
            nome,
            [this, nome](int i) {
                azioni += nome + QString::number(i);
                if (nome == QLatin1String("A") && dopoA)
                    dopoA->setFocus();
            },
            this);
        g->setColors(fuoco, riposo);
        return g;
    };
    a = gruppo(QStringLiteral("A"));
    b = gruppo(QStringLiteral("B"));
}
