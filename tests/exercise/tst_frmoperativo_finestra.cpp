// SPDX-License-Identifier: GPL-3.0-or-later
// The exercise window: typing and judging answers, the help question and the
// program's intervention, the times, the run of twenty operations, closing,
// the layout at any size, and what the pupil may do to it half way.

#include "OperativoTest.h"

#include "platform/Platform.h"
#include "results/FrmStampaEsercizio.h"

#include <QAction>
#include <cmath>

class TstFrmOperativo : public OperativoTest {
    Q_OBJECT

    // 12 + 15 = 17 + 10 at the lowest level, with 17 hidden in third place.
    static FrmOperativo* apriCon17InTerzaPosizione() {
        auto r = std::make_unique<ScriptedRandom>();
        r->queue({0.7f, 0.25f, 0.55f, 0.75f, 0.05f, 0.6f});
        platform::setRandom(std::move(r));
        FrmOperativo* f = apri();
        return f && m().PosNascosto == 3 && m().StrRisultato == QLatin1String(" 17") ? f : nullptr;
    }

    // A run that has just started: operation 1 made and shown, nothing else kept.
    static void verificaSerieNuova(const FrmOperativo* f) {
        QCOMPARE(testo(f, "LblOperazione"), "1");
        for (const char* vuota : {"lblRisEsatte", "lblRisErrate", "LblTempoParziale", "LblTempoTotale",
                                  "LblEsito", "lblCorrezione"})
            QCOMPARE(testo(f, vuota), QString());
        QVERIFY2(registro(1).endsWith("(R.") && registro(2).isEmpty(), qPrintable(registro(1)));
        QCOMPARE(pannello(f), "fraTastierino");
        QCOMPARE(croce(f), 0);
        QCOMPARE(nascosta(f)->caption(), "?");
        QCOMPARE(focoNome(), "Option2(1)");
        QVERIFY(tasto(f, 11)->isEnabled());
        QVERIFY(!tasto(f, 12)->isEnabled());
        QVERIFY(!tasto(f, 13)->isEnabled());
    }

