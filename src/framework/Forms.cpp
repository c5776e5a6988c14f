// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Forms.h"

#include <QList>
#include <QPointer>

namespace {
struct Registry {
    QList<QPointer<Form>> forms;
    std::function<void()> onLastUnloaded;
};

Registry& registry() {
    static Registry r;
    return r;
}
} // namespace

Form* Forms::find(const QString& name) {
    for (const QPointer<Form>& f : registry().forms)
        if (f && f->name() == name)
            return f;
    return nullptr;
}

QStringList Forms::loadedNames() {
    QStringList names;
    for (const QPointer<Form>& f : registry().forms)
        if (f)
            names.append(f->name());
    return names;
}

void Forms::unload(const QString& name) {
    if (Form* f = find(name))
        f->unload();
}

void Forms::setOnLastUnloaded(std::function<void()> callback) {
    registry().onLastUnloaded = std::move(callback);
}

void Forms::insert(Form* form) {
    registry().forms.append(form);
}

void Forms::remove(Form* form) {
    Registry& r = registry();
    r.forms.removeIf([form](const QPointer<Form>& f) { return !f || f == form; });
    if (r.forms.isEmpty() && r.onLastUnloaded)
        r.onLastUnloaded();
}
