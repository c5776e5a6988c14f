#include "exercise/Generatore.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"
#include "worksheets/Schede.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <set>

using namespace Qt::StringLiterals;

namespace {

const float kQuasiUno = std::nextafter(1.0f, 0.0f);

// The draw that gives `valore` from Int(draw x (max - min)) + min.
float tirata(int valore, int numMin, int numMax) {
    return (static_cast<float>(valore - numMin) + 0.5f) / static_cast<float>(numMax - numMin);
}
// The draw that hides position 1 to 4.
float posizione(int pos) {
    return (static_cast<float>(pos) - 0.5f) / 4.0f;
}

// A seeded source that stops the test instead of spinning for ever.
class SorgenteLimitata final : public RandomSource {
public:
    explicit SorgenteLimitata(quint64 seme) : dentro_(seme) {}
    float next() override {
        if (++tirate > 50'000'000)
            qFatal("no end to the draws");
        return dentro_.next();
    }
    void reseed(float ora) override {
        ++reseeds;
        dentro_.reseed(ora);
    }
    qint64 tirate = 0;
    int reseeds = 0;

private:
    MixingRandomSource dentro_;
};

// One worksheet operation read back from its teacher line.
struct Operazione {
    int termini[4] = {0, 0, 0, 0};
    QChar segno;
    int pos = 0;
    int risposta = 0;
};

bool leggiRiga(const QString& docente, Operazione* op) {
    const QStringList t = docente.split(u' ', Qt::SkipEmptyParts);
    if (t.size() != 10 || t[3] != u"="_s || t[7] != u"R."_s || t[8] != u"("_s || !t[9].endsWith(u')') ||
        t[1] != t[5] || (t[1] != u"+"_s && t[1] != u"-"_s))
        return false;
    op->segno = t[1][0];
    op->risposta = t[9].chopped(1).toInt();
    const int campi[4] = {0, 2, 4, 6};
    for (int k = 0; k < 4; ++k) {
        if (t[campi[k]] == u"..."_s) {
            if (op->pos != 0)
                return false;
            op->pos = k + 1;
            op->termini[k] = op->risposta;
        } else {
            bool ok = false;
            op->termini[k] = t[campi[k]].toInt(&ok);
            if (!ok)
                return false;
        }
    }
    return op->pos != 0;
}

} // namespace

