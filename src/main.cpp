// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Forms.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtMessageBox.h"
#include "platform/QtPrinters.h"
#include "session/FrmInizio.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(programTitle());
    // The program ends when its last window is unloaded, not when the last
    // one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setPrinters(std::make_unique<QtPrinters>());
    platform::setMessageBox(std::make_unique<QtMessageBox>());
    Forms::setOnLastUnloaded([] { QCoreApplication::quit(); });

    Forms::get<FrmInizio>().showForm();
    return QApplication::exec();
}
