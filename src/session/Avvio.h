// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class MessageBox;
class Printers;

// The desktop entry's id, which the shell matches the windows to.
inline constexpr const char* kIdDesktop = "org.example.ilpontelo.pontelo";

// Before the application object: where the user has not named a platform,
// a Wayland session without Qt's Wayland plugin goes on through X11
// (XWayland) without a word about the missing plugin.
void preparaPiattaforma();
// Once the platform is up, its plugin messages are shown again.
void piattaformaPronta();

// Sets the application up as the program runs it and shows the start window;
// the event loop then ends when the last window has been unloaded. The
// printers and the message box are the platform's, or stand-ins in a check.
void avviaProgramma(std::unique_ptr<Printers> stampanti, std::unique_ptr<MessageBox> messaggi);
