// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

namespace platform {
namespace {

// Until the program installs its real message box, messages are only recorded.
struct Installed {
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    std::unique_ptr<RandomSource> random = std::make_unique<MixingRandomSource>();
    std::unique_ptr<MessageBox> messageBox = std::make_unique<RecordingMessageBox>();
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
