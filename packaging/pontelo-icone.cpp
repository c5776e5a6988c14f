// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's bridge icon as PNG files of the sizes given, for the
// package: pontelo-icone FOLDER SIZE...  -> FOLDER/SIZExSIZE/apps/NAME.png
#include "session/Immagini.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const QString folder = args.at(1);
    const QString name = args.at(2);
    for (const QString& arg : args.mid(3)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size <= 0)
            return 2;
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(dir) || !immaginePonte(size).save(QStringLiteral("%1/%2.png").arg(dir, name)))
            return 1;
    }
    return 0;
}