class TstSchede : public QObject {
    Q_OBJECT

private slots:
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
        QTest::newRow("1") << esempio << kSegnoPiu << 0.0f << u" ...  +   20 =   17 +   18     R."_s
                           << u"R.     ( 15)"_s;
        QTest::newRow("2") << esempio << kSegnoPiu << 0.25f << u"  15 +  ... =   17 +   18     R."_s
                           << u"R.     ( 20)"_s;
        QTest::newRow("3") << esempio << kSegnoPiu << 0.7499f << u"  15 +   20 =  ...  +   18     R."_s
                           << u"R.     ( 17)"_s;
        QTest::newRow("4") << esempio << kSegnoPiu << kQuasiUno << u"  15 +   20 =   17 +  ...      R."_s
                           << u"R.     ( 18)"_s;
        QTest::newRow("sottrazione, 3") << QList<int>{65, 30, 69, 34} << kSegnoMeno << 0.5f
                                        << u"  65 -   30 =  ...  -   34     R."_s << u"R.     ( 69)"_s;
        // One digit: two alignment blanks, also before the answer of the teacher line.
        QTest::newRow("una cifra, 2") << QList<int>{5, 14, 9, 10} << kSegnoPiu << 0.3f
                                      << u"   5 +  ... =    9 +   10     R."_s << u"R.     ( 14)"_s;
        QTest::newRow("una cifra in fondo, 1")
            << QList<int>{12, 10, 11, 9} << kSegnoMeno << 0.1f << u" ...  -   10 =   11 -    9     R."_s
            << u"R.      ( 12)"_s;
        QTest::newRow("tre cifre, 4") << QList<int>{100, 20, 90, 30} << kSegnoPiu << 0.9f
                                      << u" 100 +   20 =   90 +  ...      R."_s << u"R.     ( 30)"_s;
        QTest::newRow("tre cifre in fondo, 2") << QList<int>{20, 90, 10, 100} << kSegnoPiu << 0.3f
                                               << u"  20 +  ... =   10 +  100     R."_s << u"R.    ( 90)"_s;
    }
    void righe() {
        QFETCH(QList<int>, termini);
        QFETCH(QString, segno);
        QFETCH(float, tirata);
        QFETCH(QString, alunno);
        QFETCH(QString, fineDocente);
        StatoScheda s;
        for (int k = 1; k <= 4; ++k)
            s.strNum(k) = testoConSegno(static_cast<qint64>(termini[k - 1]));
        s.Segno = segno;
        AllineaNumeriScheda(s);
        Modulo2 sessione;
        ScriptedRandom rnd;
        rnd.queue({tirata});
        ScriviRigheScheda(s, sessione, rnd, 7);
        QCOMPARE(sessione.RigheAlunni[7], alunno);
        const QString& docente = sessione.RigheDocenti[7];
        QCOMPARE(docente.left(alunno.size()), alunno);
        QCOMPARE(docente.mid(alunno.size() - 2), fineDocente);
        QCOMPARE(alunno.size(), s.PosNascosto == 2 ? 32 : 33);
        QCOMPARE(s.StrRisultato, testoConSegno(static_cast<qint64>(termini[s.PosNascosto - 1])));
        // The line alone: nothing else of the session is touched.
        QCOMPARE(sessione.PosNascosto, 0);
        QVERIFY(sessione.StrRisultato.isEmpty());
        QCOMPARE(sessione.NumOperazione, 0);
        QCOMPARE(sessione.Risultato, 0);
    }

    // Lines go to indexes 0 to 65 only; the hidden position is drawn anyway.
    void indiciDelleRighe_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("scritta");
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("65") << 65 << true;
        QTest::newRow("66") << 66 << false;
    }
    void indiciDelleRighe() {
        QFETCH(int, indice);
        QFETCH(bool, scritta);
        StatoScheda s;
        for (int k = 1; k <= 4; ++k)
            s.strNum(k) = u" 1%1"_s.arg(k);
        s.Segno = kSegnoPiu;
        AllineaNumeriScheda(s);
        Modulo2 sessione;
        MixingRandomSource rnd(3);
        ScriviRigheScheda(s, sessione, rnd, indice);
        QVERIFY(s.PosNascosto >= 1 && s.PosNascosto <= 4);
        int scritte = 0;
        for (size_t i = 0; i < sessione.RigheAlunni.size(); ++i)
            scritte += !sessione.RigheAlunni[i].isEmpty() + !sessione.RigheDocenti[i].isEmpty();
        QCOMPARE(scritte, scritta ? 2 : 0);
    }

    // Scripted draws, terms from Int(draw x 30) + 10 (the first range): one
    // reseed per operation; the addition rejects equal sides above NumMax and
    // never swaps, the subtraction swaps each side before comparing.
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
        sessione.Indice = 12;
        ScriptedRandom rnd;
        for (int v : valori)
            rnd.queue({tirata(v, 10, 40)});
        rnd.queue({posizione(2)});
        QTEST(addizione ? GeneraAdd(s, sessione, rnd, 100.0f) : GeneraSot(s, sessione, rnd, 100.0f),
              "tentativi");
        QTEST(s.StrNum1 + s.StrNum2 + s.StrNum3 + s.StrNum4, "termini");
        QTEST(s.Segno, "segno");
        QCOMPARE(rnd.reseeds, 1);
        QCOMPARE(rnd.pending(), 0);
        QCOMPARE(s.PosNascosto, 2);
        QCOMPARE(s.Spazi4Scheda, u" "_s);
        Operazione op;
        QVERIFY(leggiRiga(sessione.RigheDocenti[12], &op));
        QCOMPARE(op.pos, 2);
        QCOMPARE(op.segno, s.Segno[1]);
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(op.termini[k - 1], int(s.num(k)));
        QCOMPARE(sessione.RigheDocenti[12].left(32), sessione.RigheAlunni[12]);
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
        const LivelloScheda& l = livelloScheda(livello);
        StatoScheda s;
        SceltaLivelloScheda(s, livello);
        QCOMPARE(s.NumMin, l.numMin);
        QCOMPARE(s.NumMax, l.numMax);
        QCOMPARE(s.TestoLivello, l.testo);
        Modulo2 sessione;
        SorgenteLimitata rnd(0xfeed0000ULL + static_cast<quint64>(livello));
        SettableClock orologio;
        std::set<int> valori, lati;
        int perSegno[2] = {0, 0}, perPosizione[5] = {0, 0, 0, 0, 0}, differenzeZero = 0;
        for (int n = 0; n < schede; ++n) {
            orologio.advance(1.5f);
            sessione.TipoScheda = 2;
            generaSchedaAlunni(s, sessione, rnd, orologio);
            QCOMPARE(sessione.TipoScheda, 1);
            QCOMPARE(rnd.reseeds, (n + 1) * kRigheScheda);
            for (int i = 1; i <= kRigheScheda; ++i) {
                const QString& docente = sessione.RigheDocenti[static_cast<size_t>(i)];
                const QString& alunno = sessione.RigheAlunni[static_cast<size_t>(i)];
                Operazione op;
                QVERIFY2(leggiRiga(docente, &op), qPrintable(docente));
                QCOMPARE(docente.left(alunno.size()), alunno);
                QCOMPARE(alunno.size(), op.pos == 2 ? 32 : 33);
                QCOMPARE(docente.size(), alunno.size() + 10);
                QCOMPARE(sessione.RegistroOperazioni[static_cast<size_t>(i)], alunno);
                const int* t = op.termini;
                for (int k = 0; k < 4; ++k) {
                    QVERIFY2(t[k] >= l.numMin && t[k] < l.numMax, qPrintable(docente));
                    valori.insert(t[k]);
                }
                ++perPosizione[op.pos];
                if (op.segno == u'+') {
                    ++perSegno[0];
                    QCOMPARE(t[0] + t[1], t[2] + t[3]);
                    QVERIFY2(t[0] + t[1] <= l.numMax, qPrintable(docente));
                    lati.insert(t[0] + t[1]);
                } else {
                    ++perSegno[1];
                    QCOMPARE(t[0] - t[1], t[2] - t[3]);
                    QVERIFY2(t[0] >= t[1] && t[2] >= t[3], qPrintable(docente));
                    differenzeZero += t[0] == t[1];
                }
            }
        }
        // The records beyond the worksheet are not touched.
        QVERIFY(sessione.RegistroOperazioni[0].isEmpty());
        QVERIFY(sessione.RigheAlunni[61].isEmpty());
        QCOMPARE(*valori.begin(), int(l.numMin));
        QCOMPARE(*valori.rbegin(), l.numMax - 1);
        QVERIFY(differenzeZero > 0);
        for (int pos = 1; pos <= 4; ++pos)
            QVERIFY(perPosizione[pos] > 0);
        QVERIFY(perSegno[1] > 0);
        if (addizionePossibile(s)) {
            QVERIFY(perSegno[0] > 0);
            // The limit itself is allowed: some sides add up to NumMax exactly.
            QCOMPARE(*lati.rbegin(), int(l.numMax));
        } else {
            QCOMPARE(perSegno[0], 0);
            // A subtraction takes a few dozen attempts; sixty of them are quick.
            QVERIFY(rnd.tirate < static_cast<qint64>(schede) * kRigheScheda * 4 * 200);
        }
    }
};

QTEST_GUILESS_MAIN(TstSchede)
#include "tst_schede.moc"
