// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "framework/Form.h"

#include <QStringList>
#include <functional>

// The registry of loaded windows: one instance per window name.
class Forms {
public:
    // The loaded window of this class, created and loaded (hidden) if needed.
    template <class T> static T& get() {
        if (Form* existing = find(T::kName))
            return *static_cast<T*>(existing);
        T* form = new T();
        insert(form);
        form->load();
        return *form;
    }

    static Form* find(const QString& name);
    static bool isLoaded(const QString& name) { return find(name) != nullptr; }
    static QStringList loadedNames();
    // Unloads a window by name; nothing happens if it is not loaded.
    static void unload(const QString& name);

    // Called when the last loaded window has been unloaded: the program ends.
    static void setOnLastUnloaded(std::function<void()> callback);

private:
    friend class Form;
    static void insert(Form* form);
    static void remove(Form* form);
};
