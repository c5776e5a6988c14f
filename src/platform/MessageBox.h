// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// A message with an OK button and the program's title as caption.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const QString& text) = 0;
};

class RecordingMessageBox final : public MessageBox {
public:
    void show(const QString& text) override { texts.append(text); }
    QStringList texts;
};

// Caption of every message box.
QString programTitle();
