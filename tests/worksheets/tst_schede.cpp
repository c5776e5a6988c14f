// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/Generatore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "support/TestSupport.h"
#include "worksheets/Schede.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// The draw that gives `valore` from Int(draw x 30) + 10 (the first range).
float tirata(int valore) {
    return (static_cast<float>(valore - 10) + 0.5f) / 30.0f;
}

// One worksheet operation read back from its teacher line.
struct RigaLetta {
    int termini[4] = {0, 0, 0, 0};
    QChar segno;
    int pos = 0;
};

bool leggiRiga(const QString& docente, RigaLetta* op) {
    const QStringList t = docente.split(u' ', Qt::SkipEmptyParts);
    if (t.size() != 10 || t[3] != u"="_s || t[7] != u"R."_s || t[8] != u"("_s || !t[9].endsWith(u')') ||
        t[1] != t[5] || (t[1] != u"+"_s && t[1] != u"-"_s))
        return false;
    op->segno = t[1][0];
    for (int k = 0; k < 4; ++k) {
        bool ok = true;
        const bool nascosto = t[2 * k] == u"..."_s;
        op->termini[k] = nascosto ? t[9].chopped(1).toInt(&ok) : t[2 * k].toInt(&ok);
        if (!ok || (nascosto && op->pos != 0))
            return false;
        if (nascosto)
            op->pos = k + 1;
    }
    return op->pos != 0;
}

} // namespace

