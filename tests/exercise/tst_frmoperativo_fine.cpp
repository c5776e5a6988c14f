// The run's twenty operations, the end-of-run notice, and the window surviving
// what the pupil may do to it half way.

#include "OperativoTest.h"

#include "results/FrmStampaEsercizio.h"

#include <QAction>

using namespace op;

namespace {

// Answers right by mouse up to operation `ultima`; the last one is left settled.
void rispondiGiusto(FrmOperativo* f, int ultima) {
    for (int i = m().OperazioneMostrata; i <= ultima; ++i) {
        rispondi(f, giusta());
        if (i < ultima)
            avanti(f);
    }
}

// A run that has just started: operation 1 shown and nothing else kept.
void verificaSerieNuova(const FrmOperativo* f) {
    QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("1"));
    for (const char* vuota :
         {"lblRisEsatte", "lblRisErrate", "LblTempoParziale", "LblTempoTotale", "LblEsito"})
        QCOMPARE(testo(f, QLatin1String(vuota)), QString());
    QCOMPARE(m().RisposteEsatte, qint16(0));
    QCOMPARE(m().NumOperazione, qint16(1));
    QVERIFY(registroAppenaFatto(registro(1)));
    for (int i = 2; i <= 20; ++i)
        QCOMPARE(registro(i), QString());
    QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
    QCOMPARE(pannelloDavanti(f), QStringLiteral("fraTastierino"));
    QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
    QVERIFY(tasto(f, 11)->isEnabled());
    QVERIFY(!tasto(f, 12)->isEnabled());
    QVERIFY(!tasto(f, 13)->isEnabled());
}

} // namespace

