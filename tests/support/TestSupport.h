// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "framework/CommandTile.h"
#include "framework/Form.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "support/Doubles.h"

#include <QList>
#include <QTest>
#include <QWidget>
#include <type_traits>

// The fakes every window test runs with, installed into the platform layer.
struct FakePlatform {
    SettableClock* clock = nullptr;
    RandomSource* random = nullptr;
    RecordingPrinters* printers = nullptr;
    RecordingMessageBox* messageBox = nullptr;
};

// Installs a settable clock, a seeded random source, a recording printer layer
// and a recording message box; returns them for the test to drive and read.
FakePlatform installFakePlatform(quint64 seed = 12345);

// Unloads every window, lets Qt delete them, empties the session state and
// puts back what the tiles, windows and message boxes share between events.
void resetProgram();

// Lets deferred deletions and queued events run.
void flushEvents();

// A random source that hands out the given values first, then seeded draws.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(quint64 seed = 1) : fallback_(seed) {}
    void queue(std::initializer_list<float> values) { queued_.append(QList<float>(values)); }
    void queue(const QList<float>& values) { queued_.append(values); }
    float next() override { return queued_.isEmpty() ? fallback_.next() : queued_.takeFirst(); }
    // Queued values survive a reseed, so a test can script a whole operation.
    void reseed(float timeOfDay) override {
        ++reseeds;
        fallback_.reseed(timeOfDay);
    }
    qsizetype pending() const { return queued_.size(); }
    int reseeds = 0;

private:
    QList<float> queued_;
    SeededRandom fallback_;
};

// A hidden widget that owns the stand-ins for controls a test could not find.
QWidget* standInHolder();

// A harmless object of the control's type, so that a test that asked for a
// missing control fails by itself instead of crashing the whole test program.
template <class T> T* standIn() {
    if constexpr (std::is_constructible_v<T, QWidget*>) {
        return new T(standInHolder());
    } else if constexpr (std::is_constructible_v<T, TileGroup*, int, QWidget*>) {
        auto* group = new TileGroup(QStringLiteral("missing"), {}, standInHolder());
        return group->addTile(standInHolder(), QString(), {});
    } else {
        return nullptr;
    }
}

// The named control of a window. A missing name fails the running test with
// the name in the message; the test goes on with a stand-in.
template <class T = QWidget> T* control(const QWidget* window, const QString& name) {
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found) {
        const QString message = QStringLiteral("control %1 not found in %2")
                                    .arg(name, window ? window->objectName() : QStringLiteral("(no window)"));
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        found = standIn<T>();
    }
    return found;
}

// Keys as a user's keyboard sends them: to the widget that has the focus.
// A key is named as QKeySequence spells it ("A", "5", "Return", "Space",
// "Backspace", "Escape", "Left") or "kp5" for a digit of the numeric keypad.
// The timestamp is the one the window system would give (0: none).
void sendKey(QEvent::Type type, const QString& key, bool autoRepeat = false, ulong timestamp = 0,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Presses (possibly several times) and releases of a key on the focused widget.
void pressKey(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void releaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press then release of each blank-separated key, in order; each release goes
// to whichever widget has the focus by then.
void strokes(const QString& script);
// A key held down as X11 reports it: the press, then `repeats` release/press
// pairs that share their timestamp and are not marked as auto-repeat, then
// the real release.
void holdKey(const QString& key, int repeats);

// A press as the window system delivers it, at a time of the input events'
// clock, then its release: a plain press or, as Qt may call the second of
// two, a double click's. The focus moves as for a real press.
void pressAt(QWidget* widget, ulong timestamp, QEvent::Type type = QEvent::MouseButtonPress);
// A time later than every input event the tiles and QTest have sent.
ulong laterInputTime();

// Shows a window and makes it the active one, so that focus events arrive.
bool showAndActivate(Form& form);

// Gives a window's inner area a size in pixels (the window grows by its menu
// bar), and its controls their places for it even while it is hidden.
void setInnerSize(Form& form, const QSize& pixels);

// Opening a modal window waits until it is closed: `inside` runs while
// `open` waits, as the user acts on the modal window; a modal window still
// open afterwards is unloaded, so that `open` returns.
void whileModal(const std::function<void()>& open, const std::function<void()>& inside);

// A window with two tile groups, A and B, whose every action is logged as
// "A0", "B1", ...; A's action sends the focus to dopoA when it is set.
class BancoGruppi : public QWidget {
public:
    BancoGruppi(const QColor& fuoco, const QColor& riposo);
    QString azioni;
    CommandTile* dopoA = nullptr;
    TileGroup* a;
    TileGroup* b;
};
