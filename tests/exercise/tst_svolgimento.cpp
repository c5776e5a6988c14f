#include "exercise/Generatore.h"
#include "exercise/Svolgimento.h"
#include "platform/RandomSource.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {

// The keypad as the window drives it, with the hidden term's label: "?" until
// something is typed, then whatever the answer is.
struct Tastierino {
    Modulo2& m;
    QString nascosta = QStringLiteral("?");

    // A digit, 'C' for "Cancella", 'N' for a refused help (the label goes back
    // to "?" while the answer stays).
    void premi(QChar tasto) {
        if (tasto == QLatin1Char('N')) {
            nascosta = QStringLiteral("?");
            return;
        }
        if (tasto == QLatin1Char('C'))
            cancellaCifra(m);
        else
            aggiungiCifra(m, nascosta, QString(tasto));
        nascosta = m.Risposta;
    }
    void digita(const QString& tasti) {
        for (QChar t : tasti)
            premi(t);
    }
};

// A check of the current answer, as "Verifica" judges and records it.
void verifica(Modulo2& m) {
    if (rispostaEsatta(m))
        registraRispostaEsatta(m);
    else
        registraRispostaErrata(m);
}

// Makes the subtraction 65 - 30 = 69 - 34 with the last term hidden, through
// the same steps as the exercise window, from scripted draws.
void operazioneDiEsempio(Modulo2& m) {
    m.NumMin = 30;
    m.NumMax = 70;
    ScriptedRandom rnd;
    rnd.queue({0.1f}); // subtraction
    for (int v : {65, 30, 69, 34})
        rnd.queue({(static_cast<float>(v - 30) + 0.5f) / 40.0f});
    rnd.queue({0.9f}); // fourth term hidden
    preparaOperazione(m);
    QString segno;
    QCOMPARE(estraiTipoOperazione(rnd), 1);
    Genera1(m, rnd, 36000.0f, &segno);
    AllineaNumeri(m);
    Visualizza1(m, rnd, 36000.0f, segno, segno);
    ChiudiRiga(m);
}

} // namespace

class TstSvolgimento : public QObject {
    Q_OBJECT

private slots:
    void nuovaSerie() {
        Modulo2 m;
        for (QString& r : m.RegistroOperazioni)
            r = QStringLiteral("vecchio");
        m.RisposteEsatte = 7;
        m.RisposteErrate = 25;
        m.NumOperazione = 20;
        m.OperazioneMostrata = 20;
        m.RifiutiAiuto = 2;
        m.TempoParziale = 12;
        m.TempoTotale = 345;
        m.StrTempoTotale = QStringLiteral(" 345");
        azzeraSerie(m);
        QCOMPARE(m.RisposteEsatte, 0);
        QCOMPARE(m.RisposteErrate, 0);
        QCOMPARE(m.NumOperazione, 0);
        QCOMPARE(m.OperazioneMostrata, 0);
        QCOMPARE(m.RifiutiAiuto, 0);
        QCOMPARE(m.TempoParziale, 0.0f);
        QCOMPARE(m.TempoTotale, 0.0f);
        QCOMPARE(m.StrTempoTotale, QString());
        for (size_t i = 0; i < m.RegistroOperazioni.size(); ++i) {
            const bool svuotato = i >= 1 && i <= 20;
            QCOMPARE(m.RegistroOperazioni[i], svuotato ? QString() : QStringLiteral("vecchio"));
        }
    }

    // A whole run: each operation gets the next record, and the run is
    // complete exactly when the 20th has been made.
    void unaSerieDiVentiOperazioni() {
        Modulo2 m;
        m.NumMin = 10;
        m.NumMax = 20;
        MixingRandomSource rnd(77);
        azzeraSerie(m);
        azzeraTempoTotale(m);
        for (int n = 1; n <= 20; ++n) {
            QVERIFY(!serieCompleta(m));
            m.Risposta = QStringLiteral("12");
            m.RifiutiAiuto = 2;
            preparaOperazione(m);
            QCOMPARE(m.Risposta, QString());
            QCOMPARE(m.StrRisultato, QString());
            QCOMPARE(m.RifiutiAiuto, 0);
            QCOMPARE(m.OperazioneMostrata, n);
            QString segno;
            if (estraiTipoOperazione(rnd) == 1)
                Genera1(m, rnd, 100.0f * n, &segno);
            else
                Genera2(m, rnd, 100.0f * n, &segno);
            AllineaNumeri(m);
            Visualizza1(m, rnd, 100.0f * n, segno, segno);
            ChiudiRiga(m);
            QCOMPARE(m.NumOperazione, n);
            QCOMPARE(m.RegistroOperazioni[static_cast<size_t>(n)].size(), 38);
        }
        QVERIFY(serieCompleta(m));
        QCOMPARE(m.RegistroOperazioni[0], QString());
        QCOMPARE(m.RegistroOperazioni[21], QString());
    }

