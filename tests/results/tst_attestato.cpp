// SPDX-License-Identifier: GPL-3.0-or-later
// The certificate without any window: grade, printability, the name's final
// form, the 25 lines with their styles, and where the printout puts the picture.

#include "core/Modulo2.h"
#include "results/Attestato.h"
#include "results/StampaAttestato.h"
#include "results/StiliAttesi.h"

#include <QtTest>

class TstAttestato : public QObject {
    Q_OBJECT

    static Modulo2& m() { return Modulo2::get(); }

private Q_SLOTS:
    void init() { Modulo2::reset(); }

    // Every grade edge case, each with a form of the name, prepared twice as
    // reopening the window does: the whole 25 lines, every other line empty.
    void attestato_data() {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<QString>("giudizio");
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("nome");
        auto riga = [](int e, int o, const char* g, const char* s = "ROSSI", const char* n = "Rossi") {
            QTest::addRow("%d su %d, «%s»", e, o, s) << e << o << QString(g) << QString(s) << QString(n);
        };
        riga(20, 20, "OTTIMO");
        riga(18, 20, "OTTIMO", "?", "?");
        riga(17, 20, "DISTINTO", "", ""); // 8.5, rounded down
        riga(14, 20, "BUONO", "mARIO", "Mario");
        riga(12, 20, "SUFFICIENTE", "A", "A");
        riga(10, 20, "SUFFICIENTE (!)");
        riga(9, 20, "Non classificato");
        riga(2, 3, "SUFFICIENTE"); // 6.67
        riga(1, 3, "Non classificato");
        riga(5, 5, "OTTIMO");
        riga(5, 6, "DISTINTO"); // 8.33
        riga(0, 0, "Non classificato");
    }
    void attestato() {
        QFETCH(int, esatte);
        QFETCH(int, operazioni);
        QFETCH(QString, giudizio);
        QFETCH(QString, scritto);
        QFETCH(QString, nome);
        m().RisposteEsatte = qint16(esatte);
        m().NumOperazione = qint16(operazioni);
        m().NomeAlunno = scritto;
        m().GiudizioAttestato = QStringLiteral("OTTIMO"); // left by an earlier certificate
        const QString risposte =
            QStringLiteral("con %1 risposte esatte su %2 richieste").arg(esatte).arg(operazioni);
        for (int volta = 0; volta < 2; ++volta) {
            PreparaAttestato(m(), QStringLiteral("Esercitazione"));
            QCOMPARE(m().NomeAlunno, nome);
            QCOMPARE(m().GiudizioAttestato, giudizio);
            const QStringList righe = righeAttestato(m(), QStringLiteral("07/12/2026"));
            QCOMPARE(righe.size(), 25);
            QStringList piene; // "number text" of every line that is not empty
            for (int n = 1; n <= 25; ++n)
                if (!righe[n - 1].isEmpty())
                    piene << QString::number(n) + ' ' + righe[n - 1];
            QStringList attese{"6 DIPLOMA DI MERITO",  "7 RILASCIATO A",     "9 " + nome,
                               "11 per aver eseguito", "13   Esercitazione", "17 con la valutazione di",
                               "19 " + giudizio,       "21 " + risposte,     "25 Data  07/12/2026"};
            attese.removeAll(QStringLiteral("9 ")); // an empty name leaves its line empty
            QCOMPARE(piene, attese);
        }
        // Read in one sentence, without the name when there is none.
        QCOMPARE(attestatoDetto(m()), nome.isEmpty() ? "DIPLOMA DI MERITO con la valutazione di " + giudizio
                                                     : "DIPLOMA DI MERITO rilasciato a " + nome +
                                                           ", con la valutazione di " + giudizio);
        const bool stampabile = giudizio != QLatin1String("Non classificato");
        QCOMPARE(attestatoStampabile(giudizio), stampabile);
        QCOMPARE(didascaliaStampa(giudizio), stampabile ? "STAMPA L'ATTESTATO" : "ATTESTATO NON STAMPABILE");
    }

    // Every line's style, the bold that lines 6 and 7 keep from the starting
    // font included.
    void stili() {
        for (int n = 1; n <= 25; ++n) {
            const StileRiga s = stileRiga(n), atteso = stiliAttesi()[size_t(n - 1)];
            const QString riga = QStringLiteral("line %1").arg(n);
            QVERIFY2(s.font == atteso.font && s.punti == atteso.punti && s.grassetto == atteso.grassetto &&
                         s.colore == atteso.colore,
                     qPrintable(riga));
        }
    }

    // The picture at 1000, 100 twips, 15 twips to the pixel; if that does not
    // fit the printable area, as large as fits, in proportion.
    void posizioneStampata_data() {
        QTest::addColumn<QSize>("pixel");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<QSizeF>("stampata");
        const QSizeF a4(11906, 16838);
        QTest::newRow("entra appena") << QSize(727, 1115) << a4 << QSizeF(10905, 16725);
        QTest::newRow("troppo largo") << QSize(1280, 1000) << a4 << QSizeF(10906, 10906 * 1000 / 1280.0);
        QTest::newRow("troppo alto") << QSize(600, 2000) << a4 << QSizeF(16738 * 600 / 2000.0, 16738);
        QTest::newRow("con margini") << QSize(700, 900) << QSizeF(11000, 15000)
                                     << QSizeF(10000, 10000 * 900 / 700.0);
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