class TstFrmOperativoFine : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void unaSerieIntera() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        // By keyboard only: digits on the numeric keypad, Enter to check, Enter for "Avanti".
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QString::number(i));
            QStringList tasti;
            for (QChar c : giusta())
                tasti << QStringLiteral("kp") + c;
            batti(tasti.join(QLatin1Char(' ')) + QStringLiteral(" Enter"));
            QVERIFY(registro(i).endsWith(QStringLiteral("(R.") + giusta() + QStringLiteral("  ")));
            if (i < 20)
                batti(QStringLiteral("Enter"));
        }
        QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QStringLiteral("20"));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAvviso")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraAvviso"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(0)"));
        QCOMPARE(tessera(f, QStringLiteral("optAvviso(0)"))->backColor(), bgr(0x0080C0FF));
        // "Avanti" cannot be reached any more.
        QVERIFY(!tasto(f, 12)->isEnabled());
        batti(QStringLiteral("A E 1"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(0)"));
        QCOMPARE(m().OperazioneMostrata, qint16(20));
        QCOMPARE(registro(21), QString());

        batti(QStringLiteral("Space"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(1)"));
        batti(QStringLiteral("Space Space"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(1)"));
        batti(QStringLiteral("Enter"));
        verificaSerieNuova(f);
    }

    void laCorrezioneDellUltimaChiudeLaSerie() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        rispondiGiusto(f, 19);
        avanti(f);
        rispondi(f, sbagliata());
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
        clic(tessera(f, QStringLiteral("Option3(0)")));
        QVERIFY(registro(20).endsWith(m().StrRisultato + QStringLiteral("°")));
        QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QStringLiteral("19"));
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAvviso")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraAvviso"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(0)"));
    }

    void sceltaDellAvviso_data() {
        QTest::addColumn<int>("scelta");
        QTest::addColumn<bool>("conIlMouse");
        QTest::newRow("Stampa col mouse") << 0 << true;
        QTest::newRow("Stampa con Enter") << 0 << false;
        QTest::newRow("Ricomincia col mouse") << 1 << true;
        QTest::newRow("Ricomincia con Enter") << 1 << false;
        QTest::newRow("menu Visualizza esercizio") << 2 << true;
    }
    void sceltaDellAvviso() {
        QFETCH(int, scelta);
        QFETCH(bool, conIlMouse);
        FrmOperativo* f = apri(1);
        QVERIFY(f);
        rispondiGiusto(f, 20);
        const QString ultima = registro(20);
        if (scelta == 2) {
            QAction* menu = f->findChild<QAction*>(QStringLiteral("mnuVisualizzaEsercizio"));
            QVERIFY(menu && menu->isEnabled() && menu->isVisible());
            menu->trigger();
        } else if (conIlMouse) {
            clic(tessera(f, QStringLiteral("optAvviso(%1)").arg(scelta)));
        } else {
            if (scelta == 1)
                batti(QStringLiteral("Space"));
            batti(QStringLiteral("Enter"));
        }
        if (scelta != 1) {
            Form* risultati = Forms::find(FrmStampaEsercizio::kName);
            QVERIFY(risultati && risultati->isVisible());
            // The run and its notice stay as they were.
            QVERIFY(Forms::isLoaded(FrmOperativo::kName));
            QCOMPARE(registro(20), ultima);
            QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAvviso")});
        } else {
            QVERIFY(!Forms::isLoaded(FrmStampaEsercizio::kName));
            verificaSerieNuova(f);
            // Still at the level chosen.
            for (int k = 1; k <= 4; ++k)
                QVERIFY(m().num(k) >= 30 && m().num(k) < 70);
            QCOMPARE(testo(f, QStringLiteral("Label2")),
                     QStringLiteral("Numero massimo compreso tra 30 e 70"));
        }
    }

    void invioTenutoSullUltimaVerificaNonStampa() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        rispondiGiusto(f, 19);
        avanti(f);
        for (QChar c : giusta())
            batti(QString(c));
        giu(QStringLiteral("Enter"));
        QCOMPARE(focoNome(), QStringLiteral("optAvviso(0)"));
        giu(QStringLiteral("Enter"), true);
        giu(QStringLiteral("Enter"));
        QVERIFY(!Forms::isLoaded(FrmStampaEsercizio::kName));
        su(QStringLiteral("Enter"));
        batti(QStringLiteral("Enter"));
        QVERIFY(Forms::isLoaded(FrmStampaEsercizio::kName));
    }

    void altroLivelloAMetaSerie() {
        FrmOperativo* f = apri(0);
        QVERIFY(f);
        rispondiGiusto(f, 2);
        const QString secondo = registro(2);
        FrmInizio* inizio = static_cast<FrmInizio*>(Forms::find(FrmInizio::kName));
        clic(tessera(inizio, QStringLiteral("Option2(2)")));
        // The run goes on; only the banner and the next operations change.
        QCOMPARE(Forms::find(FrmOperativo::kName), f);
        QCOMPARE(testo(f, QStringLiteral("Label2")), QStringLiteral("Numero massimo compreso tra 50 e 90"));
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("2"));
        QCOMPARE(registro(2), secondo);
        QVERIFY(tasto(f, 12)->isEnabled());
        avanti(f);
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("3"));
        for (int k = 1; k <= 4; ++k)
            QVERIFY(m().num(k) >= 50 && m().num(k) < 90);
        QVERIFY(registroAppenaFatto(registro(3)));
        QCOMPARE(m().RisposteEsatte, qint16(2));
    }

    void chiusaAMetaStrada_data() {
        QTest::addColumn<int>("rifiuti");
        QTest::addColumn<QString>("pannello");
        QTest::newRow("durante la domanda") << 0 << "fraAiuto";
        QTest::newRow("dopo un no") << 1 << "fraTastierino";
        QTest::newRow("durante l'intervento") << 3 << "fraIntervento";
    }
    void chiusaAMetaStrada() {
        QFETCH(int, rifiuti);
        QFETCH(QString, pannello);
        FrmOperativo* f = apri();
        QVERIFY(f);
        const QString prima = registro(1);
        const QString errata = sbagliata();
        rispondi(f, errata);
        for (int i = 0; i < rifiuti; ++i) {
            clic(tessera(f, QStringLiteral("Option3(1)")));
            if (i + 1 < rifiuti)
                rispondi(f, errata);
        }
        QCOMPARE(pannelliAbilitati(f), QStringList{pannello});
        f->close();
        flushEvents();
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
        QVERIFY(Forms::isLoaded(FrmInizio::kName));
        QCOMPARE(registro(1), prima + QString(errata + QStringLiteral("* ")).repeated(qMax(1, rifiuti)));

        f = apri();
        QVERIFY(f);
        verificaSerieNuova(f);
    }
};

QTEST_MAIN(TstFrmOperativoFine)
#include "tst_frmoperativo_fine.moc"
