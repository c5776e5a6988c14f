#include "support/TestSupport.h"

#include "platform/Platform.h"
#include "session/Modulo2.h"

#include <QApplication>
#include <QCoreApplication>

FakePlatform installFakePlatform(quint64 seed) {
    FakePlatform fakes;
    auto clock = std::make_unique<SettableClock>();
    auto random = std::make_unique<MixingRandomSource>(seed);
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
    Forms::clearUnloadLog();
    Modulo2::reset();
}

bool showAndActivate(Form& form) {
    form.showForm();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}
