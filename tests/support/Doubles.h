// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "platform/RandomSource.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>

// Stand-ins for the platform that the tests drive and read: a clock that only
// moves when told to, the program's random source from a chosen seed, a
// message box and a printer layer that remember what they were given.

// A clock that only moves when told to.
class SettableClock final : public Clock {
public:
    float timeOfDay() const override { return seconds_; }
    QDate today() const override { return date_; }
    void setTimeOfDay(float seconds) { seconds_ = seconds; }
    void advance(float seconds) { seconds_ += seconds; }
    void setToday(const QDate& date) { date_ = date; }

private:
    float seconds_ = 36000.0f;
    QDate date_{2026, 12, 8};
};

// The program's own random source started from a chosen state, so that a
// test's draws are the same on every run.
class SeededRandom final : public MixingRandomSource {
public:
    explicit SeededRandom(quint64 seed) : MixingRandomSource(seed) {}
};

class RecordingMessageBox final : public MessageBox {
public:
    QStringList texts;
    // Runs while each message is on show, as a real box's window would.
    std::function<void()> whileShown;

protected:
    void display(const QString& text) override {
        texts.append(text);
        if (whileShown)
            whileShown();
    }
};

// Remembers every call; the printer and font lists are settable.
class RecordingPrinters final : public Printers {
public:
    struct Entry {
        enum Kind { Text, Picture, EndDoc } kind;
        QString printer;
        QString text;
        QString fontName;
        float fontSize = 0;
        bool bold = false;
        float x = 0;
        float y = 0;
        QSize pictureSize;
        float width = 0;
        float height = 0;
        QColor color;
    };

    RecordingPrinters();
    QStringList deviceNames() const override { return devices; }
    QString defaultPrinter() const override { return defaultDevice; }
    QStringList fonts() const override { return fontList; }
    QSizeF printableAreaTwips() const override { return printableArea; }

    // Texts printed so far, in order.
    QStringList printedTexts() const;
    int documentsEnded() const;

    QStringList devices;
    QString defaultDevice;
    QStringList fontList;
    // An A4 page without margins, unless a test sets another.
    QSizeF printableArea{11906, 16838};
    QList<Entry> entries;
    // The name of each document printed, in order.
    QStringList documentNames;
    // Every document printed on one of these devices fails with this reason;
    // nothing of it is recorded.
    QStringList failingDevices;
    QString failureReason = QStringLiteral("la coda di stampa è ferma");

protected:
    float lineHeightTwips() const override;
    void drawText(const QString& text) override;
    void drawPicture(const QImage& picture, float x, float y, float width, float height) override;
    void finishDocument() override;
};
