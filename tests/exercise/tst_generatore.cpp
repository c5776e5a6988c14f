// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/Generatore.h"
#include "platform/RandomSource.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// The highest draw a source may give: the largest float below 1.
const float kQuasiUno = std::nextafter(1.0f, 0.0f);

} // namespace

class TstGeneratore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Hiding a term from one draw (at the edges of its quarters): the record
    // line to the character, padded so that "(R." starts at index 35, the
    // expected answer and the term labels.
    void termineNascosto_data() {
        QTest::addColumn<QList<int>>("termini");
        QTest::addColumn<QString>("segno");
        QTest::addColumn<float>("tirata");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("riga");
        const QList<int> due{65, 30, 69, 34}, una{5, 14, 9, 10};
        QTest::newRow("due cifre, 1") << due << kSegnoMeno << 0.0f << 1 << u" ... -   30 =   69 -   34"_s;
        QTest::newRow("due cifre, 2") << due << kSegnoMeno << 0.25f << 2 << u"  65 -  ... =   69 -   34"_s;
        QTest::newRow("due cifre, 3") << due << kSegnoMeno << 0.7499f << 3 << u"  65 -   30 =  ... -   34"_s;
        QTest::newRow("due cifre, 4")
            << due << kSegnoMeno << kQuasiUno << 4 << u"  65 -   30 =   69 -  ... "_s;
        QTest::newRow("una cifra, 1") << una << kSegnoPiu << 0.2499f << 1 << u" ... +   14 =    9 +   10"_s;
        QTest::newRow("una cifra, 2") << una << kSegnoPiu << 0.4999f << 2 << u"   5 +  ... =    9 +   10"_s;
        QTest::newRow("una cifra, 3") << una << kSegnoPiu << 0.5f << 3 << u"   5 +   14 =  ... +   10"_s;
        QTest::newRow("una cifra, 4") << una << kSegnoPiu << 0.75f << 4 << u"   5 +   14 =    9 +  ... "_s;
    }
    void termineNascosto() {
        QFETCH(QList<int>, termini);
        QFETCH(QString, segno);
        QFETCH(float, tirata);
        QFETCH(int, pos);
        QFETCH(QString, riga);
        Modulo2 m;
        m.NumOperazione = 2;
        for (int k = 1; k <= 4; ++k)
            m.strNum(k) = u" %1"_s.arg(termini[k - 1]);
        AllineaNumeri(m);
        ScriptedRandom rnd;
        rnd.queue({tirata});
        Visualizza1(m, rnd, 1234.5f, segno, segno);
        QCOMPARE(m.PosNascosto, pos);
        ChiudiRiga(m);
        QCOMPARE(m.RegistroOperazioni[3], riga.leftJustified(35) + u"(R."_s);
        QCOMPARE(m.RegistroOperazioni[3].indexOf(u"(R."_s), 35);
        QCOMPARE(m.StrRisultato, u" %1"_s.arg(termini[pos - 1]));
        QCOMPARE(m.InizioOperazione, 1234.5f);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(didascaliaTermine(m, k), k == pos ? u"?"_s : u" %1"_s.arg(termini[k - 1]));
    }

    // Scripted draws: the operation type, then four terms per round. The loop
    // runs until the two sides agree, reseeding only once; a subtraction
    // compares after swapping each side into a difference that is never
    // negative, an addition never swaps. Terms come from Int(draw x 10) + 10.
    void generaConTiratePreparate_data() {
        QTest::addColumn<QList<float>>("tirate");
        QTest::addColumn<QString>("termini");
        QTest::addColumn<QString>("segno");
        QTest::addColumn<int>("giri");
        const float v10 = 0.05f, v11 = 0.15f, v12 = 0.25f, v14 = 0.45f, v15 = 0.55f, v16 = 0.65f, v17 = 0.75f;
        QTest::newRow("sottrazione, uguale solo dopo lo scambio")
            << QList<float>{0.4999f, v10, v15, v16, v11} << u" 15 10 16 11"_s << kSegnoMeno << 1;
        QTest::newRow("sottrazione, differenza zero al secondo giro")
            << QList<float>{0.0f, v12, v17, v15, v11, v14, v14, v17, v17} << u" 14 14 17 17"_s << kSegnoMeno
            << 2;
        // 0 gives NumMin, the highest draw NumMax - 1, 0.4999 truncates to 14.
        QTest::newRow("addizione, differenze uguali non bastano; estremi")
            << QList<float>{0.5f, v15, v10, v16, v11, 0.0f, kQuasiUno, 0.4999f, 0.5f} << u" 10 19 14 15"_s
            << kSegnoPiu << 2;
    }
    void generaConTiratePreparate() {
        QFETCH(QList<float>, tirate);
        Modulo2 m;
        m.NumMin = 10;
        m.NumMax = 20;
        ScriptedRandom rnd;
        rnd.queue(tirate);
        QString segno;
        QTEST(estraiTipoOperazione(rnd) == 1 ? Genera1(m, rnd, 0, &segno) : Genera2(m, rnd, 0, &segno),
              "giri");
        QTEST(segno, "segno");
        QTEST(m.StrNum1 + m.StrNum2 + m.StrNum3 + m.StrNum4, "termini");
        QCOMPARE(rnd.reseeds, 1);
        QCOMPARE(rnd.pending(), 0);
    }

    // Many operations made as the exercise window makes them, from a seeded
    // source. The rounds per operation follow a geometric law whose exact mean
    // is 1 / P(both sides agree) for terms uniform over n = numMax - numMin
    // values: P = (n² + 2·Σk²) / n⁴ for a sum, (n² + 4·Σk²) / n⁴ for a
    // difference, k from 1 to n - 1 (about 8.06 and 14.9 for n = 10, 30.6 and
    // 59.98 for n = 40).
    void statisticaDiMolteOperazioni_data() {
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::addColumn<QList<double>>("medie"); // subtraction, addition
        const QList<double> quaranta{2560000 / 83760.0, 2560000 / 42680.0};
        QTest::newRow("10..20") << 10 << 20 << QList<double>{1 / 0.124, 10000 / 670.0};
        QTest::newRow("30..70") << 30 << 70 << quaranta;
        QTest::newRow("50..90") << 50 << 90 << quaranta;
    }
    void statisticaDiMolteOperazioni() {
        QFETCH(int, numMin);
        QFETCH(int, numMax);
        QFETCH(QList<double>, medie);
        constexpr int kOperazioni = 5000;
        Modulo2 m;
        m.NumMin = static_cast<qint16>(numMin);
        m.NumMax = static_cast<qint16>(numMax);
        SeededRandom rnd(0x1234abcdULL + static_cast<quint64>(numMin));
        double giri[3] = {0, 0, 0};
        int perTipo[3] = {0, 0, 0}, perPosizione[5] = {0, 0, 0, 0, 0};
        std::set<int> valori;
        int differenzeZero = 0;
        for (int i = 0; i < kOperazioni; ++i) {
            const float ora = 30000.0f + 7.25f * static_cast<float>(i);
            const int tipo = estraiTipoOperazione(rnd);
            giri[tipo] += tipo == 1 ? Genera1(m, rnd, ora, nullptr) : Genera2(m, rnd, ora, nullptr);
            Visualizza1(m, rnd, ora, kSegnoMeno, kSegnoMeno);
            ++perTipo[tipo];
            ++perPosizione[m.PosNascosto];
            for (int k = 1; k <= 4; ++k)
                valori.insert(m.num(k));
            QVERIFY(tipo == 2 || (m.Num1 >= m.Num2 && m.Num3 >= m.Num4));
            QCOMPARE(tipo == 1 ? m.Num1 - m.Num2 - m.Num3 + m.Num4 : m.Num1 + m.Num2 - m.Num3 - m.Num4, 0);
            differenzeZero += tipo == 1 && m.Num1 == m.Num2;
            QCOMPARE(m.Risultato, m.num(m.PosNascosto));
        }
        QCOMPARE(*valori.begin(), numMin);
        QCOMPARE(*valori.rbegin(), numMax - 1);
        QVERIFY(differenzeZero > 0);
        // Sign and hidden position are fair: within about five standard deviations.
        QVERIFY(std::abs(perTipo[1] - kOperazioni / 2) < 200);
        for (int pos = 1; pos <= 4; ++pos)
            QVERIFY(std::abs(perPosizione[pos] - kOperazioni / 4) < 160);
        // Sample mean within four standard errors; a geometric law with mean
        // μ has variance μ(μ - 1).
        for (int tipo = 1; tipo <= 2; ++tipo) {
            const double media = giri[tipo] / perTipo[tipo], mu = medie[tipo - 1];
            QVERIFY2(std::abs(media - mu) < 4 * std::sqrt(mu * (mu - 1) / perTipo[tipo]),
                     qPrintable(u"tipo %1: media %2, attesa %3"_s.arg(tipo).arg(media).arg(mu)));
        }
    }
};

QTEST_GUILESS_MAIN(TstGeneratore)
#include "tst_generatore.moc"
