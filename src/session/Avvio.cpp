// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Avvio.h"

#include "framework/Forms.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "session/FrmInizio.h"

#include <QApplication>
#include <QLoggingCategory>

void preparaPiattaforma() {
    // Qt tries the Wayland plugin first on a Wayland session and falls back
    // to X11 by itself, but warns about the plugin it could not find.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.plugin.warning=false"));
}

void piattaformaPronta() {
    QLoggingCategory::setFilterRules(QString());
}

void avviaProgramma(std::unique_ptr<Printers> stampanti, std::unique_ptr<MessageBox> messaggi) {
    QApplication::setApplicationName(programTitle());
    // The shell matches the windows to the menu entry and its icon by this
    // id: the Wayland app_id.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kIdDesktop));
    // The program ends when its last window is unloaded, not when the last
    // one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setPrinters(std::move(stampanti));
    platform::setMessageBox(std::move(messaggi));
    Forms::setOnLastUnloaded([] { QCoreApplication::quit(); });
    Forms::get<FrmInizio>().showForm();
}