    void tastierino_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("risposta");
        QTest::newRow("al massimo quattro cifre") << QStringLiteral("12345") << QStringLiteral("1234");
        QTest::newRow("cancella e ricomincia") << QStringLiteral("4C7") << QStringLiteral("7");
        QTest::newRow("cancella per primo") << QStringLiteral("C") << QStringLiteral("?");
        QTest::newRow("cancella due volte") << QStringLiteral("CC") << QStringLiteral("?");
        QTest::newRow("cancella poi cifra") << QStringLiteral("C5") << QStringLiteral("5");
        QTest::newRow("zeri iniziali restano") << QStringLiteral("007") << QStringLiteral("007");
        QTest::newRow("aiuto rifiutato, nuova cifra") << QStringLiteral("12N5") << QStringLiteral("5");
        QTest::newRow("aiuto rifiutato, cancella") << QStringLiteral("12NC") << QStringLiteral("1");
        QTest::newRow("aiuto rifiutato, cancella e cifra") << QStringLiteral("12NC5") << QStringLiteral("15");
    }
    void tastierino() {
        QFETCH(QString, tasti);
        QFETCH(QString, risposta);
        Modulo2 m;
        Tastierino t{m};
        t.digita(tasti);
        QCOMPARE(m.Risposta, risposta);
    }

    // Judging compares trimmed texts; every check counts and extends the
    // record by the answer as typed and its mark.
    void giudizio_data() {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<bool>("esatta");
        QTest::newRow("17") << QStringLiteral("17") << true;
        QTest::newRow("con spazio") << QStringLiteral(" 17") << true;
        QTest::newRow("zero iniziale") << QStringLiteral("017") << false;
        QTest::newRow("vuota") << QString() << false;
        QTest::newRow("punto interrogativo") << QStringLiteral("?") << false;
        QTest::newRow("cifra in più") << QStringLiteral("171") << false;
    }
    void giudizio() {
        QFETCH(QString, risposta);
        QFETCH(bool, esatta);
        Modulo2 m;
        m.NumOperazione = 3;
        m.RegistroOperazioni[3] = QStringLiteral("riga(R.");
        m.StrRisultato = QStringLiteral(" 17");
        m.Risposta = risposta;
        m.RisposteEsatte = 4;
        m.RisposteErrate = 6;
        QCOMPARE(rispostaEsatta(m), esatta);
        verifica(m);
        const QString marca = esatta ? QStringLiteral("  ") : QStringLiteral("* ");
        QCOMPARE(m.MarcaEsito, marca);
        QCOMPARE(m.RegistroOperazioni[3], QStringLiteral("riga(R.") + risposta + marca);
        QCOMPARE(m.RisposteEsatte, esatta ? 5 : 4);
        QCOMPARE(m.RisposteErrate, esatta ? 6 : 7);
        QCOMPARE(m.Risposta, risposta);
    }

    // The four ways an operation can end, recorded through the keypad,
    // judging and correction.
    void registroDiUnaOperazione_data() {
        QTest::addColumn<QStringList>("risposte");
        QTest::addColumn<bool>("corretta");
        QTest::addColumn<QString>("coda");
        QTest::addColumn<int>("errate");
        QTest::newRow("esatta subito")
            << QStringList{QStringLiteral("34")} << false << QStringLiteral("34  ") << 0;
        QTest::newRow("errata poi esatta") << QStringList{QStringLiteral("43"), QStringLiteral("34")} << false
                                           << QStringLiteral("43* 34  ") << 1;
        QTest::newRow("errata, aiuto accettato")
            << QStringList{QStringLiteral("43")} << true << QStringLiteral("43*  34°") << 1;
        QTest::newRow("tre rifiuti, intervengo io")
            << QStringList{QStringLiteral("43"), QStringLiteral("44"), QStringLiteral("45")} << true
            << QStringLiteral("43* 44* 45*  34°") << 3;
    }
    void registroDiUnaOperazione() {
        QFETCH(QStringList, risposte);
        QFETCH(bool, corretta);
        QFETCH(QString, coda);
        QFETCH(int, errate);
        Modulo2 m;
        azzeraSerie(m);
        operazioneDiEsempio(m);
        QCOMPARE(m.StrRisultato, QStringLiteral(" 34"));
        Tastierino t{m};
        for (qsizetype i = 0; i < risposte.size(); ++i) {
            if (i > 0)
                t.premi(QLatin1Char('N'));
            t.digita(risposte[i]);
            verifica(m);
        }
        if (corretta)
            registraCorrezione(m);
        const QString inizio = QStringLiteral("  65 -   30 =   69 -  ... ") + QString(9, QLatin1Char(' ')) +
                               QStringLiteral("(R.");
        QCOMPARE(m.RegistroOperazioni[1], inizio + coda);
        QCOMPARE(m.RisposteErrate, errate);
        QCOMPARE(m.RisposteEsatte, corretta ? 0 : 1);
        QCOMPARE(m.NumOperazione, 1);
    }

    // Several wrong checks on one operation each count.
    void erratePiuDelleOperazioni() {
        Modulo2 m;
        azzeraSerie(m);
        operazioneDiEsempio(m);
        Tastierino t{m};
        for (const char* tasti : {"1", "N2", "N3", "N"}) {
            t.digita(QString::fromLatin1(tasti));
            verifica(m);
        }
        QCOMPARE(m.NumOperazione, 1);
        QCOMPARE(m.RisposteErrate, 4);
        QVERIFY(m.RegistroOperazioni[1].endsWith(QStringLiteral("(R.1* 2* 3* 3* ")));
    }

    void tempi_data() {
        QTest::addColumn<float>("inizio");
        QTest::addColumn<QList<float>>("verifiche");
        QTest::addColumn<float>("totaleIniziale");
        QTest::addColumn<QString>("parziale");
        QTest::addColumn<QString>("totale");
        QTest::addColumn<QString>("didascaliaParziale");
        QTest::addColumn<QString>("didascaliaTotale");
        QTest::newRow("frazioni per difetto")
            << 36000.25f << QList<float>{36004.0f} << 0.0f << QStringLiteral(" 3") << QStringLiteral(" 3")
            << QStringLiteral(" 3") << QStringLiteral(" 3");
        QTest::newRow("99 s non limitato")
            << 36000.0f << QList<float>{36099.0f} << 0.0f << QStringLiteral(" 99") << QStringLiteral(" 99")
            << QStringLiteral(" 99") << QStringLiteral(" 99");
        QTest::newRow("130 s limitato a 99")
            << 36000.0f << QList<float>{36130.0f} << 0.0f << QStringLiteral(" 130") << QStringLiteral(" 130")
            << QStringLiteral("99") << QStringLiteral(" 130");
        QTest::newRow("tre verifiche a 4, 10 e 15 s")
            << 36000.0f << QList<float>{36004.0f, 36010.0f, 36015.0f} << 0.0f << QStringLiteral(" 15")
            << QStringLiteral(" 29") << QStringLiteral(" 15") << QStringLiteral(" 29");
        QTest::newRow("totale 999 non limitato")
            << 36000.0f << QList<float>{36010.0f} << 989.0f << QStringLiteral(" 10") << QStringLiteral(" 999")
            << QStringLiteral(" 10") << QStringLiteral(" 999");
        QTest::newRow("totale oltre 999")
            << 36000.0f << QList<float>{36010.0f} << 990.0f << QStringLiteral(" 10")
            << QStringLiteral(" 1000") << QStringLiteral(" 10") << QStringLiteral("999");
        QTest::newRow("mezzanotte") << 86395.5f << QList<float>{10.0f} << 0.0f << QStringLiteral(" 14")
                                    << QStringLiteral(" 14") << QStringLiteral(" 14")
                                    << QStringLiteral(" 14");
        QTest::newRow("mezzanotte, seconda verifica")
            << 86399.0f << QList<float>{0.5f, 3.0f} << 0.0f << QStringLiteral(" 4") << QStringLiteral(" 5")
            << QStringLiteral(" 4") << QStringLiteral(" 5");
    }
    void tempi() {
        QFETCH(float, inizio);
        QFETCH(QList<float>, verifiche);
        QFETCH(float, totaleIniziale);
        QFETCH(QString, parziale);
        QFETCH(QString, totale);
        QFETCH(QString, didascaliaParziale);
        QFETCH(QString, didascaliaTotale);
        Modulo2 m;
        m.InizioOperazione = inizio;
        m.TempoTotale = totaleIniziale;
        for (float ora : verifiche)
            misuraTempi(m, ora);
        QCOMPARE(m.OraVerifica, verifiche.last());
        QCOMPARE(m.StrTempoParziale, parziale);
        QCOMPARE(m.StrTempoTotale, totale);
        QCOMPARE(didascaliaTempoParziale(m), didascaliaParziale);
        QCOMPARE(didascaliaTempoTotale(m), didascaliaTotale);
        QCOMPARE(m.TempoParziale, parziale.trimmed().toFloat());
        QCOMPARE(m.TempoTotale, totale.trimmed().toFloat());
    }
};

QTEST_GUILESS_MAIN(TstSvolgimento)
#include "tst_svolgimento.moc"
