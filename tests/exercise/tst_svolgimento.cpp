// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "exercise/Generatore.h"
#include "exercise/Svolgimento.h"
#include "platform/RandomSource.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Keys as the exercise window handles them: digits, 'C' for "Cancella",
// 'V' for "Verifica", 'N' for a refused help (the hidden term's label goes
// back to "?" while the answer stays), 'A' for an accepted one. The label
// shows "?" until something is typed, then the answer.
void premi(Modulo2& m, const QString& tasti) {
    QString etichetta = u"?"_s;
    for (QChar t : tasti) {
        if (t == u'V')
            rispostaEsatta(m) ? registraRispostaEsatta(m) : registraRispostaErrata(m);
        else if (t == u'A')
            registraCorrezione(m);
        else if (t == u'C')
            cancellaCifra(m);
        else if (t != u'N')
            aggiungiCifra(m, etichetta, QString(t));
        etichetta = t == u'N' || t == u'A' ? u"?"_s : m.Risposta;
    }
}

// Makes the next operation through the same steps as the exercise window.
void faiOperazione(Modulo2& m, RandomSource& rnd, float ora) {
    preparaOperazione(m);
    QString segno;
    if (estraiTipoOperazione(rnd) == 1)
        Genera1(m, rnd, ora, &segno);
    else
        Genera2(m, rnd, ora, &segno);
    AllineaNumeri(m);
    Visualizza1(m, rnd, ora, segno, segno);
    ChiudiRiga(m);
}

} // namespace

