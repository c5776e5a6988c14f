#pragma once

#include "framework/Form.h"
#include "framework/Forms.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "platform/RandomSource.h"

#include <QList>
#include <QTest>
#include <QWidget>

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

// Unloads every window, lets Qt delete them, and empties the session state.
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
    MixingRandomSource fallback_;
};

// The named control of a window, or a test failure naming what was missing.
template <class T = QWidget> T* control(const QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qWarning("control %s not found in %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}

// Shows a window and makes it the active one, so that focus events arrive.
bool showAndActivate(Form& form);
