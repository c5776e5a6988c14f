#include "exercise/Generatore.h"
#include "platform/RandomSource.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <cmath>

namespace {

// The highest draw a source may give: the largest float below 1.
const float kQuasiUno = std::nextafter(1.0f, 0.0f);

// A draw that the term formula turns into `valore`: the middle of its step.
float tirataPer(int valore, int numMin, int numMax) {
    return (static_cast<float>(valore - numMin) + 0.5f) / static_cast<float>(numMax - numMin);
}

// A draw that hides term `pos`.
float tirataNascosto(int pos) {
    return (static_cast<float>(pos) - 0.5f) / 4.0f;
}

void impostaTermini(Modulo2& m, const QList<int>& termini) {
    for (int k = 1; k <= 4; ++k) {
        m.num(k) = static_cast<qint16>(termini[k - 1]);
        m.strNum(k) = testoConSegno(static_cast<qint64>(termini[k - 1]));
    }
    AllineaNumeri(m);
}

// Mean and standard deviation of the rounds a rejection loop needs when each
// term takes one of `valori` equally likely values. A round succeeds when the
// two sides, each a function of two independent terms, agree. For a
// subtraction over 10 values that is 1 / 0.124 (about 8) rounds, for an
// addition over 40 values 2560000 / 42680 (about 60).
struct AttesaGiri {
    double media;
    double scarto;
};

AttesaGiri attesaGiri(int tipo, int valori) {
    QList<double> prob(2 * valori, 0.0);
    const double p1 = 1.0 / (static_cast<double>(valori) * valori);
    for (int a = 0; a < valori; ++a)
        for (int b = 0; b < valori; ++b)
            prob[tipo == 1 ? std::abs(a - b) : a + b] += p1;
    double successo = 0;
    for (double p : prob)
        successo += p * p;
    return {1.0 / successo, std::sqrt(1.0 - successo) / successo};
}

} // namespace

class TstGeneratore : public QObject {
    Q_OBJECT

private slots:
    void estrazioneTermine_data() {
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::addColumn<float>("tirata");
        QTest::addColumn<int>("atteso");
        QTest::newRow("zero, primo livello") << 10 << 20 << 0.0f << 10;
        QTest::newRow("quasi zero") << 10 << 20 << 1e-7f << 10;
        QTest::newRow("quasi uno, primo livello") << 10 << 20 << kQuasiUno << 19;
        QTest::newRow("quasi uno, secondo livello") << 30 << 70 << kQuasiUno << 69;
        QTest::newRow("quasi uno, terzo livello") << 50 << 90 << kQuasiUno << 89;
        QTest::newRow("troncato, non arrotondato") << 10 << 20 << 0.29f << 12;
        QTest::newRow("inizio di un gradino") << 30 << 70 << 0.5f << 50;
        QTest::newRow("appena sotto un gradino") << 30 << 70 << 0.4999f << 49;
    }
    void estrazioneTermine() {
        QFETCH(int, numMin);
        QFETCH(int, numMax);
        QFETCH(float, tirata);
        QFETCH(int, atteso);
        ScriptedRandom rnd;
        rnd.queue({tirata});
        QCOMPARE(estraiTermine(rnd, static_cast<qint16>(numMin), static_cast<qint16>(numMax)), atteso);
    }

    void tipoOperazione_data() {
        QTest::addColumn<float>("tirata");
        QTest::addColumn<int>("tipo");
        QTest::newRow("zero") << 0.0f << 1;
        QTest::newRow("sotto la metà") << 0.4999f << 1;
        QTest::newRow("metà") << 0.5f << 2;
        QTest::newRow("quasi uno") << kQuasiUno << 2;
    }
    void tipoOperazione() {
        QFETCH(float, tirata);
        QFETCH(int, tipo);
        ScriptedRandom rnd;
        rnd.queue({tirata});
        QCOMPARE(estraiTipoOperazione(rnd), tipo);
    }

