// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Generatore.h"

#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "session/Modulo2.h"

#include <cmath>

qint16 estraiTermine(RandomSource& rnd, qint16 numMin, qint16 numMax) {
    const float ampiezza = static_cast<float>(numMax - numMin);
    const float prodotto = rnd.next() * ampiezza;
    return static_cast<qint16>(static_cast<int>(std::floor(prodotto)) + numMin);
}

int estraiTipoOperazione(RandomSource& rnd) {
    return static_cast<int>(std::floor(rnd.next() * 2.0f)) + 1;
}

namespace {
void estraiQuattro(Modulo2& m, RandomSource& rnd) {
    m.Num1 = estraiTermine(rnd, m.NumMin, m.NumMax);
    m.Num2 = estraiTermine(rnd, m.NumMin, m.NumMax);
    m.Num3 = estraiTermine(rnd, m.NumMin, m.NumMax);
    m.Num4 = estraiTermine(rnd, m.NumMin, m.NumMax);
}

void scriviTesti(Modulo2& m) {
    for (int k = 1; k <= 4; ++k)
        m.strNum(k) = testoConSegno(static_cast<qint64>(m.num(k)));
}
} // namespace

int Genera1(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno) {
    rnd.reseed(oraDelGiorno);
    int giri = 0;
    do {
        ++giri;
        estraiQuattro(m, rnd);
        if (m.Num1 < m.Num2)
            std::swap(m.Num1, m.Num2);
        if (m.Num3 < m.Num4)
            std::swap(m.Num3, m.Num4);
    } while (m.Num1 - m.Num2 != m.Num3 - m.Num4);
    scriviTesti(m);
    if (segno)
        *segno = kSegnoMeno;
    return giri;
}

int Genera2(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno) {
    rnd.reseed(oraDelGiorno);
    int giri = 0;
    do {
        ++giri;
        estraiQuattro(m, rnd);
    } while (m.Num1 + m.Num2 != m.Num3 + m.Num4);
    if (segno)
        *segno = kSegnoPiu;
    scriviTesti(m);
    return giri;
}

void AllineaNumeri(Modulo2& m) {
    for (int k = 1; k <= 4; ++k) {
        const qsizetype cifre = m.strNum(k).trimmed().size();
        if (cifre == 2)
            m.spazi(k) = QStringLiteral(" ");
        else if (cifre == 1)
            m.spazi(k) = QStringLiteral("  ");
    }
}

QString rigaOperazione(const Modulo2& m, const QString& s1, const QString& s2) {
    const QString t1 = m.Spazi1 + m.StrNum1;
    const QString t2 = m.Spazi2 + m.StrNum2;
    const QString t3 = m.Spazi3 + m.StrNum3;
    const QString t4 = m.Spazi4 + m.StrNum4;
    const QString uguale = QStringLiteral(" = ");
    switch (m.PosNascosto) {
    case 1:
        return QStringLiteral(" ...") + s1 + t2 + uguale + t3 + s2 + t4;
    case 2:
        return t1 + s1 + QStringLiteral(" ... = ") + t3 + s2 + t4;
    case 3:
        return t1 + s1 + t2 + QStringLiteral(" =  ...") + s2 + t4;
    default:
        return t1 + s1 + t2 + uguale + t3 + s2 + QStringLiteral(" ... ");
    }
}

QString* registroCorrente(Modulo2& m) {
    if (m.NumOperazione < 0 || m.NumOperazione >= static_cast<qint16>(m.RegistroOperazioni.size()))
        return nullptr;
    return &m.RegistroOperazioni[static_cast<size_t>(m.NumOperazione)];
}

void Visualizza1(Modulo2& m, RandomSource& rnd, float oraDelGiorno, const QString& s1, const QString& s2) {
    m.PosNascosto = static_cast<qint16>(std::floor(rnd.next() * 4.0f) + 1);
    m.NumOperazione = static_cast<qint16>(m.NumOperazione + 1);
    m.Risultato = static_cast<qint16>(m.strNum(m.PosNascosto).trimmed().toInt());
    if (QString* registro = registroCorrente(m))
        *registro = rigaOperazione(m, s1, s2);
    m.StrRisultato = testoConSegno(static_cast<qint64>(m.Risultato));
    m.InizioOperazione = oraDelGiorno;
}

QString didascaliaTermine(const Modulo2& m, int k) {
    if (k == m.PosNascosto)
        return QStringLiteral("?");
    return m.strNum(k);
}

void ChiudiRiga(Modulo2& m) {
    QString* registro = registroCorrente(m);
    if (!registro)
        return;
    m.Riempimento = QString(qMax<qsizetype>(0, 35 - registro->size()), QLatin1Char(' '));
    *registro += m.Riempimento + QStringLiteral("(R.");
}

QString prossimaOperazione(Modulo2& m, RandomSource& rnd, const Clock& clock) {
    QString segno;
    if (estraiTipoOperazione(rnd) == 1)
        Genera1(m, rnd, clock.timeOfDay(), &segno);
    else
        Genera2(m, rnd, clock.timeOfDay(), &segno);
    AllineaNumeri(m);
    Visualizza1(m, rnd, clock.timeOfDay(), segno, segno);
    ChiudiRiga(m);
    return segno;
}
