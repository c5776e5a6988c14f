// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/RandomSource.h"

#include <memory>

// The one place the program reaches the clock, the random source and message
// boxes (the printers: Printers.h). The real clock and random source are the
// defaults; main installs the real message box and printers. Tests install
// their own stand-ins.
namespace platform {

Clock& clock();
RandomSource& random();
MessageBox& messageBox();

void setClock(std::unique_ptr<Clock> clock);
void setRandom(std::unique_ptr<RandomSource> random);
void setMessageBox(std::unique_ptr<MessageBox> messageBox);

} // namespace platform