    // The hidden position comes from one draw; the expected answer and the
    // labels follow it.
    void termineNascosto_data() {
        QTest::addColumn<float>("tirata");
        QTest::addColumn<int>("pos");
        QTest::addColumn<int>("risultato");
        QTest::newRow("zero") << 0.0f << 1 << 65;
        QTest::newRow("sotto un quarto") << 0.2499f << 1 << 65;
        QTest::newRow("un quarto") << 0.25f << 2 << 30;
        QTest::newRow("metà") << 0.5f << 3 << 69;
        QTest::newRow("sotto tre quarti") << 0.7499f << 3 << 69;
        QTest::newRow("tre quarti") << 0.75f << 4 << 34;
        QTest::newRow("quasi uno") << kQuasiUno << 4 << 34;
    }
    void termineNascosto() {
        QFETCH(float, tirata);
        QFETCH(int, pos);
        QFETCH(int, risultato);
        Modulo2 m;
        m.NumOperazione = 4;
        impostaTermini(m, {65, 30, 69, 34});
        ScriptedRandom rnd;
        rnd.queue({tirata});
        Visualizza1(m, rnd, 1234.5f, kSegnoMeno, kSegnoMeno);
        QCOMPARE(m.PosNascosto, pos);
        QCOMPARE(m.NumOperazione, 5);
        QCOMPARE(m.Risultato, risultato);
        QCOMPARE(m.StrRisultato, QStringLiteral(" %1").arg(risultato));
        QCOMPARE(m.InizioOperazione, 1234.5f);
        QVERIFY(!m.RegistroOperazioni[5].isEmpty());
        QVERIFY(m.RegistroOperazioni[4].isEmpty());
        const QStringList testi{QStringLiteral(" 65"), QStringLiteral(" 30"), QStringLiteral(" 69"),
                                QStringLiteral(" 34")};
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(didascaliaTermine(m, k), k == pos ? QStringLiteral("?") : testi[k - 1]);
    }

