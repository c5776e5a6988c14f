// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A message with an OK button and the program's title as caption.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the message; returns once it has been closed.
    void show(const QString& text);
    // True while a message is on show: a window that loses activation then
    // has lost it to the message, not to another window of the program.
    static bool showing();

    // How many messages are on show now, whichever message box shows them
    // (one message's window may print and show another). One for the program,
    // as there is one screen; a test puts it back with `onShow() = {}`.
    struct OnShow {
        int count = 0;
    };
    static OnShow& onShow();

protected:
    virtual void display(const QString& text) = 0;
};

// Caption of every message box.
QString programTitle();
