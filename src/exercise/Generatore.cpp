// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Generatore.h"

#include "core/Modulo2.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <algorithm>
#include <cmath>

qint16 estraiTermine(RandomSource& rnd, qint16 numMin, qint16 numMax) {
    const float ampiezza = static_cast<float>(numMax - numMin);
    const float prodotto = rnd.next() * ampiezza;
    return static_cast<qint16>(static_cast<int>(std::floor(prodotto)) + numMin);
}

int estraiTipoOperazione(RandomSource& rnd) {
    return static_cast<int>(std::floor(rnd.next() * 2.0f)) + 1;
}

int estraiUguaglianza(Operazione& op, TipoOperazione tipo, qint16 numMin, qint16 numMax, RandomSource& rnd,
                      qint16 latoMassimo) {
    // At the middle range an addition takes thousands of rounds: the loop
    // works on locals and writes the operation once.
    int giri = 0;
    qint16 n[4];
    for (;;) {
        ++giri;
        for (qint16& termine : n)
            termine = estraiTermine(rnd, numMin, numMax);
        if (tipo == TipoOperazione::Sottrazione) {
            if (n[0] < n[1])
                std::swap(n[0], n[1]);
            if (n[2] < n[3])
                std::swap(n[2], n[3]);
            if (n[0] - n[1] == n[2] - n[3])
                break;
        } else if (n[0] + n[1] == n[2] + n[3] && (latoMassimo <= 0 || n[0] + n[1] <= latoMassimo)) {
            break;
        }
    }
    for (int k = 1; k <= 4; ++k) {
        op.num(k) = n[k - 1];
        op.strNum(k) = testoConSegno(static_cast<qint64>(n[k - 1]));
    }
    return giri;
}

int generaUguaglianza(Operazione& op, const LivelloScelto& livello, TipoOperazione tipo, RandomSource& rnd,
                      float oraDelGiorno, QString* segno, qint16 latoMassimo) {
    rnd.reseed(oraDelGiorno);
    const int giri = estraiUguaglianza(op, tipo, livello.NumMin, livello.NumMax, rnd, latoMassimo);
    if (segno)
        *segno = tipo == TipoOperazione::Sottrazione ? kSegnoMeno : kSegnoPiu;
    return giri;
}

int Genera1(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno) {
    return generaUguaglianza(m, m, TipoOperazione::Sottrazione, rnd, oraDelGiorno, segno);
}

int Genera2(Modulo2& m, RandomSource& rnd, float oraDelGiorno, QString* segno) {
    return generaUguaglianza(m, m, TipoOperazione::Addizione, rnd, oraDelGiorno, segno);
}

QString spaziPerCifre(qsizetype cifre) {
    return QString(std::clamp<qsizetype>(3 - cifre, 0, 2), QLatin1Char(' '));
}

QString componiRiga(const std::array<QString, 4>& campi, const QString& segno1, const QString& segno2,
                    int posNascosto, const std::array<QString, 4>& segnaposto) {
    const size_t nascosto = (posNascosto >= 1 && posNascosto <= 4) ? size_t(posNascosto - 1) : 3;
    auto campo = [&](size_t k) { return k == nascosto ? segnaposto[k] : campi[k]; };
    return campo(0) + segno1 + campo(1) + QStringLiteral(" = ") + campo(2) + segno2 + campo(3);
}

void AllineaNumeri(Modulo2& m) {
    // A drill term has one or two digits; anything else keeps its blanks.
    for (int k = 1; k <= 4; ++k) {
        const qsizetype cifre = m.strNum(k).trimmed().size();
        if (cifre == 1 || cifre == 2)
            m.spazi(k) = spaziPerCifre(cifre);
    }
}

QString rigaOperazione(const Modulo2& m, const QString& s1, const QString& s2) {
    static const std::array<QString, 4> puntini{QStringLiteral(" ..."), QStringLiteral(" ..."),
                                                QStringLiteral(" ..."), QStringLiteral(" ... ")};
    std::array<QString, 4> campi;
    for (int k = 1; k <= 4; ++k)
        campi[size_t(k - 1)] = m.spazi(k) + m.strNum(k);
    return componiRiga(campi, s1, s2, m.PosNascosto, puntini);
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
