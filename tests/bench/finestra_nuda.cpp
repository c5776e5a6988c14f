// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the program's start-up: a bare Qt Widgets window,
// maximised, with a menu bar of two entries, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Finestra nuda"));
    window.menuBar()->addAction(QStringLiteral("Stampa schede"));
    window.menuBar()->addAction(QStringLiteral("About"));
    window.showMaximized();
    return QApplication::exec();
}
