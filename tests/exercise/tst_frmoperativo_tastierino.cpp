// Typing an answer on the exercise window's keypad, with the mouse and with the keyboard.

#include "OperativoTest.h"

using namespace op;

class TstFrmOperativoTastierino : public QObject {
    Q_OBJECT

    FrmOperativo* f = nullptr;

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
        f = apri();
        QVERIFY(f);
    }
    void cleanup() { resetProgram(); }

    void cifreConIlMouse_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrata");
        QTest::newRow("al massimo quattro cifre") << "12345"
                                                  << "1234";
        QTest::newRow("cancella e riscrive") << "4C7"
                                             << "7";
        QTest::newRow("cancella per primo") << "C"
                                            << "?";
        QTest::newRow("cancella l'unica cifra") << "4C"
                                                << "?";
        QTest::newRow("cancella l'ultima di tre") << "123C"
                                                  << "12";
        QTest::newRow("zeri in testa restano") << "007"
                                               << "007";
        QTest::newRow("cancella oltre il vuoto") << "5CCC8"
                                                 << "8";
    }
    void cifreConIlMouse() {
        QFETCH(QString, tasti);
        QFETCH(QString, mostrata);
        const QString record = registro(1);
        digita(f, tasti);
        QCOMPARE(nascosta(f)->caption(), mostrata);
        QCOMPARE(m().Risposta, mostrata);
        // Typing judges nothing and counts nothing.
        QVERIFY(tasto(f, 11)->isEnabled());
        QVERIFY(!tasto(f, 12)->isEnabled());
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QString());
        QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QString());
        QCOMPARE(registro(1), record);
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
    }

    void tastiera_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrata");
        QTest::addColumn<QString>("fuoco");
        QTest::addColumn<int>("baseTasto");
        QTest::newRow("riga principale") << "3"
                                         << "3"
                                         << "Option2(11)" << 48;
        QTest::newRow("tastierino numerico") << "kp3"
                                             << "3"
                                             << "Option2(11)" << 96;
        QTest::newRow("file mescolate") << "kp1 2 kp0 9 kp5"
                                        << "1209"
                                        << "Option2(11)" << 96;
        QTest::newRow("zero") << "0 kp0"
                              << "00"
                              << "Option2(11)" << 96;
        QTest::newRow("Backspace") << "1 2 Backspace"
                                   << "1"
                                   << "Option2(11)" << 48;
        QTest::newRow("C") << "1 2 C"
                           << "1"
                           << "Option2(11)" << 48;
        QTest::newRow("C per primo") << "C"
                                     << "?"
                                     << "Option2(1)" << 0;
        QTest::newRow("V sposta soltanto") << "V"
                                           << "?"
                                           << "Option2(11)" << 0;
        QTest::newRow("A con Avanti spento") << "A"
                                             << "?"
                                             << "Option2(1)" << 0;
        QTest::newRow("E con Esco spento") << "E"
                                           << "?"
                                           << "Option2(1)" << 0;
        QTest::newRow("Enter sul tasto 1") << "Enter"
                                           << "1"
                                           << "Option2(1)" << 0;
        QTest::newRow("lettera estranea") << "X"
                                          << "?"
                                          << "Option2(1)" << 0;
        QTest::newRow("Space al tasto dopo") << "Space"
                                             << "?"
                                             << "Option2(2)" << 0;
        QTest::newRow("Space salta Avanti ed Esco") << "V Space"
                                                    << "?"
                                                    << "Option2(0)" << 0;
        QTest::newRow("frecce tra i tasti") << "Right Right Left"
                                            << "?"
                                            << "Option2(2)" << 0;
        QTest::newRow("V poi A lascia Verifica") << "4 V A"
                                                 << "4"
                                                 << "Option2(11)" << 48;
    }
    void tastiera() {
        QFETCH(QString, tasti);
        QFETCH(QString, mostrata);
        QFETCH(QString, fuoco);
        QFETCH(int, baseTasto);
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
        batti(tasti);
        QCOMPARE(nascosta(f)->caption(), mostrata);
        QCOMPARE(focoNome(), fuoco);
        QCOMPARE(int(m().BaseTasto), baseTasto);
        // Only Enter on "Verifica" judges.
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QString());
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
    }

    void unaCifraTenutaPremutaEntraUnaVolta() {
        giu(QStringLiteral("5"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(11)"));
        for (int i = 0; i < 3; ++i)
            giu(QStringLiteral("5"), true);
        // A second press without a release in between is the same held key.
        giu(QStringLiteral("5"));
        QCOMPARE(m().Risposta, QStringLiteral("5"));
        su(QStringLiteral("5"));
        batti(QStringLiteral("kp6"));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("56"));
    }

    void dopoLaRispostaGiustaRestanoSoloAvantiEdEsco() {
        for (QChar c : giusta())
            batti(QString(c));
        batti(QStringLiteral("Enter"));
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QStringLiteral("ESATTO"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));
        for (int i = 0; i <= 11; ++i)
            QVERIFY2(!tasto(f, i)->isEnabled(), qPrintable(QString::number(i)));
        QVERIFY(tasto(f, 13)->isEnabled());

        const QString record = registro(1);
        batti(QStringLiteral("5 kp5 C Backspace V"));
        digita(f, QStringLiteral("5C"));
        QCOMPARE(nascosta(f)->caption(), giusta());
        QCOMPARE(m().Risposta, giusta());
        QCOMPARE(registro(1), record);
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));
        batti(QStringLiteral("E"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(13)"));
        batti(QStringLiteral("Space"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(12)"));

        batti(QStringLiteral("Enter"));
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("2"));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("?"));
        QCOMPARE(testo(f, QStringLiteral("LblEsito")), QString());
        QCOMPARE(testo(f, QStringLiteral("LblTempoParziale")), QString());
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
        QVERIFY(!tasto(f, 12)->isEnabled());
        QVERIFY(!tasto(f, 13)->isEnabled());
        QVERIFY(tasto(f, 11)->isEnabled());
    }

    void tastierinoFermoDuranteLaDomanda() {
        rispondi(f, sbagliata());
        QCOMPARE(focoNome(), QStringLiteral("Option3(0)"));
        const QString record = registro(1);
        // Neither the mouse nor keys reach the keypad while "Ti aiuto ?" is asked.
        digita(f, QStringLiteral("5C"));
        verifica(f);
        batti(QStringLiteral("5 kp5 C V A E"));
        QCOMPARE(nascosta(f)->caption(), sbagliata());
        QCOMPARE(registro(1), record);
        QCOMPARE(m().RisposteErrate, qint16(1));
        QCOMPARE(focoNome(), QStringLiteral("Option3(0)"));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
    }

    void dopoUnNoLaRispostaRiparte_data() {
        QTest::addColumn<bool>("conIlMouse");
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrata");
        QTest::newRow("5 col mouse") << true << "5"
                                     << "5";
        QTest::newRow("5 da tastiera") << false << "5"
                                       << "5";
        QTest::newRow("5 dal tastierino numerico") << false << "kp5"
                                                   << "5";
        // Before any digit, "Cancella" works on the answer refused.
        QTest::newRow("Cancella col mouse") << true << "C"
                                            << "1";
        QTest::newRow("C da tastiera") << false << "C"
                                       << "1";
        QTest::newRow("Backspace") << false << "Backspace"
                                   << "1";
    }
    void dopoUnNoLaRispostaRiparte() {
        QFETCH(bool, conIlMouse);
        QFETCH(QString, tasti);
        QFETCH(QString, mostrata);
        QVERIFY(giusta() != QStringLiteral("12"));
        rispondi(f, QStringLiteral("12"));
        clic(tessera(f, QStringLiteral("Option3(1)")));
        QCOMPARE(nascosta(f)->caption(), QStringLiteral("?"));
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
        if (conIlMouse)
            digita(f, tasti);
        else
            batti(tasti);
        QCOMPARE(nascosta(f)->caption(), mostrata);
        QCOMPARE(m().Risposta, mostrata);
    }
};

QTEST_MAIN(TstFrmOperativoTastierino)
#include "tst_frmoperativo_tastierino.moc"
