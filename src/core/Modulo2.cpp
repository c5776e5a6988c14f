// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"

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
template <class T> T& termine(Operazione& o, T Operazione::*const (&membri)[4], int k) {
    return o.*membri[(k >= 1 && k <= 4) ? k - 1 : 3];
}
} // namespace

qint16& Operazione::num(int k) {
    static qint16 Operazione::*const membri[4] = {&Operazione::Num1, &Operazione::Num2, &Operazione::Num3,
                                                  &Operazione::Num4};
    return termine(*this, membri, k);
}

QString& Operazione::strNum(int k) {
    static QString Operazione::*const membri[4] = {&Operazione::StrNum1, &Operazione::StrNum2,
                                                   &Operazione::StrNum3, &Operazione::StrNum4};
    return termine(*this, membri, k);
}

QString& Operazione::spazi(int k) {
    static QString Operazione::*const membri[4] = {&Operazione::Spazi1, &Operazione::Spazi2,
                                                   &Operazione::Spazi3, &Operazione::Spazi4};
    return termine(*this, membri, k);
}

QString testoConSegno(qint64 value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString testoConSegno(float wholeValue) {
    return testoConSegno(static_cast<qint64>(std::floor(wholeValue)));
}
