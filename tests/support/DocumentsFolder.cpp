// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocumentsFolder.h"

#include <QDir>
#include <QFile>

DocumentsFolder::DocumentsFolder(const QString& folder, const QString& home)
    : home_(home.isEmpty() ? ownHome_.path() : home), home0_(qgetenv("HOME")),
      config0_(qgetenv("XDG_CONFIG_HOME")), hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("HOME", QFile::encodeName(home_));
    qunsetenv("XDG_CONFIG_HOME");
    QDir().mkpath(home_ + QStringLiteral("/.config"));
    moveTo(folder);
}

DocumentsFolder::~DocumentsFolder() {
    qputenv("HOME", home0_);
    if (hadConfig_)
        qputenv("XDG_CONFIG_HOME", config0_);
}

void DocumentsFolder::moveTo(const QString& folder) {
    folder_ = folder;
    QFile dirs(home_ + QStringLiteral("/.config/user-dirs.dirs"));
    if (dirs.open(QIODevice::WriteOnly | QIODevice::Truncate))
        dirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(folder) + "\"\n");
    seen_ = files();
}

QString DocumentsFolder::newFile() {
    const QStringList now = files();
    QStringList added;
    for (const QString& f : now)
        if (!seen_.contains(f))
            added.append(QDir(folder_).filePath(f));
    seen_ = now;
    return added.size() <= 1 ? added.value(0) : QStringLiteral("several files: ") + added.join(u", ");
}

QStringList DocumentsFolder::files() const {
    return QDir(folder_).entryList(QDir::Files);
}
