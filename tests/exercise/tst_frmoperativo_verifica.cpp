// Judging an answer, the help question, the program's intervention and the
// times measured for each check.

#include "OperativoTest.h"

#include "platform/Platform.h"

using namespace op;

class TstFrmOperativoVerifica : public QObject {
    Q_OBJECT

    FakePlatform fakes;

    // 12 + 15 = 17 + 10 at the lowest level, with 17 hidden in third place.
    static FrmOperativo* apriCon17InTerzaPosizione() {
        auto r = std::make_unique<ScriptedRandom>();
        r->queue({0.7f, 0.25f, 0.55f, 0.75f, 0.05f, 0.6f});
        platform::setRandom(std::move(r));
        FrmOperativo* f = apri(0);
        if (f && (m().PosNascosto != 3 || m().StrRisultato != QStringLiteral(" 17")))
            qWarning("unexpected operation %s", qPrintable(registro(1)));
        return f;
    }

private slots:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void giudizio_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<bool>("esatta");
        QTest::addColumn<QString>("aggiunto");
        QTest::newRow("17") << "17" << true << "17  ";
        QTest::newRow("017 e' un'altra risposta") << "017" << false << "017* ";
        QTest::newRow("senza risposta") << "" << false << "* ";
        QTest::newRow("tutto cancellato") << "4C" << false << "?* ";
        QTest::newRow("cifre invertite") << "71" << false << "71* ";
        QTest::newRow("solo la prima cifra") << "1" << false << "1* ";
    }
    void giudizio() {
        QFETCH(QString, tasti);
        QFETCH(bool, esatta);
        QFETCH(QString, aggiunto);
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        rispondi(f, tasti);
        QCOMPARE(registro(1), prima + aggiunto);
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QStringLiteral(" 0"));
        if (esatta) {
            QCOMPARE(testo(f, QStringLiteral("LblEsito")), QStringLiteral("ESATTO"));
            QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QStringLiteral("1"));
            QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QString());
            QCOMPARE(lineeVisibili(f), QStringList());
            QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
            QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));
        } else {
            QCOMPARE(testo(f, QStringLiteral("LblEsito")), QStringLiteral("ERRATO"));
            QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QString());
            QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QStringLiteral("1"));
            QCOMPARE(lineeVisibili(f), croceSu(3));
            QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
            QCOMPARE(pannelloDavanti(f), QStringLiteral("fraAiuto"));
            QCOMPARE(focoNome(), QStringLiteral("Option3(0)"));
        }
    }

    void siMostraLaCorrezioneSottoIlTermineNascosto() {
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        rispondi(f, QStringLiteral("71"));
        clic(tessera(f, QStringLiteral("Option3(0)")));
        Label* correzione = etichetta(f, QStringLiteral("lblCorrezione"));
        QCOMPARE(correzione->caption(), QStringLiteral(" 17"));
        QCOMPARE(twipsRect(correzione).left(), twipsRect(etichetta(f, QStringLiteral("lblNumero3"))).left());
        QCOMPARE(registro(1), prima + QStringLiteral("71*  17°"));
        // The wrong answer stays crossed out above the correction; nothing counts as right.
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("71"));
        QCOMPARE(lineeVisibili(f), croceSu(3));
        QCOMPARE(m().RisposteEsatte, qint16(0));
        QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QString());
        QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QStringLiteral("1"));
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("1"));
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QString());
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraTastierino"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));

        avanti(f);
        QCOMPARE(lineeVisibili(f), QStringList());
        QCOMPARE(correzione->caption(), QString());
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("2"));
    }

    void treRifiutiPoiIntervengo_data() {
        QTest::addColumn<QString>("tastiOK");
        QTest::newRow("OK col mouse") << "";
        QTest::newRow("OK con Space") << "Space";
        QTest::newRow("OK con Enter") << "Enter";
    }
    void treRifiutiPoiIntervengo() {
        QFETCH(QString, tastiOK);
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        // "NO" by the mouse, by its letter, and by Space from "SI" then Enter.
        const QStringList risposte{QStringLiteral("1"), QStringLiteral("22"), QStringLiteral("333")};
        for (int i = 0; i < 3; ++i) {
            rispondi(f, risposte[i]);
            QCOMPARE(focoNome(), QStringLiteral("Option3(0)"));
            if (i == 0)
                clic(tessera(f, QStringLiteral("Option3(1)")));
            else
                batti(i == 1 ? QStringLiteral("N Enter") : QStringLiteral("Space Enter"));
            if (i < 2) {
                QCOMPARE(nascosta(f)->caption(), QStringLiteral("?"));
                QCOMPARE(lineeVisibili(f), QStringList());
                QCOMPARE(testo(f, QStringLiteral("LblEsito")), QString());
                QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
                QCOMPARE(pannelloDavanti(f), QStringLiteral("fraTastierino"));
                QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
            }
        }
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraIntervento")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraIntervento"));
        QCOMPARE(focoNome(), QStringLiteral("optOK"));
        QCOMPARE(lineeVisibili(f), croceSu(3));
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QStringLiteral("ERRATO"));
        QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QStringLiteral("3"));
        QCOMPARE(m().RifiutiAiuto, qint16(0));
        QCOMPARE(registro(1), prima + QStringLiteral("1* 22* 333* "));

        if (tastiOK.isEmpty())
            clic(tessera(f, QStringLiteral("optOK")));
        else
            batti(tastiOK);
        QCOMPARE(registro(1), prima + QStringLiteral("1* 22* 333*  17°"));
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), QStringLiteral(" 17"));
        QVERIFY(!tessera(f, QStringLiteral("optOK"))->pressedState());
        QCOMPARE(m().RisposteErrate, qint16(3));
        QCOMPARE(m().RisposteEsatte, qint16(0));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));
    }

    void dopoUnNoVerificaGiudicaDiNuovoLaStessaRisposta() {
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        rispondi(f, QStringLiteral("12"));
        clic(tessera(f, QStringLiteral("Option3(1)")));
        verifica(f);
        QCOMPARE(registro(1), prima + QStringLiteral("12* 12* "));
        QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QStringLiteral("2"));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("?"));
    }

    void tastiDellaDomanda_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("fuoco");
        QTest::newRow("N") << "N"
                           << "Option3(1)";
        QTest::newRow("N poi S") << "N S"
                                 << "Option3(0)";
        QTest::newRow("2 poi 1") << "2 1"
                                 << "Option3(0)";
        QTest::newRow("2 del tastierino numerico") << "kp2"
                                                   << "Option3(1)";
        QTest::newRow("kp2 poi kp1") << "kp2 kp1"
                                     << "Option3(0)";
        QTest::newRow("Space") << "Space"
                               << "Option3(1)";
        QTest::newRow("Space due volte") << "Space Space"
                                         << "Option3(0)";
        QTest::newRow("altri tasti scartati") << "N 3 0 A kp3"
                                              << "Option3(1)";
    }
    void tastiDellaDomanda() {
        QFETCH(QString, tasti);
        QFETCH(QString, fuoco);
        FrmOperativo* f = apri();
        QVERIFY(f);
        rispondi(f, sbagliata());
        batti(tasti);
        QCOMPARE(focoNome(), fuoco);
        // Moving between "SI" and "NO" answers nothing.
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
        QCOMPARE(m().RisposteErrate, qint16(1));
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), QString());
    }

    void invioTenutoDopoLaVerificaNonRispondeAllaDomanda() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        batti(sbagliata().split(QString(), Qt::SkipEmptyParts).join(QLatin1Char(' ')));
        QCOMPARE(focoNome(), QStringLiteral("Option2(11)"));
        giu(QStringLiteral("Enter"));
        QCOMPARE(focoNome(), QStringLiteral("Option3(0)"));
        const QString record = registro(1);
        giu(QStringLiteral("Enter"), true);
        giu(QStringLiteral("Enter"));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), QString());
        QCOMPARE(registro(1), record);
        su(QStringLiteral("Enter"));

        // The same again for "NO": the held Enter must not type the "1" it lands on.
        batti(QStringLiteral("N"));
        giu(QStringLiteral("Enter"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
        giu(QStringLiteral("Enter"), true);
        giu(QStringLiteral("Enter"));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("?"));
        su(QStringLiteral("Enter"));
        batti(QStringLiteral("5"));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("5"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(11)"));
    }

    void invioTenutoAlTerzoNoNonPremeOK() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (int i = 0; i < 3; ++i) {
            rispondi(f, sbagliata());
            batti(QStringLiteral("N"));
            giu(QStringLiteral("Enter"));
            if (i < 2)
                su(QStringLiteral("Enter"));
        }
        QCOMPARE(focoNome(), QStringLiteral("optOK"));
        giu(QStringLiteral("Enter"), true);
        giu(QStringLiteral("Enter"));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraIntervento")});
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), QString());
        su(QStringLiteral("Enter"));
        batti(QStringLiteral("Enter"));
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), m().StrRisultato);
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));
    }

    void tempiDiUnaRisposta_data() {
        QTest::addColumn<float>("secondi");
        QTest::addColumn<QString>("parziale");
        QTest::addColumn<QString>("strParziale");
        QTest::addColumn<QString>("totale");
        QTest::newRow("7 secondi") << 7.0f << " 7"
                                   << " 7"
                                   << " 7";
        QTest::newRow("frazioni scartate") << 2.9f << " 2"
                                           << " 2"
                                           << " 2";
        QTest::newRow("99 e' l'ultimo mostrato") << 99.5f << " 99"
                                                 << " 99"
                                                 << " 99";
        QTest::newRow("130 si mostra 99") << 130.0f << "99"
                                          << " 130"
                                          << " 130";
        QTest::newRow("oltre 999 in totale") << 1000.0f << "99"
                                             << " 1000"
                                             << "999";
    }
    void tempiDiUnaRisposta() {
        QFETCH(float, secondi);
        QFETCH(QString, parziale);
        QFETCH(QString, strParziale);
        QFETCH(QString, totale);
        FrmOperativo* f = apri();
        QVERIFY(f);
        fakes.clock->advance(secondi);
        rispondi(f, giusta());
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), parziale);
        QCOMPARE(m().StrTempoParziale, strParziale);
        QCOMPARE(testo(f, QStringLiteral("LblTempoTotale")), totale);
        QCOMPARE(m().StrTempoTotale, strParziale);
    }

    void ogniVerificaContaDalMomentoMostrato() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        const float inizio = fakes.clock->timeOfDay();
        // Two wrong checks and a right one at 4, 10 and 15 s: 4 + 10 + 15.
        for (float t : {4.0f, 10.0f}) {
            fakes.clock->setTimeOfDay(inizio + t);
            rispondi(f, sbagliata());
            clic(tessera(f, QStringLiteral("Option3(1)")));
        }
        fakes.clock->setTimeOfDay(inizio + 15);
        rispondi(f, giusta());
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QStringLiteral(" 15"));
        QCOMPARE(testo(f, QStringLiteral("LblTempoTotale")), QStringLiteral(" 29"));

        // The next operation empties the partial time only; a wrong check at 5 s
        // and the correction at 9 s add both.
        fakes.clock->advance(100);
        avanti(f);
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QString());
        QCOMPARE(testo(f, QStringLiteral("LblTempoTotale")), QStringLiteral(" 29"));
        fakes.clock->advance(5);
        rispondi(f, sbagliata());
        fakes.clock->advance(4);
        clic(tessera(f, QStringLiteral("Option3(0)")));
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QStringLiteral(" 9"));
        QCOMPARE(testo(f, QStringLiteral("LblTempoTotale")), QStringLiteral(" 43"));
    }

    void verificaDopoMezzanotte() {
        fakes.clock->setTimeOfDay(86395.0f);
        FrmOperativo* f = apri();
        QVERIFY(f);
        fakes.clock->setTimeOfDay(3.0f);
        rispondi(f, giusta());
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QStringLiteral(" 8"));
        QCOMPARE(testo(f, QStringLiteral("LblTempoTotale")), QStringLiteral(" 8"));
    }
};

QTEST_MAIN(TstFrmOperativoVerifica)
#include "tst_frmoperativo_verifica.moc"
