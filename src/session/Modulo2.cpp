#include "session/Modulo2.h"

#include <cmath>

Modulo2& Modulo2::get() {
    static Modulo2 instance;
    return instance;
}

void Modulo2::reset() {
    get() = Modulo2{};
}

qint16& Modulo2::num(int k) {
    switch (k) {
    case 1:
        return Num1;
    case 2:
        return Num2;
    case 3:
        return Num3;
    default:
        return Num4;
    }
}

QString& Modulo2::strNum(int k) {
    switch (k) {
    case 1:
        return StrNum1;
    case 2:
        return StrNum2;
    case 3:
        return StrNum3;
    default:
        return StrNum4;
    }
}

QString& Modulo2::spazi(int k) {
    switch (k) {
    case 1:
        return Spazi1;
    case 2:
        return Spazi2;
    case 3:
        return Spazi3;
    default:
        return Spazi4;
    }
}

QString testoConSegno(qint64 value) {
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString testoConSegno(float wholeValue) {
    return testoConSegno(static_cast<qint64>(std::floor(wholeValue)));
}
