// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Points the user's documents folder, found by the program as on any desktop,
// at a folder of the test's: HOME becomes a home of its own whose
// user-dirs.dirs names that folder: a temporary one, or the one given when
// the test may be ended by a signal (it then goes with the test's own
// temporary folder). The environment is put back on leaving.
class DocumentsFolder {
public:
    explicit DocumentsFolder(const QString& folder, const QString& home = {});
    ~DocumentsFolder();
    DocumentsFolder(const DocumentsFolder&) = delete;
    DocumentsFolder& operator=(const DocumentsFolder&) = delete;

    // Names another folder from now on.
    void moveTo(const QString& folder);
    // The file that appeared in the folder since the folder was named or
    // last asked: empty when there is none, and a text naming them all when
    // there are several, so that neither passes for one document.
    QString newFile();

private:
    QStringList files() const;

    QTemporaryDir ownHome_;
    QString home_;
    QString folder_;
    QStringList seen_;
    QByteArray home0_;
    QByteArray config0_;
    bool hadConfig_ = false;
};
