// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Modulo2.h"

#include <cmath>

Modulo2& Modulo2::get() {
    static Modulo2 instance;
    return instance;
}

void Modulo2::reset() {
    get() = Modulo2{};
}

namespace {
// Terms are numbered 1 to 4; any other number falls on the fourth, as before.
template <class T> T& termine(Modulo2& m, T Modulo2::*const (&membri)[4], int k) {
    return m.*membri[(k >= 1 && k <= 4) ? k - 1 : 3];
}
} // namespace

qint16& Modulo2::num(int k) {
    static qint16 Modulo2::*const membri[4] = {&Modulo2::Num1, &Modulo2::Num2, &Modulo2::Num3,
                                               &Modulo2::Num4};
    return termine(*this, membri, k);
}

QString& Modulo2::strNum(int k) {
    static QString Modulo2::*const membri[4] = {&Modulo2::StrNum1, &Modulo2::StrNum2, &Modulo2::StrNum3,
                                                &Modulo2::StrNum4};
    return termine(*this, membri, k);
}

QString& Modulo2::spazi(int k) {
    static QString Modulo2::*const membri[4] = {&Modulo2::Spazi1, &Modulo2::Spazi2, &Modulo2::Spazi3,
                                                &Modulo2::Spazi4};
    return termine(*this, membri, k);
}

QString testoConSegno(qint64 value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString testoConSegno(float wholeValue) {
    return testoConSegno(static_cast<qint64>(std::floor(wholeValue)));
}