class TstSchede : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The example 15 + 20 = 17 + 18 and its relatives, with the hidden position
    // drawn: the pupil line to the character and the end of the teacher line.
    // The alignment blanks give every term a four-character field, three digits
    // included.
    void righe_data() {
        QTest::addColumn<QList<int>>("termini");
        QTest::addColumn<QString>("segno");
        QTest::addColumn<float>("tirata");
        QTest::addColumn<QString>("alunno");
        QTest::addColumn<QString>("fineDocente");
        const QList<int> esempio{15, 20, 17, 18};
        const float quasiUno = std::nextafter(1.0f, 0.0f);
        QTest::newRow("1") << esempio << kSegnoPiu << 0.0f << u" ...  +   20 =   17 +   18     R."_s
                           << u"R.     ( 15)"_s;
        QTest::newRow("2") << esempio << kSegnoPiu << 0.25f << u"  15 +  ... =   17 +   18     R."_s
                           << u"R.     ( 20)"_s;
        QTest::newRow("3") << esempio << kSegnoPiu << 0.7499f << u"  15 +   20 =  ...  +   18     R."_s
                           << u"R.     ( 17)"_s;
        QTest::newRow("4") << esempio << kSegnoPiu << quasiUno << u"  15 +   20 =   17 +  ...      R."_s
                           << u"R.     ( 18)"_s;
        // One digit: two alignment blanks, also before the answer of the teacher line.
        QTest::newRow("una cifra, 2") << QList<int>{5, 14, 10, 9} << kSegnoMeno << 0.3f
                                      << u"   5 -  ... =   10 -    9     R."_s << u"R.      ( 14)"_s;
        // Three digits: no blanks, also before the answer.
        QTest::newRow("tre cifre, 2") << QList<int>{100, 90, 90, 100} << kSegnoPiu << 0.3f
                                      << u" 100 +  ... =   90 +  100     R."_s << u"R.    ( 90)"_s;
    }
    void righe() {
        QFETCH(QList<int>, termini);
        QFETCH(float, tirata);
        QFETCH(QString, alunno);
        StatoScheda s;
        for (int k = 1; k <= 4; ++k)
            s.strNum(k) = testoConSegno(static_cast<qint64>(termini[k - 1]));
        QFETCH(QString, segno);
        s.Segno = segno;
        AllineaNumeriScheda(s);
        Modulo2 sessione;
        ScriptedRandom rnd;
        rnd.queue({tirata});
        ScriviRigheScheda(s, sessione, rnd, 7);
        QCOMPARE(sessione.RigheAlunni[7], alunno);
        const QString& docente = sessione.RigheDocenti[7];
        QCOMPARE(docente.left(alunno.size()), alunno);
        QTEST(docente.mid(alunno.size() - 2), "fineDocente");
        QCOMPARE(s.StrRisultato, testoConSegno(static_cast<qint64>(termini[s.PosNascosto - 1])));
        // The line alone: nothing else of the session is touched.
        QVERIFY(sessione.PosNascosto == 0 && sessione.StrRisultato.isEmpty() && sessione.NumOperazione == 0 &&
                sessione.Risultato == 0);

        // Lines go to indexes 0 to 65 only.
        Modulo2 bordi;
        for (int i : {-1, 0, 65, 66})
            ScriviRigheScheda(s, bordi, rnd, i);
        QCOMPARE(std::count(bordi.RigheAlunni.begin(), bordi.RigheAlunni.end(), QString()), 64);
        QVERIFY(!bordi.RigheAlunni[0].isEmpty() && !bordi.RigheDocenti[65].isEmpty());
    }

    // Scripted draws at the first range: one reseed per operation; the
    // addition rejects equal sides above NumMax and never swaps, the
    // subtraction swaps each side before comparing. The second term is hidden.
    void generaConTiratePreparate_data() {
        QTest::addColumn<bool>("addizione");
        QTest::addColumn<QList<int>>("valori");
        QTest::addColumn<QString>("termini");
        QTest::addColumn<QString>("segno");
        QTest::addColumn<int>("tentativi");
        QTest::newRow("addizione, lati uguali ma sopra 40")
            << true << QList<int>{21, 20, 20, 21, 19, 21, 20, 20} << u" 19 21 20 20"_s << kSegnoPiu << 2;
        QTest::newRow("addizione, lati di 40 esatti")
            << true << QList<int>{30, 10, 20, 20} << u" 30 10 20 20"_s << kSegnoPiu << 1;
        QTest::newRow("addizione, nessuno scambio")
            << true << QList<int>{10, 15, 14, 11} << u" 10 15 14 11"_s << kSegnoPiu << 1;
        QTest::newRow("addizione, lati diversi")
            << true << QList<int>{10, 15, 14, 12, 10, 10, 10, 10} << u" 10 10 10 10"_s << kSegnoPiu << 2;
        QTest::newRow("sottrazione, uguale dopo lo scambio")
            << false << QList<int>{15, 35, 39, 19} << u" 35 15 39 19"_s << kSegnoMeno << 1;
        QTest::newRow("sottrazione, differenza zero al secondo tentativo")
            << false << QList<int>{30, 20, 12, 11, 35, 35, 12, 12} << u" 35 35 12 12"_s << kSegnoMeno << 2;
    }
    void generaConTiratePreparate() {
        QFETCH(bool, addizione);
        QFETCH(QList<int>, valori);
        StatoScheda s;
        SceltaLivelloScheda(s, 0);
        Modulo2 sessione;
        ScriptedRandom rnd;
        for (int v : valori)
            rnd.queue({tirata(v)});
        rnd.queue({0.375f});
        QTEST(addizione ? GeneraAdd(s, sessione, rnd, 100.0f, 12) : GeneraSot(s, sessione, rnd, 100.0f, 12),
              "tentativi");
        QTEST(s.StrNum1 + s.StrNum2 + s.StrNum3 + s.StrNum4, "termini");
        QTEST(s.Segno, "segno");
        QCOMPARE(rnd.reseeds, 1);
        QCOMPARE(rnd.pending(), 0);
        RigaLetta op;
        QVERIFY(leggiRiga(sessione.RigheDocenti[12], &op));
        QCOMPARE(op.pos, 2);
        QTEST(u" %1 %2 %3 %4"_s.arg(op.termini[0]).arg(op.termini[1]).arg(op.termini[2]).arg(op.termini[3]),
              "termini");
    }

    // Whole worksheets from a seeded source, read back from their teacher
    // lines: every term in range, every equality true, no negative difference,
    // sides of an addition within the range's limit and reaching both ends,
    // both kinds and all four hidden positions, the pupil lines in the records.
    // The highest range can hold no addition at all: its worksheets are all
    // subtractions, made at once.
    void schedeIntere_data() {
        QTest::addColumn<int>("livello");
        QTest::addColumn<int>("schede");
        QTest::newRow("tra 10 e 40") << 0 << 40;
        QTest::newRow("tra 30 e 70") << 1 << 10;
        QTest::newRow("tra 50 e 99") << 2 << 40;
    }
    void schedeIntere() {
        QFETCH(int, livello);
        QFETCH(int, schede);
        const Livello& l = livelloScheda(livello);
        StatoScheda s;
        SceltaLivelloScheda(s, livello);
        Modulo2 sessione;
        ScriptedRandom rnd(0xfeed0000ULL + static_cast<quint64>(livello));
        SettableClock orologio;
        std::set<int> valori, lati, posizioni;
        int differenzeZero = 0;
        for (int n = 0; n < schede; ++n) {
            orologio.advance(1.5f);
            generaSchedaAlunni(s, sessione, rnd, orologio);
            QCOMPARE(rnd.reseeds, (n + 1) * kRigheScheda);
            for (size_t i = 1; i <= kRigheScheda; ++i) {
                const QString &docente = sessione.RigheDocenti[i], &alunno = sessione.RigheAlunni[i];
                RigaLetta op;
                QVERIFY2(leggiRiga(docente, &op), qPrintable(docente));
                QCOMPARE(docente.left(alunno.size()), alunno);
                QCOMPARE(alunno.size(), op.pos == 2 ? 32 : 33);
                QCOMPARE(docente.size(), alunno.size() + 10);
                QCOMPARE(sessione.RegistroOperazioni[i], alunno);
                const int* t = op.termini;
                for (int k = 0; k < 4; ++k) {
                    QVERIFY2(t[k] >= l.numMin && t[k] < l.numMax, qPrintable(docente));
                    valori.insert(t[k]);
                }
                posizioni.insert(op.pos);
                if (op.segno == u'+') {
                    QCOMPARE(t[0] + t[1], t[2] + t[3]);
                    QVERIFY2(t[0] + t[1] <= l.numMax, qPrintable(docente));
                    lati.insert(t[0] + t[1]);
                } else {
                    QCOMPARE(t[0] - t[1], t[2] - t[3]);
                    QVERIFY2(t[0] >= t[1] && t[2] >= t[3], qPrintable(docente));
                    differenzeZero += t[0] == t[1];
                }
            }
        }
        // The records beyond the worksheet are not touched.
        QVERIFY(sessione.RegistroOperazioni[0].isEmpty() && sessione.RigheAlunni[61].isEmpty());
        QCOMPARE(*valori.begin(), int(l.numMin));
        QCOMPARE(*valori.rbegin(), l.numMax - 1);
        QVERIFY(differenzeZero > 0);
        QCOMPARE(posizioni.size(), size_t(4));
        // Additions where some can be made; the limit itself is allowed: some
        // sides add up to NumMax exactly.
        QCOMPARE(lati.empty() ? 0 : *lati.rbegin(), addizionePossibile(s) ? int(l.numMax) : 0);
        if (!addizionePossibile(s)) {
            // Without the fallback the addition would never end.
            QVERIFY(GeneraAdd(s, sessione, rnd, 1.0f, 1) < 1000);
            QCOMPARE(s.Segno, kSegnoMeno);
        }
    }
};

QTEST_GUILESS_MAIN(TstSchede)
#include "tst_schede.moc"
