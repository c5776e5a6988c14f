// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window as a screen reader or a switch sees it: the row read as
// one text, the tiles pressed through their accessible action, the counters
// named, only the panel in front reported as showing, and what appears
// announced.

#include "OperativoTest.h"

#include "exercise/Svolgimento.h"
#include "framework/Accessibility.h"

#include <QAccessible>

namespace {
QStringList annunciati;
} // namespace

class TstFrmOperativoAccessibile : public OperativoTest {
    Q_OBJECT

    static QAccessibleInterface* iface(const QWidget* f, const QString& nome) {
        return QAccessible::queryAccessibleInterface(control<QWidget>(f, nome));
    }
    static void premi(const QWidget* f, const QString& nome) {
        QAccessibleInterface* i = iface(f, nome);
        QVERIFY(i && i->actionInterface());
        i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press arrives through the event loop, as a click does.
        QCoreApplication::processEvents();
    }
    // Tiles as a switch presses them: digits, 'V' for "Verifica", 'A' for "Avanti",
    // 'S'/'N' for "SI"/"NO".
    static void premiTutti(const QWidget* f, const QString& script) {
        for (QChar c : script) {
            const QString nome = c == 'V'   ? QStringLiteral("Option2(11)")
                                 : c == 'A' ? QStringLiteral("Option2(12)")
                                 : c == 'S' ? QStringLiteral("Option3(0)")
                                 : c == 'N' ? QStringLiteral("Option3(1)")
                                 : c == 'O' ? QStringLiteral("optOK")
                                            : QStringLiteral("Option2(%1)").arg(c.digitValue());
            premi(f, nome);
        }
    }

private Q_SLOTS:
    void initTestCase() {
        accessibility::setEventObserver([](QWidget* w, QAccessible::Event type) {
            if (type == QAccessible::NameChanged)
                annunciati << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        });
    }
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        annunciati.clear();
    }
    void cleanup() { resetProgram(); }

    void rigaEContatori() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        QStringList termini;
        for (int k = 1; k <= 4; ++k)
            termini << testo(f, QStringLiteral("lblNumero%1").arg(k)).trimmed();
        const QString segno = testo(f, "LblSegno").trimmed();
        auto attesa = [&] {
            return QStringLiteral("%1 %2 %3 = %4 %2 %5")
                .arg(termini[0], segno, termini[1], termini[2], termini[3]);
        };
        QCOMPARE(iface(f, "fraNumero")->text(QAccessible::Name), attesa());
        QVERIFY(termini.contains("?"));
        // The answer typed so far is read with the keypad's tiles ("Where am I").
        premiTutti(f, giusta());
        for (const char* t : {"Option2(0)", "Option2(11)"})
            QCOMPARE(iface(f, t)->text(QAccessible::Description), "Risposta: " + giusta());
        premiTutti(f, "V");
        termini[m().PosNascosto - 1] = giusta();
        QCOMPARE(iface(f, "fraNumero")->text(QAccessible::Name), attesa());
        QCOMPARE(iface(f, "lblRisEsatte")->text(QAccessible::Name), QStringLiteral("Risposte esatte: 1"));
        QCOMPARE(iface(f, "LblOperazione")->text(QAccessible::Name), QStringLiteral("Operazioni: 1"));
        QCOMPARE(focoNome(), "Option2(12)");
    }

    // Each step announces what the pupil now sees; only its panel shows. The
    // tile that has the focus next is read with the news ("{riga}": the row
    // in words, "{risultato}": the right answer) and the question it answers.
    void annunci_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("annunci");
        QTest::addColumn<QString>("inVista");
        QTest::addColumn<QString>("detto");
        riga("right answer", QStringLiteral("R"), QStringList{"ESATTO"}, QStringLiteral("Option2(12)"),
             QStringLiteral("ESATTO"));
        riga("wrong answer", QStringLiteral("W"), QStringList{"ERRATO", "Ti aiuto ?"},
             QStringLiteral("Option3(0)"), QStringLiteral("ERRATO. Ti aiuto ?"));
        riga("help accepted", QStringLiteral("WS"), QStringList{"ERRATO"}, QStringLiteral("Option2(12)"),
             QStringLiteral("Risultato: {risultato}"));
        riga("help refused", QStringLiteral("WN"), QStringList{"ERRATO"}, QStringLiteral("Option2(1)"),
             QStringLiteral("{riga}"));
        riga("third refusal", QStringLiteral("WNWNWN"), QStringList{"ERRATO", "Ti aiuto ?", "Intervengo io"},
             QStringLiteral("optOK"), QStringLiteral("Intervengo io"));
        riga("third refusal, OK", QStringLiteral("WNWNWNO"), QStringList{"Intervengo io"},
             QStringLiteral("Option2(12)"), QStringLiteral("Risultato: {risultato}"));
        riga("next operation", QStringLiteral("RA"), QStringList{"ESATTO"}, QStringLiteral("Option2(1)"),
             QStringLiteral("{riga}"));
        riga("end of run", QStringLiteral("RA").repeated(19) + 'R',
             QStringList{"ESATTO", "Se ricominci gli esercizi andranno persi"},
             QStringLiteral("optAvviso(0)"),
             QStringLiteral("ESATTO. Risposte esatte: 20. Risposte errate: 0. Tempo totale: 0 secondi. "
                            "Se ricominci gli esercizi andranno persi"));
        riga(
            "end of run after help", QStringLiteral("RA").repeated(19) + "WS",
            QStringList{"ERRATO", "Se ricominci gli esercizi andranno persi"}, QStringLiteral("optAvviso(0)"),
            QStringLiteral("Risultato: {risultato}. Risposte esatte: 19. Risposte errate: 1. Tempo totale: 0 "
                           "secondi. Se ricominci gli esercizi andranno persi"));
    }
    void annunci() {
        QFETCH(QString, script);
        QFETCH(QStringList, annunci);
        QFETCH(QString, inVista);
        QFETCH(QString, detto);
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (QChar c : script)
            premiTutti(f, c == 'R' ? giusta() + 'V' : c == 'W' ? sbagliata() + 'V' : QString(c));
        for (const QString& a : annunci)
            QVERIFY2(annunciati.contains(a), qPrintable(annunciati.join(" | ")));
        QCOMPARE(focoNome(), inVista);
        const QString rigaInParole = rigaDetta(iface(f, "fraNumero")->text(QAccessible::Name));
        // A new or retried operation is told with its hidden term.
        QVERIFY(!detto.contains("{riga}") || rigaInParole.split(' ').contains("quanto"));
        detto.replace("{riga}", rigaInParole).replace("{risultato}", m().StrRisultato.trimmed());
        QCOMPARE(iface(f, inVista)->text(QAccessible::Description), detto);
        const QStringList tessere{"Option2(1)", "Option2(12)", "Option3(0)", "optAvviso(0)", "optOK"};
        for (const QString& t : tessere)
            QCOMPARE(iface(f, t)->state().invisible,
                     t != inVista && !(inVista.startsWith("Option2(") && t.startsWith("Option2(")));
        // The news goes with the focus: the tile read once more, later, is
        // read without it.
        if (inVista.startsWith("Option2(")) {
            control<QWidget>(f, inVista == "Option2(1)" ? "Option2(2)" : "Option2(13)")->setFocus();
            QVERIFY(focoNome() != inVista);
            QCOMPARE(iface(f, inVista)->text(QAccessible::Description), QString());
        }
    }
};

QTEST_MAIN(TstFrmOperativoAccessibile)
#include "tst_frmoperativo_accessibile.moc"
