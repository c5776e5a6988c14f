// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

namespace platform {
namespace {

// The clock and the random source need nothing from the window system and
// are there from the start; the message box is installed by the program once
// its application object exists.
struct Installed {
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    std::unique_ptr<RandomSource> random = std::make_unique<MixingRandomSource>();
    std::unique_ptr<MessageBox> messageBox;
};

Installed& installed() {
    static Installed instance;
    return instance;
}

} // namespace

Clock& clock() {
    return *installed().clock;
}
RandomSource& random() {
    return *installed().random;
}
MessageBox& messageBox() {
    if (!installed().messageBox)
        qFatal("No message box installed: the program installs it at start");
    return *installed().messageBox;
}

void setClock(std::unique_ptr<Clock> c) {
    installed().clock = std::move(c);
}
void setRandom(std::unique_ptr<RandomSource> r) {
    installed().random = std::move(r);
}
void setMessageBox(std::unique_ptr<MessageBox> m) {
    installed().messageBox = std::move(m);
}

} // namespace platform