class TstSvolgimento : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A new run empties counters, times and records 1 to 20 only; then each
    // operation gets the next record, and the run is complete exactly when
    // the 20th has been made.
    void unaSerie() {
        Modulo2 m;
        m.RegistroOperazioni.fill(u"vecchio"_s);
        m.RisposteEsatte = m.RisposteErrate = m.NumOperazione = m.OperazioneMostrata = m.RifiutiAiuto = 7;
        m.TempoParziale = m.TempoTotale = 345;
        m.StrTempoTotale = u" 345"_s;
        azzeraSerie(m);
        const QList<float> azzerati{float(m.RisposteEsatte), float(m.RisposteErrate),
                                    float(m.NumOperazione),  float(m.OperazioneMostrata),
                                    float(m.RifiutiAiuto),   m.TempoParziale,
                                    m.TempoTotale,           float(m.StrTempoTotale.size())};
        QCOMPARE(azzerati, QList<float>(8, 0.0f));
        for (size_t i = 0; i < m.RegistroOperazioni.size(); ++i)
            QCOMPARE(m.RegistroOperazioni[i], i >= 1 && i <= 20 ? QString() : u"vecchio"_s);

        m.NumMin = 10;
        m.NumMax = 20;
        SeededRandom rnd(77);
        for (int n = 1; n <= 20; ++n) {
            QVERIFY(!serieCompleta(m));
            m.Risposta = u"12"_s;
            faiOperazione(m, rnd, 100.0f * static_cast<float>(n));
            QCOMPARE(m.Risposta, QString());
            QCOMPARE(m.OperazioneMostrata, n);
            QCOMPARE(m.RegistroOperazioni[static_cast<size_t>(n)].size(), 38);
        }
        QVERIFY(serieCompleta(m));
        QCOMPARE(m.RegistroOperazioni[21], u"vecchio"_s);
    }

    // Keypad, judging and record on 65 - 30 = 69 - 34 with the last term
    // hidden. Judging compares trimmed texts (" 34" against "34"); every check
    // counts and extends the record by the answer as typed and its mark.
    void registroDiUnaOperazione_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("coda");
        QTest::newRow("esatta subito") << u"34V"_s << u"34  "_s;
        QTest::newRow("errata poi esatta") << u"43VN34V"_s << u"43* 34  "_s;
        QTest::newRow("errata, aiuto accettato") << u"43VA"_s << u"43*  34°"_s;
        QTest::newRow("tre rifiuti, intervengo io") << u"43VN44VN45VA"_s << u"43* 44* 45*  34°"_s;
        QTest::newRow("zero iniziale") << u"034V"_s << u"034* "_s;
        QTest::newRow("vuota") << u"V"_s << u"* "_s;
        QTest::newRow("cancella per primo") << u"CV"_s << u"?* "_s;
        QTest::newRow("al massimo quattro cifre") << u"12345V"_s << u"1234* "_s;
        QTest::newRow("cancella e ricomincia") << u"4C7V"_s << u"7* "_s;
        QTest::newRow("aiuto rifiutato, nuova cifra") << u"12VN5V"_s << u"12* 5* "_s;
        QTest::newRow("aiuto rifiutato, cancella") << u"12VNCV"_s << u"12* 1* "_s;
    }
    void registroDiUnaOperazione() {
        QFETCH(QString, tasti);
        QFETCH(QString, coda);
        Modulo2 m;
        m.NumMin = 30;
        m.NumMax = 70;
        ScriptedRandom rnd;
        rnd.queue({0.1f}); // subtraction
        for (int v : {65, 30, 69, 34})
            rnd.queue({(static_cast<float>(v - 30) + 0.5f) / 40.0f});
        rnd.queue({0.9f}); // fourth term hidden
        faiOperazione(m, rnd, 36000.0f);
        premi(m, tasti);
        QCOMPARE(m.RegistroOperazioni[1], u"  65 -   30 =   69 -  ...          (R."_s + coda);
        QCOMPARE(m.RisposteErrate, coda.count(u'*'));
        QCOMPARE(m.RisposteEsatte, coda.endsWith(u"  "_s) ? 1 : 0);
    }

    // Partial and total times from clock readings, and their captions.
    void tempi_data() {
        QTest::addColumn<QList<float>>("orari"); // shown, then each check
        QTest::addColumn<QString>("testi");      // partial, total, then their captions
        QTest::newRow("130 s limitato a 99, totale oltre 999")
            << QList<float>{36000.0f, 36870.0f, 36130.0f} << u" 130| 1000|99|999"_s;
        QTest::newRow("tre verifiche a 4, 10 e 15 s")
            << QList<float>{36000.0f, 36004.0f, 36010.0f, 36015.0f} << u" 15| 29| 15| 29"_s;
        QTest::newRow("99 s e totale 999 non limitati")
            << QList<float>{36000.0f, 36900.0f, 36099.0f} << u" 99| 999| 99| 999"_s;
        QTest::newRow("mezzanotte, per difetto") << QList<float>{86395.5f, 10.0f} << u" 14| 14| 14| 14"_s;
    }
    void tempi() {
        QFETCH(QList<float>, orari);
        Modulo2 m;
        m.InizioOperazione = orari.takeFirst();
        for (float ora : orari)
            misuraTempi(m, ora);
        const QStringList testi{m.StrTempoParziale, m.StrTempoTotale, didascaliaTempoParziale(m),
                                didascaliaTempoTotale(m)};
        QTEST(testi.join(u'|'), "testi");
        // The end of a run is spoken with the total time as shown.
        m.RisposteEsatte = 19;
        m.RisposteErrate = 2;
        QCOMPARE(riepilogoDetto(m), u"Risposte esatte: 19. Risposte errate: 2. Tempo totale: "_s +
                                        didascaliaTempoTotale(m).trimmed() + u" secondi"_s);
        m.TempoTotale = 1;
        m.StrTempoTotale = u" 1"_s;
        QVERIFY(riepilogoDetto(m).endsWith(u"Tempo totale: 1 secondo"_s));
    }

    // The row as a screen reader is given it: signs and the hidden term in words.
    void rigaDetta_data() {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("detta");
        QTest::newRow("hidden term") << u"18 + ? = 18 + 10"_s << u"18 più quanto uguale 18 più 10"_s;
        QTest::newRow("answer typed, blanks of the captions")
            << u" 48  -  7 =  44  -  3"_s << u"48 meno 7 uguale 44 meno 3"_s;
        QTest::newRow("hidden last, subtraction")
            << u"17 - 13 = 16 - ?"_s << u"17 meno 13 uguale 16 meno quanto"_s;
        QTest::newRow("nothing shown") << QString() << QString();
    }
    void rigaDetta() {
        QFETCH(QString, riga);
        QTEST(::rigaDetta(riga), "detta");
    }
};

QTEST_GUILESS_MAIN(TstSvolgimento)
#include "tst_svolgimento.moc"
