// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The windows unloaded since the last clear, in the order their unloading
// began. An unloaded window is deleted later, in that same order; a filter on
// the application notes each window as its deletion arrives. Asking first runs
// the deletions still pending, as the event loop would.
QStringList unloadedWindows();
void clearUnloadedWindows();
