// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <QDateTime>
#include <QLocale>
#include <QTime>

QString shortDateText(const QDate& date, const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    return locale.toString(date, QLocale::ShortFormat);
}

QString Clock::shortDate() const {
    return shortDateText(today(), QLocale::system());
}

float SystemClock::timeOfDay() const {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

QDate SystemClock::today() const {
    return QDate::currentDate();
}