    // Each cross joins the corners of its number label, and the four panels share
    // the reference label's top-left corner.
    static void verificaImpaginazione(const FrmOperativo* f) {
        for (int k = 0; k < 4; ++k) {
            const QRectF r = twipsRect(control<Label>(f, QStringLiteral("lblNumero%1").arg(k + 1)));
            const auto* a = control<LineControl>(f, QStringLiteral("Line1(%1)").arg(k));
            const auto* b = control<LineControl>(f, QStringLiteral("Line2(%1)").arg(k));
            // The corners are single-precision sums, as the proportions are.
            const float l = float(r.left()), t = float(r.top()), w = float(r.width()), h = float(r.height());
            QCOMPARE(QLineF(a->x1(), a->y1(), a->x2(), a->y2()), QLineF(l, t, l + w, t + h));
            QCOMPARE(QLineF(b->x1(), b->y1(), b->x2(), b->y2()), QLineF(l, t + h, l + w, t));
        }
        const QPointF riferimento = twipsRect(control<Label>(f, "lblRiferimento")).topLeft();
        for (const char* p : {"fraTastierino", "fraAiuto", "fraAvviso", "fraIntervento"})
            QCOMPARE(twipsRect(control<QWidget>(f, p)).topLeft(), riferimento);
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    // Tiles are clicked for a plain script, keys struck for a blank-separated one;
    // then "Verifica" judges what is shown.
    void risposta_data() {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("mostrata");
        QTest::addColumn<QString>("fuoco");
        QTest::addColumn<QString>("aggiunto");
        riga("al massimo quattro cifre", "12345", "1234", "", "1234* ");
        riga("cancella e riscrive", "4C7", "7", "", "7* ");
        riga("cancella per primo", "C", "?", "", "?* ");
        riga("017 e' un'altra risposta", "017", "017", "", "017* ");
        riga("senza risposta", "", "?", "", "* ");
        riga("giusta da tastiera", "1 7", "17", "Option2(11)", "17  ");
        riga("due file di cifre", "kp1 2 kp0 9 kp5", "1209", "Option2(11)", "1209* ");
        riga("Backspace e C", "1 2 3 Backspace C", "1", "Option2(11)", "1* ");
        riga("Invio preme il tasto", "Return", "1", "Option2(1)", "1* ");
        riga("A ed E spenti, X estranea", "A E X", "?", "Option2(1)", "* ");
    }
    void risposta() {
        QFETCH(QString, tasti);
        QFETCH(QString, mostrata);
        QFETCH(QString, fuoco);
        QFETCH(QString, aggiunto);
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        fuoco.isEmpty() ? digita(f, tasti) : batti(tasti);
        QCOMPARE(nascosta(f)->caption(), mostrata);
        if (!fuoco.isEmpty())
            QCOMPARE(focoNome(), fuoco);
        QCOMPARE(testo(f, "LblEsito"), QString()); // typing judges nothing
        QCOMPARE(registro(1), prima);

        clic(f, "Option2(11)");
        const bool esatta = aggiunto.endsWith("  ");
        QCOMPARE(registro(1), prima + aggiunto);
        QCOMPARE(testo(f, "LblEsito"), esatta ? "ESATTO" : "ERRATO");
        QCOMPARE(testo(f, esatta ? "lblRisEsatte" : "lblRisErrate"), "1");
        QCOMPARE(testo(f, esatta ? "lblRisErrate" : "lblRisEsatte"), QString());
        QCOMPARE(croce(f), esatta ? 0 : 3);
        QCOMPARE(pannello(f), esatta ? "fraTastierino" : "fraAiuto");
        QCOMPARE(focoNome(), esatta ? "Option2(12)" : "Option3(0)");
    }

    // "SI" at once, or three "NO" (by the mouse, by "N", by Space from "SI") and "OK".
    // The keys that choose between "SI" and "NO" only move the focus.
    void aiuto_data() {
        QTest::addColumn<int>("rifiuti");
        QTest::addColumn<QString>("conferma");
        riga("SI col mouse", 0, "");
        riga("SI con N S Invio", 0, "N S Return");
        riga("SI con 2 1 Invio", 0, "2 1 Return");
        riga("SI con kp2 3 0 A kp1 Invio", 0, "kp2 3 0 A kp1 Return");
        riga("tre NO, OK col mouse", 3, "");
        riga("tre NO, OK con Space", 3, "Space");
        riga("tre NO, OK con Invio", 3, "Return");
    }
    void aiuto() {
        QFETCH(int, rifiuti);
        QFETCH(QString, conferma);
        FrmOperativo* f = apriCon17InTerzaPosizione();
        QVERIFY(f);
        const QString prima = registro(1);
        const QStringList risposte = QStringList{"1", "22", "333"}.mid(0, qMax(1, rifiuti));
        const QString errate = risposte.join("* ") + "* ";
        for (int i = 0; i < risposte.size(); ++i) {
            rispondi(f, risposte[i]);
            QCOMPARE(focoNome(), "Option3(0)");
            if (i == 0) { // the keypad is idle while the question is asked
                digita(f, "5C");
                batti("5 kp5 C V A E");
                QCOMPARE(nascosta(f)->caption(), "1");
                QCOMPARE(registro(1), prima + "1* ");
                QCOMPARE(focoNome(), "Option3(0)");
            }
            if (i < rifiuti)
                i == 0 ? clic(f, "Option3(1)") : batti(i == 1 ? "N Return" : "Space Return");
        }
        QCOMPARE(registro(1), prima + errate);
        QCOMPARE(testo(f, "lblRisErrate"), QString::number(risposte.size()));
        const QString tessera = rifiuti ? "optOK" : "Option3(0)";
        QCOMPARE(pannello(f), rifiuti ? "fraIntervento" : "fraAiuto");
        QCOMPARE(focoNome(), tessera);
        conferma.isEmpty() ? clic(f, tessera) : batti(conferma);

        QCOMPARE(registro(1), prima + errate + " 17\u00b0");
        Label* correzione = control<Label>(f, "lblCorrezione");
        QCOMPARE(correzione->caption(), " 17");
        QCOMPARE(twipsRect(correzione).left(), twipsRect(nascosta(f)).left());
        // The last wrong answer stays crossed out; nothing counts as right.
        QCOMPARE(nascosta(f)->caption(), risposte.last());
        QCOMPARE(croce(f), 3);
        QCOMPARE(testo(f, "lblRisEsatte"), QString());
        QCOMPARE(testo(f, "lblRisErrate"), QString::number(risposte.size()));
        QCOMPARE(pannello(f), "fraTastierino");
        QCOMPARE(focoNome(), "Option2(12)");
        clic(f, "Option2(12)");
        QCOMPARE(croce(f), 0);
        QCOMPARE(correzione->caption(), QString());
        QCOMPARE(testo(f, "LblOperazione"), "2");
    }

    // Enter held from the check must not answer the question, nor type the "1"
    // it lands on after "NO", nor press "OK"; a digit held down types once.
    void tastiTenuti() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (int i = 0; i < 3; ++i) {
            batti(cifre(sbagliata()));
            giu("Return");
            QCOMPARE(focoNome(), "Option3(0)");
            giu("Return", true);
            giu("Return");
            QCOMPARE(pannello(f), "fraAiuto");
            su("Return");
            batti(QStringList{"N", "S 2", "kp1 3 0 A kp2"}[i]);
            QCOMPARE(focoNome(), "Option3(1)");
            giu("Return");
            if (i == 2)
                break;
            QCOMPARE(focoNome(), "Option2(1)");
            giu("Return", true);
            giu("Return");
            QCOMPARE(nascosta(f)->caption(), "?");
            QCOMPARE(testo(f, "LblEsito"), QString());
            su("Return");
            giu("5");
            QCOMPARE(focoNome(), "Option2(11)");
            giu("5", true);
            giu("5");
            QCOMPARE(nascosta(f)->caption(), "5");
            su("5");
            batti("kp6");
            QCOMPARE(nascosta(f)->caption(), "56");
            batti("C C");
        }
        QCOMPARE(focoNome(), "optOK");
        giu("Return", true);
        giu("Return");
        QCOMPARE(pannello(f), "fraIntervento");
        su("Return");
        batti("Return");
        QCOMPARE(testo(f, "lblCorrezione"), m().StrRisultato);
    }

