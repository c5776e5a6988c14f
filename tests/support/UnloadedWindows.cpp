// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/UnloadedWindows.h"

#include "framework/Form.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

namespace {

class DeletionWatch final : public QObject {
public:
    DeletionWatch() { QCoreApplication::instance()->installEventFilter(this); }

    QStringList names;
    // A window may hold its deletion back and ask again: it is noted once.
    QList<QPointer<Form>> noted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::DeferredDelete) {
            auto* form = qobject_cast<Form*>(watched);
            if (form && form->isUnloading() && !noted.contains(form)) {
                noted.removeAll(nullptr);
                noted.append(form);
                names.append(form->name());
            }
        }
        return false;
    }
};

DeletionWatch& watch() {
    static auto* w = new DeletionWatch;
    return *w;
}

} // namespace

QStringList unloadedWindows() {
    DeletionWatch& w = watch();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.names;
}

void clearUnloadedWindows() {
    watch().names.clear();
}
