// SPDX-License-Identifier: GPL-3.0-or-later
// How long the program's hot paths take, in a Release build: one operation
// of a run, a whole worksheet at each range, the certificate's lines, and a
// key on the keypad handled through to the updated labels.
// Run with scripts/bench.sh; it measures and checks nothing.
#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "exercise/Generatore.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "results/Attestato.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"
#include "worksheets/Schede.h"

#include <QApplication>
#include <QtTest>

class BenchPontelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { resetProgram(); }

    void operazione() {
        Modulo2 m;
        m.NumMin = 30;
        m.NumMax = 70;
        SeededRandom rnd(1);
        SettableClock orologio;
        QBENCHMARK {
            m.NumOperazione = 0;
            orologio.advance(1.0f);
            prossimaOperazione(m, rnd, orologio);
        }
    }

    void scheda_data() {
        QTest::addColumn<int>("livello");
        QTest::newRow("tra 10 e 40") << 0;
        QTest::newRow("tra 30 e 70") << 1;
        QTest::newRow("tra 50 e 99") << 2;
    }
    void scheda() {
        QFETCH(int, livello);
        StatoScheda s;
        SceltaLivelloScheda(s, livello);
        Modulo2 sessione;
        SeededRandom rnd(20261208);
        SettableClock orologio;
        QBENCHMARK {
            orologio.advance(0.25f);
            generaSchedaAlunni(s, sessione, rnd, orologio);
        }
    }

    void righeDelDiploma() {
        Modulo2 m;
        m.RisposteEsatte = 17;
        m.NumOperazione = 20;
        QBENCHMARK {
            m.NomeAlunno = QStringLiteral("ROSSI");
            PreparaAttestato(m, QStringLiteral("Esercitazione"));
            righeAttestato(m, QStringLiteral("08/12/2026"));
        }
    }

    // A digit typed and erased on the keypad, each through the tile's key
    // handling, the answer's rules and the hidden term's label, repainted.
    void tastoDelTastierino() {
        installFakePlatform();
        FrmInizio& inizio = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(inizio));
        QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option2(1)")), Qt::LeftButton);
        QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option3(0)")), Qt::LeftButton);
        auto* f = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
        QVERIFY(f && QTest::qWaitForWindowActive(f));
        const QString nascosta = QStringLiteral("lblNumero%1").arg(Modulo2::get().PosNascosto);
        Label* etichetta = control<Label>(f, nascosta);
        QBENCHMARK {
            strokes(QStringLiteral("5"));
            etichetta->repaint();
            strokes(QStringLiteral("C"));
            etichetta->repaint();
        }
        QCOMPARE(etichetta->caption(), QStringLiteral("?"));
    }
};

QTEST_MAIN(BenchPontelo)
#include "bench_pontelo.moc"
