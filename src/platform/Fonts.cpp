// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QFont>
#include <QHash>

namespace {
const QHash<QString, QStringList>& faces() {
    static const QHash<QString, QStringList> table{
        {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")}},
        // A bitmap face on Windows; Arial's metric twin is the closest match
        // and keeps it in line with the Arial text around it.
        {QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")}},
        {QStringLiteral("Times New Roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman")}},
        {QStringLiteral("Courier New"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS"),
          QStringLiteral("Nimbus Mono L")}},
        {QStringLiteral("Courier"),
         {QStringLiteral("Liberation Mono"), QStringLiteral("Nimbus Mono PS"),
          QStringLiteral("Nimbus Mono L")}},
    };
    return table;
}
} // namespace

const QStringList& metricCompatibleFaces(const QString& family) {
    static const QStringList none;
    for (auto it = faces().cbegin(); it != faces().cend(); ++it)
        if (it.key().compare(family, Qt::CaseInsensitive) == 0)
            return it.value();
    return none;
}

void installFaceSubstitutions() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (auto it = faces().cbegin(); it != faces().cend(); ++it) {
        QFont::insertSubstitutions(it.key(), it.value());
        // The certificate asks for "arial" in lower case.
        QFont::insertSubstitutions(it.key().toLower(), it.value());
    }
}