    // On X11 a held key arrives as release/press pairs sharing a timestamp,
    // often not marked as repeats: a held digit types once, a held Enter on a
    // keypad tile types its digit once, and a new stroke types again.
    void tastiTenutiComeLiMandaX11() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        holdKey("7", 40);
        QCOMPARE(nascosta(f)->caption(), "7");
        QCOMPARE(m().Risposta, "7");
        batti("C");
        QVERIFY(tasto(f, 2)->isEnabled());
        tasto(f, 2)->setFocus();
        holdKey("Return", 25);
        QCOMPARE(m().Risposta, "2");
        holdKey("kp3", 10);
        holdKey("3", 10);
        QCOMPARE(m().Risposta, "233");
    }

    // The partial time is counted in whole seconds and shown up to 99.
    void tempiDiUnaRisposta_data() {
        QTest::addColumn<float>("inizio");
        QTest::addColumn<float>("secondi");
        QTest::addColumn<QString>("parziale");
        QTest::addColumn<QString>("totale");
        riga("99 e' l'ultimo mostrato", 1000.0f, 99.5f, " 99", " 99");
        riga("130 si mostra 99", 1000.0f, 130.0f, "99", " 130");
        riga("oltre 999 in totale", 1000.0f, 1000.0f, "99", "999");
        riga("dopo mezzanotte", 86395.0f, 8.0f, " 8", " 8");
    }
    void tempiDiUnaRisposta() {
        QFETCH(float, inizio);
        QFETCH(float, secondi);
        QFETCH(QString, parziale);
        QFETCH(QString, totale);
        fakes.clock->setTimeOfDay(inizio);
        FrmOperativo* f = apri();
        QVERIFY(f);
        fakes.clock->setTimeOfDay(std::fmod(inizio + secondi, 86400.0f));
        rispondi(f, giusta());
        QCOMPARE(testo(f, "LblTempoParziale"), parziale);
        QCOMPARE(m().StrTempoParziale, " " + QString::number(int(secondi)));
        QCOMPARE(testo(f, "LblTempoTotale"), totale);
    }

    void ogniVerificaContaDalMomentoMostrato() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        const float inizio = fakes.clock->timeOfDay();
        // Two wrong checks and a right one at 4, 10 and 15 s: 4 + 10 + 15.
        for (float t : {4.0f, 10.0f, 15.0f}) {
            fakes.clock->setTimeOfDay(inizio + t);
            rispondi(f, t < 15 ? sbagliata() : giusta());
            if (t < 15)
                clic(f, "Option3(1)");
        }
        QCOMPARE(testo(f, "LblTempoParziale"), " 15");
        QCOMPARE(testo(f, "LblTempoTotale"), " 29");
        clic(f, "Option2(12)"); // the next operation empties the partial time only
        QCOMPARE(testo(f, "LblTempoParziale"), QString());
        QCOMPARE(testo(f, "LblTempoTotale"), " 29");
    }

    // Loaded hidden by the level choice, shown by "Vai", then a run by keyboard only:
    // digits on the numeric keypad, Enter to check and for "Avanti".
    // A double click acts twice only on the tile under both presses: the
    // second press of one on "Verifica" lands on the tile that has just taken
    // its place ("Ricomincia" after the 20th answer, "SI" after a wrong one)
    // and does nothing there.
    void doppioClic_data() {
        QTest::addColumn<int>("operazione");
        QTest::addColumn<bool>("esatta");
        QTest::addColumn<QString>("dove");
        QTest::addColumn<QString>("sotto");
        riga("Verifica alla 20a, Ricomincia sotto", 20, true, "Option2(11)", "optAvviso(1)");
        riga("Verifica sbagliata, SI sotto", 3, false, "Option2(11)", "Option3(0)");
        riga("una cifra due volte", 1, true, "Option2(5)", "Option2(5)");
    }
    void doppioClic() {
        QFETCH(int, operazione);
        QFETCH(bool, esatta);
        QFETCH(QString, dove);
        QFETCH(QString, sotto);
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (int i = 1; i < operazione; ++i) {
            rispondi(f, giusta());
            clic(f, "Option2(12)");
        }
        const QString risposta = esatta ? giusta() : sbagliata();
        if (dove == QLatin1String("Option2(11)"))
            digita(f, risposta);
        const QStringList prima(m().RegistroOperazioni.begin(), m().RegistroOperazioni.end());
        auto* tessera = control<CommandTile>(f, dove);
        const QPoint punto = tessera->mapTo(f, tessera->rect().center());
        QTest::mouseDClick(f->windowHandle(), Qt::LeftButton, {}, punto);
        // The second press did land on the tile that took the first one's place.
        QCOMPARE(f->childAt(punto)->objectName(), sotto);
        if (dove == QLatin1String("Option2(5)")) {
            QCOMPARE(nascosta(f)->caption(), "55");
            return;
        }
        QCOMPARE(pannello(f), esatta ? "fraAvviso" : "fraAiuto");
        QCOMPARE(m().NumOperazione, operazione);
        QCOMPARE(m().RisposteEsatte, esatta ? operazione : operazione - 1);
        QCOMPARE(m().RifiutiAiuto, 0);
        QCOMPARE(testo(f, "LblOperazione"), QString::number(operazione));
        // Checked once: the answer is in its record once.
        QCOMPARE(registro(operazione).count("(R." + risposta + (esatta ? "  " : "* ")), 1);
        QStringList dopo(m().RegistroOperazioni.begin(), m().RegistroOperazioni.end());
        QCOMPARE(dopo.mid(0, operazione), prima.mid(0, operazione));
    }

    // A slow double tap on "Verifica": its second tap reaches the panel that
    // has just come forward ("Ricomincia", "SI"), as a press or as Qt's double
    // click, and does nothing there within the settle time; later it acts.
    // Two taps on a digit type two digits however far apart.
    void toccoLento_data() {
        QTest::addColumn<int>("operazione");
        QTest::addColumn<bool>("esatta");
        QTest::addColumn<QString>("dove");
        QTest::addColumn<int>("dopo");
        QTest::addColumn<bool>("doppio");
        QTest::addColumn<bool>("agisce");
        riga("Ricomincia 410 ms dopo", 20, true, "Option2(11)", 410, false, false);
        riga("Ricomincia, doppio clic 600 ms dopo", 20, true, "Option2(11)", 600, true, false);
        riga("Ricomincia 799 ms dopo", 20, true, "Option2(11)", 799, false, false);
        riga("Ricomincia 800 ms dopo", 20, true, "Option2(11)", 800, false, true);
        riga("SI, doppio clic 410 ms dopo", 2, false, "Option2(11)", 410, true, false);
        riga("SI 600 ms dopo", 2, false, "Option2(11)", 600, false, false);
        riga("SI, doppio clic 800 ms dopo", 2, false, "Option2(11)", 800, true, true);
        riga("una cifra, doppio clic 1500 ms dopo", 1, true, "Option2(5)", 1500, true, true);
    }
    void toccoLento() {
        QFETCH(int, operazione);
        QFETCH(bool, esatta);
        QFETCH(QString, dove);
        QFETCH(int, dopo);
        QFETCH(bool, doppio);
        QFETCH(bool, agisce);
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (int i = 1; i < operazione; ++i) {
            rispondi(f, giusta());
            clic(f, "Option2(12)");
        }
        if (dove == QLatin1String("Option2(11)"))
            digita(f, esatta ? giusta() : sbagliata());
        auto* tessera = control<CommandTile>(f, dove);
        const QPoint punto = tessera->mapTo(f, tessera->rect().center());
        const ulong t = laterInputTime();
        pressAt(tessera, t);
        const QStringList prima(m().RegistroOperazioni.begin(), m().RegistroOperazioni.end());
        pressAt(f->childAt(punto), t + ulong(dopo),
                doppio ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress);
        if (dove == QLatin1String("Option2(5)")) {
            QCOMPARE(nascosta(f)->caption(), "55");
            return;
        }
        const QStringList ora(m().RegistroOperazioni.begin(), m().RegistroOperazioni.end());
        if (esatta) {
            QCOMPARE(pannello(f), agisce ? "fraTastierino" : "fraAvviso");
            QCOMPARE(m().NumOperazione, agisce ? 1 : 20);
            QCOMPARE(ora == prima, !agisce);
            QCOMPARE(focoNome(), agisce ? "Option2(1)" : "optAvviso(0)");
        } else {
            QCOMPARE(pannello(f), agisce ? "fraTastierino" : "fraAiuto");
            QCOMPARE(testo(f, "lblCorrezione").trimmed(), agisce ? giusta() : QString());
            QCOMPARE(focoNome(), agisce ? "Option2(12)" : "Option3(0)");
        }
    }

    void unaSerieInteraDaTastiera() {
        FrmOperativo* f = apri(1, false);
        QVERIFY(f);
        QVERIFY(!f->isVisible());
        QCOMPARE(testo(f, "Label2"), "Numero massimo compreso tra 30 e 70");
        QCOMPARE(testo(f, "LblOperazione"), "1");
        for (int k = 1; k <= 4; ++k) {
            const Label* l = control<Label>(f, QStringLiteral("lblNumero%1").arg(k));
            const bool celato = k == m().PosNascosto;
            QVERIFY(m().num(k) >= 30 && m().num(k) < 70);
            QCOMPARE(l->caption(), celato ? QStringLiteral("?") : m().strNum(k));
            QCOMPARE(l->foreColor(), celato ? QColor(128, 64, 0) : QColor(0, 0, 192));
        }
        clic(Forms::find(FrmInizio::kName), "Option3(0)");
        QVERIFY(QTest::qWaitForWindowActive(f));
        verificaSerieNuova(f);
        for (int i = 1; i <= 20; ++i) {
            QCOMPARE(testo(f, "LblOperazione"), QString::number(i));
            batti("kp" + cifre(giusta()).replace(" ", " kp"));
            if (i == 1) { // after a right answer no key types nor judges
                batti("Return 5 kp5 C Backspace V");
                digita(f, "5C");
                QCOMPARE(nascosta(f)->caption(), giusta());
                QVERIFY(registro(1).endsWith("(R." + giusta() + "  "));
                QCOMPARE(focoNome(), "Option2(12)");
                batti("Return");
                QCOMPARE(testo(f, "LblEsito"), QString());
            } else if (i < 20) {
                batti("Return Return");
            }
        }
        // Enter held on the last check shows the notice at once but does not press "Stampa".
        giu("Return");
        QCOMPARE(testo(f, "lblRisEsatte"), "20");
        QCOMPARE(pannello(f), "fraAvviso");
        QCOMPARE(focoNome(), "optAvviso(0)");
        giu("Return", true);
        giu("Return");
        su("Return");
        batti("A E 1");
        QCOMPARE(focoNome(), "optAvviso(0)");
        batti("Space Return");
        QVERIFY(!Forms::isLoaded(FrmStampaEsercizio::kName));
        verificaSerieNuova(f);
        QVERIFY(m().num(1) >= 30 && m().num(1) < 70); // still at the level chosen
    }

    // "Stampa" and the menu open the results, leaving the run and its notice alone.
    void stampa_data() {
        QTest::addColumn<bool>("correzione");
        riga("Stampa dopo la giusta", false);
        riga("menu dopo la correzione", true);
    }
    void stampa() {
        QFETCH(bool, correzione);
        FrmOperativo* f = apri();
        QVERIFY(f);
        for (int i = 1; i < 20; ++i) {
            rispondi(f, giusta());
            clic(f, "Option2(12)");
        }
        rispondi(f, correzione ? sbagliata() : giusta());
        if (correzione)
            clic(f, "Option3(0)");
        QCOMPARE(testo(f, "lblRisEsatte"), correzione ? "19" : "20");
        QCOMPARE(pannello(f), "fraAvviso");
        QCOMPARE(focoNome(), "optAvviso(0)");
        const QString ultima = registro(20);
        correzione ? f->findChild<QAction*>("mnuVisualizzaEsercizio")->trigger() : clic(f, "optAvviso(0)");
        const Form* risultati = Forms::find(FrmStampaEsercizio::kName);
        QVERIFY(risultati && risultati->isVisible());
        QCOMPARE(registro(20), ultima);
        QCOMPARE(pannello(f), "fraAvviso");
    }

    void chiusaERicaricata_data() {
        QTest::addColumn<int>("rifiuti");
        QTest::addColumn<QString>("come");
        riga("Esco col mouse", -1, "mouse");
        riga("Esco da tastiera", -1, "E Return");
        riga("casella durante la domanda", 0, "casella");
        riga("casella durante l'intervento", 3, "casella");
    }
    void chiusaERicaricata() {
        QFETCH(int, rifiuti);
        QFETCH(QString, come);
        FrmOperativo* f = apri();
        QVERIFY(f);
        const QString prima = registro(1) + sbagliata() + "* ";
        for (int i = 0; i < qMax(1, rifiuti); ++i) {
            rispondi(f, sbagliata());
            if (i < rifiuti)
                clic(f, "Option3(1)");
        }
        if (rifiuti < 0)
            clic(f, "Option3(0)");
        if (come == "casella")
            f->close();
        else if (come == "mouse")
            QTest::mousePress(tasto(f, 13), Qt::LeftButton);
        else
            batti(come);
        flushEvents();
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
        // The run stays in the session state for the results window.
        QVERIFY2(registro(1).startsWith(prima), qPrintable(registro(1)));
        f = apri(2);
        QVERIFY(f);
        verificaSerieNuova(f);
    }

    void impaginazione_data() {
        QTest::addColumn<QSize>("misura");
        riga("piccola", QSize(400, 300));
        riga("larga e bassa", QSize(1500, 500));
        riga("stretta e alta", QSize(537, 911));
    }
    void impaginazione() {
        QFETCH(QSize, misura);
        FrmOperativo* f = apri();
        QVERIFY(f);
        // Resized during the question; the cross and the correction must follow the terms.
        rispondi(f, sbagliata());
        setInnerSize(*f, misura);
        clic(f, "Option3(0)");
        QCOMPARE(testo(f, "lblCorrezione"), m().StrRisultato);
        for (QSize s : {misura, QSize(0, 0), misura}) {
            setInnerSize(*f, s);
            verificaImpaginazione(f);
        }
        const double scalaX = misura.width() * kTwipsPerPixel / 11910.0;
        QVERIFY(qAbs(twipsRect(control<Label>(f, "lblNumero3")).left() - 6210 * scalaX) < 0.5);
        f->showMinimized();
        flushEvents();
        f->showForm();
        flushEvents();
        setInnerSize(*f, misura);
        verificaImpaginazione(f);
        QCOMPARE(twipsRect(control<Label>(f, "lblCorrezione")).left(), twipsRect(nascosta(f)).left());
        QCOMPARE(croce(f), m().PosNascosto);
    }

    void altroLivelloAMetaSerie() {
        FrmOperativo* f = apri(0);
        QVERIFY(f);
        rispondi(f, giusta());
        clic(f, "Option2(12)");
        rispondi(f, giusta());
        const QString secondo = registro(2);
        clic(Forms::find(FrmInizio::kName), "Option2(2)");
        // The run goes on; only the banner and the next operations change.
        QCOMPARE(Forms::find(FrmOperativo::kName), f);
        QCOMPARE(testo(f, "Label2"), "Numero massimo compreso tra 50 e 90");
        QCOMPARE(registro(2), secondo);
        clic(f, "Option2(12)");
        QCOMPARE(testo(f, "LblOperazione"), "3");
        QCOMPARE(testo(f, "lblRisEsatte"), "2");
        for (int k = 1; k <= 4; ++k)
            QVERIFY(m().num(k) >= 50 && m().num(k) < 90);
    }
};

QTEST_MAIN(TstFrmOperativo)
#include "tst_frmoperativo_finestra.moc"