    void allineamento_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("spazi");
        QTest::newRow("due cifre") << QStringLiteral(" 45") << QStringLiteral(" ");
        QTest::newRow("una cifra") << QStringLiteral(" 5") << QStringLiteral("  ");
        QTest::newRow("tre cifre: resta com'era") << QStringLiteral(" 123") << QStringLiteral("x");
    }
    void allineamento() {
        QFETCH(QString, testo);
        QFETCH(QString, spazi);
        Modulo2 m;
        for (int k = 1; k <= 4; ++k) {
            m.strNum(k) = testo;
            m.spazi(k) = QStringLiteral("x");
        }
        AllineaNumeri(m);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(m.spazi(k), spazi);
    }

    // The operation line, its padding and "(R." to the character.
    void rigaDelRegistro_data() {
        QTest::addColumn<QList<int>>("termini");
        QTest::addColumn<QString>("segno");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("riga");
        QTest::addColumn<int>("riempimento");
        const QList<int> sottrazione{65, 30, 69, 34};
        QTest::newRow("65-30=69-34, primo nascosto")
            << sottrazione << kSegnoMeno << 1 << QStringLiteral(" ... -   30 =   69 -   34") << 10;
        QTest::newRow("65-30=69-34, secondo nascosto")
            << sottrazione << kSegnoMeno << 2 << QStringLiteral("  65 -  ... =   69 -   34") << 10;
        QTest::newRow("65-30=69-34, terzo nascosto")
            << sottrazione << kSegnoMeno << 3 << QStringLiteral("  65 -   30 =  ... -   34") << 10;
        QTest::newRow("65-30=69-34, quarto nascosto")
            << sottrazione << kSegnoMeno << 4 << QStringLiteral("  65 -   30 =   69 -  ... ") << 9;
        const QList<int> addizione{5, 14, 9, 10};
        QTest::newRow("una cifra, primo nascosto")
            << addizione << kSegnoPiu << 1 << QStringLiteral(" ... +   14 =    9 +   10") << 10;
        QTest::newRow("una cifra, secondo nascosto")
            << addizione << kSegnoPiu << 2 << QStringLiteral("   5 +  ... =    9 +   10") << 10;
        QTest::newRow("una cifra, terzo nascosto")
            << addizione << kSegnoPiu << 3 << QStringLiteral("   5 +   14 =  ... +   10") << 10;
        QTest::newRow("una cifra, quarto nascosto")
            << addizione << kSegnoPiu << 4 << QStringLiteral("   5 +   14 =    9 +  ... ") << 9;
    }
    void rigaDelRegistro() {
        QFETCH(QList<int>, termini);
        QFETCH(QString, segno);
        QFETCH(int, pos);
        QFETCH(QString, riga);
        QFETCH(int, riempimento);
        Modulo2 m;
        m.NumOperazione = 2;
        impostaTermini(m, termini);
        ScriptedRandom rnd;
        rnd.queue({tirataNascosto(pos)});
        Visualizza1(m, rnd, 0.0f, segno, segno);
        QCOMPARE(m.PosNascosto, pos);
        QCOMPARE(m.RegistroOperazioni[3], riga);
        ChiudiRiga(m);
        QCOMPARE(m.Riempimento, QString(riempimento, QLatin1Char(' ')));
        QCOMPARE(m.RegistroOperazioni[3],
                 riga + QString(riempimento, QLatin1Char(' ')) + QStringLiteral("(R."));
        QCOMPARE(m.RegistroOperazioni[3].indexOf(QStringLiteral("(R.")), 35);
    }

    // Scripted draws, four per round, fix the terms; the loop runs until the
    // two sides agree and reseeds only once.
    void generaConTiratePreparate_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QList<int>>("estratti");
        QTest::addColumn<QList<int>>("attesi");
        QTest::addColumn<int>("giri");
        QTest::newRow("sottrazione, scambio su entrambi i lati")
            << 1 << QList<int>{12, 17, 11, 16} << QList<int>{17, 12, 16, 11} << 1;
        QTest::newRow("sottrazione, uguale solo dopo lo scambio")
            << 1 << QList<int>{10, 15, 16, 11} << QList<int>{15, 10, 16, 11} << 1;
        QTest::newRow("sottrazione, differenza zero al secondo giro")
            << 1 << QList<int>{12, 17, 15, 11, 14, 14, 17, 17} << QList<int>{14, 14, 17, 17} << 2;
        QTest::newRow("addizione, nessuno scambio")
            << 2 << QList<int>{11, 12, 13, 14, 10, 19, 15, 14} << QList<int>{10, 19, 15, 14} << 2;
        QTest::newRow("addizione, differenze uguali non bastano")
            << 2 << QList<int>{15, 10, 16, 11, 10, 10, 10, 11, 13, 12, 11, 14} << QList<int>{13, 12, 11, 14}
            << 3;
    }
    void generaConTiratePreparate() {
        QFETCH(int, tipo);
        QFETCH(QList<int>, estratti);
        QFETCH(QList<int>, attesi);
        QFETCH(int, giri);
        Modulo2 m;
        m.NumMin = 10;
        m.NumMax = 20;
        ScriptedRandom rnd;
        for (int v : estratti)
            rnd.queue({tirataPer(v, m.NumMin, m.NumMax)});
        QString segno;
        const int fatti = tipo == 1 ? Genera1(m, rnd, 43200.25f, &segno) : Genera2(m, rnd, 43200.25f, &segno);
        QCOMPARE(fatti, giri);
        QCOMPARE(rnd.reseeds, 1);
        QCOMPARE(rnd.pending(), 0);
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(m.num(k), attesi[k - 1]);
            QCOMPARE(m.strNum(k), QStringLiteral(" %1").arg(attesi[k - 1]));
        }
        QCOMPARE(segno, tipo == 1 ? QStringLiteral(" - ") : QStringLiteral(" + "));
    }

    // Many operations made as the exercise window makes them, from a seeded
    // source: bounds, constraints, and the spread of sign, hidden position
    // and rounds.
    void statisticaDiMolteOperazioni_data() {
        QTest::addColumn<int>("numMin");
        QTest::addColumn<int>("numMax");
        QTest::newRow("10..20") << 10 << 20;
        QTest::newRow("30..70") << 30 << 70;
        QTest::newRow("50..90") << 50 << 90;
    }
    void statisticaDiMolteOperazioni() {
        QFETCH(int, numMin);
        QFETCH(int, numMax);
        constexpr int kOperazioni = 5000;
        Modulo2 m;
        m.NumMin = static_cast<qint16>(numMin);
        m.NumMax = static_cast<qint16>(numMax);
        MixingRandomSource rnd(0x1234abcdULL + static_cast<quint64>(numMin));
        double giriPerTipo[3] = {0, 0, 0};
        int operazioniPerTipo[3] = {0, 0, 0};
        int perPosizione[5] = {0, 0, 0, 0, 0};
        int minimo = numMax, massimo = numMin - 1, differenzeZero = 0;
        float ora = 30000.0f;
        for (int i = 0; i < kOperazioni; ++i) {
            ora += 7.25f;
            m.NumOperazione = static_cast<qint16>(i % 20);
            const int tipo = estraiTipoOperazione(rnd);
            QString segno;
            const int giri = tipo == 1 ? Genera1(m, rnd, ora, &segno) : Genera2(m, rnd, ora, &segno);
            AllineaNumeri(m);
            Visualizza1(m, rnd, ora, segno, segno);
            ChiudiRiga(m);

            giriPerTipo[tipo] += giri;
            ++operazioniPerTipo[tipo];
            ++perPosizione[m.PosNascosto];
            for (int k = 1; k <= 4; ++k) {
                minimo = qMin<int>(minimo, m.num(k));
                massimo = qMax<int>(massimo, m.num(k));
            }
            if (tipo == 1) {
                QVERIFY(m.Num1 >= m.Num2 && m.Num3 >= m.Num4);
                QCOMPARE(m.Num1 - m.Num2, m.Num3 - m.Num4);
                differenzeZero += m.Num1 == m.Num2 ? 1 : 0;
            } else {
                QCOMPARE(m.Num1 + m.Num2, m.Num3 + m.Num4);
            }
            QVERIFY(m.Risultato >= numMin && m.Risultato < numMax);
            QCOMPARE(m.Risultato, m.num(m.PosNascosto));
            QCOMPARE(
                m.RegistroOperazioni[static_cast<size_t>(m.NumOperazione)].indexOf(QStringLiteral("(R.")),
                35);
        }
        QCOMPARE(minimo, numMin);
        QCOMPARE(massimo, numMax - 1);
        QVERIFY(differenzeZero > 0);

        // Sign and hidden position are fair: each count within five standard
        // deviations of its expectation.
        auto equa = [](int conteggio, double p) {
            const double atteso = kOperazioni * p;
            return std::abs(conteggio - atteso) < 5 * std::sqrt(atteso * (1 - p));
        };
        QVERIFY2(equa(operazioniPerTipo[1], 0.5), qPrintable(QString::number(operazioniPerTipo[1])));
        for (int pos = 1; pos <= 4; ++pos)
            QVERIFY2(equa(perPosizione[pos], 0.25), qPrintable(QString::number(perPosizione[pos])));

        // Rounds per operation follow a geometric law; the sample mean must lie
        // within four standard errors of the exact mean.
        for (int tipo = 1; tipo <= 2; ++tipo) {
            const AttesaGiri attesa = attesaGiri(tipo, numMax - numMin);
            const double media = giriPerTipo[tipo] / operazioniPerTipo[tipo];
            const double tolleranza = 4 * attesa.scarto / std::sqrt(operazioniPerTipo[tipo]);
            QVERIFY2(std::abs(media - attesa.media) < tolleranza,
                     qPrintable(QStringLiteral("tipo %1: media %2, attesa %3 ± %4")
                                    .arg(tipo)
                                    .arg(media)
                                    .arg(attesa.media)
                                    .arg(tolleranza)));
        }
    }
};

QTEST_GUILESS_MAIN(TstGeneratore)
#include "tst_generatore.moc"
