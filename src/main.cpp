// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtMessageBox.h"
#include "platform/QtPrinters.h"
#include "session/Avvio.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    preparaPiattaforma();
    QApplication app(argc, argv);
    piattaformaPronta();
    avviaProgramma(std::make_unique<QtPrinters>(), std::make_unique<QtMessageBox>());
    return QApplication::exec();
}
