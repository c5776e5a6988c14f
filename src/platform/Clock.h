// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// Time of day and today's date, as the drill reads them.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fraction, in single precision.
    virtual float timeOfDay() const = 0;
    virtual QDate today() const = 0;
    // Today's date in the system's short date format (dd/MM/yyyy on a C/POSIX locale).
    QString shortDate() const;
};

class SystemClock final : public Clock {
public:
    float timeOfDay() const override;
    QDate today() const override;
};

// The short date format of a locale; the C locale gets the Italian form.
QString shortDateText(const QDate& date, const QLocale& locale);
