// The certificate without any window: grade, printability, the name's final
// form, the 25 lines with their styles, and where the printout puts the picture.

#include "results/Attestato.h"
#include "results/StampaAttestato.h"
#include "session/Modulo2.h"

#include <QtTest>

class TstAttestato : public QObject {
    Q_OBJECT

    static Modulo2& m() { return Modulo2::get(); }

private slots:
    void init() { Modulo2::reset(); }

    void giudizio_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<QString>("giudizio");
        QTest::newRow("20 su 20: 10") << 20 << 20 << "OTTIMO";
        QTest::newRow("18 su 20: 9") << 18 << 20 << "OTTIMO";
        QTest::newRow("17 su 20: 8.5 per difetto") << 17 << 20 << "DISTINTO";
        QTest::newRow("14 su 20: 7") << 14 << 20 << "BUONO";
        QTest::newRow("12 su 20: 6") << 12 << 20 << "SUFFICIENTE";
        QTest::newRow("10 su 20: 5") << 10 << 20 << "SUFFICIENTE (!)";
        QTest::newRow("9 su 20: 4") << 9 << 20 << "Non classificato";
        QTest::newRow("2 su 3: 6.67 per difetto") << 2 << 3 << "SUFFICIENTE";
        QTest::newRow("1 su 3: 3") << 1 << 3 << "Non classificato";
        QTest::newRow("5 su 5: 10") << 5 << 5 << "OTTIMO";
        QTest::newRow("5 su 6: 8.33 per difetto") << 5 << 6 << "DISTINTO";
        QTest::newRow("0 su 0") << 0 << 0 << "Non classificato";
    }
    void giudizio() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(QString, giudizio);
        m().RisposteEsatte = qint16(esatte);
        m().NumOperazione = qint16(operazioni);
        m().GiudizioAttestato = QStringLiteral("OTTIMO"); // left by an earlier certificate
        PreparaAttestato(m(), QStringLiteral("Esercitazione"));
        QCOMPARE(m().GiudizioAttestato, giudizio);
        const bool stampabile = giudizio != QLatin1String("Non classificato");
        QCOMPARE(attestatoStampabile(m().GiudizioAttestato), stampabile);
        QCOMPARE(didascaliaStampa(m().GiudizioAttestato),
                 stampabile ? "STAMPA L'ATTESTATO" : "ATTESTATO NON STAMPABILE");
        const QStringList righe = righeAttestato(m(), QString());
        QCOMPARE(righe[18], giudizio);
        QCOMPARE(righe[20],
                 QStringLiteral("con %1 risposte esatte su %2 richieste").arg(esatte).arg(operazioni));
    }

    void nome_data() {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("attestato");
        QTest::newRow("ROSSI") << "ROSSI"
                               << "Rossi";
        QTest::newRow("una lettera") << "A"
                                     << "A";
        QTest::newRow("segnaposto") << "?"
                                    << "?";
        QTest::newRow("finestra del nome mai aperta") << ""
                                                      << "";
        QTest::newRow("minuscole e maiuscole") << "mARIO"
                                               << "Mario";
    }
    void nome() {
        QFETCH(QString, scritto);
        QFETCH(QString, attestato);
        m().NomeAlunno = scritto;
        for (int volta = 0; volta < 2; ++volta) {
            PreparaAttestato(m(), QStringLiteral("Esercitazione"));
            QCOMPARE(m().NomeAlunno, attestato);
            QCOMPARE(righeAttestato(m(), QString())[8], attestato);
        }
    }

    // The whole certificate for 17 right answers out of 20, twice over: the
    // texts on their lines, every other line empty; the red lines and the
    // bold that lines 6 and 7 keep from the starting font.
    void righe() {
        m().NomeAlunno = QStringLiteral("BIANCHI");
        m().RisposteEsatte = 17;
        m().NumOperazione = 20;
        const QMap<int, QString> piene{
            {6, "DIPLOMA DI MERITO"}, {7, "RILASCIATO A"},
            {9, "Bianchi"},           {11, "per aver eseguito"},
            {13, "  Esercitazione"},  {17, "con la valutazione di"},
            {19, "DISTINTO"},         {21, "con 17 risposte esatte su 20 richieste"},
            {25, "Data  07/12/2026"}};
        for (int volta = 0; volta < 2; ++volta) {
            PreparaAttestato(m(), QStringLiteral("Esercitazione"));
            const QStringList righe = righeAttestato(m(), QStringLiteral("07/12/2026"));
            QCOMPARE(righe.size(), 25);
            for (int n = 1; n <= 25; ++n)
                QCOMPARE(righe[n - 1], piene.value(n));
        }
        QStringList stili;
        for (int n : {1, 6, 7, 9, 11, 13, 15, 17, 19, 21, 25}) {
            const StileRiga s = stileRiga(n);
            stili << QStringLiteral("%1 %2 %3%4%5")
                         .arg(n)
                         .arg(s.font)
                         .arg(s.punti)
                         .arg(s.grassetto ? " grassetto" : "")
                         .arg(s.colore == 0x000000FF ? " rosso"
                              : s.colore == 0        ? ""
                                                     : " ?");
        }
        QCOMPARE(stili, QStringList({"1 MS Sans Serif 8.25 grassetto", "6 arial 20 grassetto rosso",
                                     "7 arial 20 grassetto", "9 arial 20 grassetto rosso", "11 arial 12",
                                     "13 arial 12", "15 arial 14", "17 arial 14",
                                     "19 arial 14 grassetto rosso", "21 arial 12", "25 arial 12"}));
    }

    // The picture at 1000, 100 twips, 15 twips to the pixel; if that does not
    // fit the printable area, as large as fits, in proportion.
    void posizioneStampata_data() {
        QTest::addColumn<QSize>("pixel");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<QSizeF>("stampata");
        const QSizeF a4(11906, 16838);
        QTest::newRow("disegno di progetto") << QSize(446, 588) << a4 << QSizeF(6690, 8820);
        QTest::newRow("entra appena") << QSize(727, 1115) << a4 << QSizeF(10905, 16725);
        QTest::newRow("troppo largo") << QSize(1280, 1000) << a4 << QSizeF(10906, 10906 * 1000 / 1280.0);
        QTest::newRow("troppo alto") << QSize(600, 2000) << a4 << QSizeF(16738 * 600 / 2000.0, 16738);
        QTest::newRow("pagina con margini")
            << QSize(700, 900) << QSizeF(11000, 15000) << QSizeF(10000, 10000 * 900 / 700.0);
    }
    void posizioneStampata() {
        QFETCH(QSize, pixel);
        QFETCH(QSizeF, area);
        QFETCH(QSizeF, stampata);
        QCOMPARE(posizioneAttestato(pixel, area), QRectF(QPointF(1000, 100), stampata));
    }
};

QTEST_MAIN(TstAttestato)
#include "tst_attestato.moc"
