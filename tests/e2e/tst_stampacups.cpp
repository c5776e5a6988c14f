// SPDX-License-Identifier: GPL-3.0-or-later
// The three printouts through the program's real printing layer to a real
// CUPS queue on the cups-pdf backend, as a school would print them: the
// exercise printout after a run, a certificate, a pupil and a teacher
// worksheet. Each must come out as one A4 page that agrees with the same
// document printed to "File PDF". Then the queue is stopped, made to refuse
// jobs, and a printer that does not exist is chosen: each print must be
// reported as failed, naming the printer, and the next one must succeed.
//
// Run by scripts/check-cups.sh, which sets up the scheduler and the queue:
// PONTELO_CODA names the queue, PONTELO_USCITA the folder cups-pdf writes to.
// The script runs the faults below one by one, each in a process of its own
// with what it needs: a queue that denies a user (PONTELO_NEGATO), a full
// documents folder (PONTELO_PIENA), a printing service that never answers
// (CUPS_SERVER), a print ended by SIGTERM (PONTELO_INTERROTTA) and two
// programs printing into one folder at once (PONTELO_CONDIVISA).

#include "core/Modulo2.h"
#include "exercise/Generatore.h"
#include "exercise/Svolgimento.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "printing/FrmSceltaStampante.h"
#include "results/FrmAttestato.h"
#include "results/FrmStampaEsercizio.h"
#include "results/StampaEsercizio.h"
#include "session/FrmInizio.h"
#include "support/DocumentsFolder.h"
#include "support/TestSupport.h"
#include "worksheets/FrmStampaSchedeBig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {

// Runs a command of the printing system; its standard output.
QString esegui(const QString& programma, const QStringList& argomenti, int* esito = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(programma, argomenti);
    const bool finito = p.waitForFinished(60000);
    if (esito)
        *esito = finito && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Ids of the queue's jobs that have completed.
QSet<int> lavoriCompletati(const QString& coda) {
    QSet<int> ids;
    const QString out = esegui(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                                          QStringLiteral("-o"), coda});
    static const QRegularExpression riga(QStringLiteral(R"(^\S+-(\d+)\s)"),
                                         QRegularExpression::MultilineOption);
    for (auto it = riga.globalMatch(out); it.hasNext();)
        ids.insert(it.next().captured(1).toInt());
    return ids;
}

// A page rendered at a low resolution, in grey.
QImage pagina(const QString& pdf, const QString& cartella, const QString& nome) {
    const QString base = QDir(cartella).filePath(nome);
    int esito = 0;
    esegui(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-gray"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), pdf, base},
           &esito);
    return esito == 0 ? QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8)
                      : QImage();
}

// The rectangle holding everything that is not white.
QRect inchiostro(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y) {
        const uchar* riga = img.constScanLine(y);
        for (int x = 0; x < img.width(); ++x)
            if (riga[x] < 160)
                r |= QRect(x, y, 1, 1);
    }
    return r;
}

// Mean difference (0 to 255) between two pages, once each is cut to its ink.
double differenza(const QImage& a, const QImage& b) {
    const QImage ca = a.copy(inchiostro(a));
    const QImage cb =
        b.copy(inchiostro(b)).scaled(ca.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // The queue's margins move the page by a fraction of a dot, which large
    // text shows along every edge: each dot is compared with the closest of
    // its neighbours.
    double somma = 0;
    for (int y = 0; y < ca.height(); ++y)
        for (int x = 0; x < ca.width(); ++x) {
            int minima = 255;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (cb.rect().contains(x + dx, y + dy))
                        minima = qMin(minima, qAbs(ca.pixelColor(x, y).value() -
                                                   cb.pixelColor(x + dx, y + dy).value()));
            somma += minima;
        }
    return somma / qMax(1, ca.width() * ca.height());
}

// A widget that counts how often it is painted.
class Sonda final : public QWidget {
public:
    int dipinture = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++dipinture; }
};

// True when pdfinfo reads the file as a whole PDF.
bool pdfIntero(const QString& pdf) {
    int esito = -1;
    const QString info = esegui(QStringLiteral("pdfinfo"), {pdf}, &esito);
    return esito == 0 && info.contains(QStringLiteral("Pages:"));
}

} // namespace

class TstStampaCups : public QObject {
    Q_OBJECT

    QString coda;
    QString uscita;
    QTemporaryDir cartella;
    // "File PDF" writes into a folder of its own, apart from the pages drawn
    // from each printout for comparison.
    std::unique_ptr<DocumentsFolder> documenti;
    QString documentiPath() const { return cartella.filePath(QStringLiteral("Documenti")); }
    QtPrinters* stampanti = nullptr;
    RecordingMessageBox* messaggi = nullptr;

    // Prints with a click on a window's control, on the given printer;
    // false, with the messages, when the print was not reported as done.
    void stampa(Form& f, const QString& controllo, const QString& stampante) {
        stampanti->setCurrentPrinter(stampante);
        messaggi->texts.clear();
        QWidget* w = control<QWidget>(&f, controllo);
        QVERIFY2(w->isVisible() && w->isEnabled(), qPrintable(controllo));
        QTest::mouseClick(w, Qt::LeftButton);
        flushEvents();
    }

    // Waits for the queue's next job to complete; the file cups-pdf made of it.
    QString attendiLavoro(const QSet<int>& prima) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 60000) {
            const QSet<int> nuovi = lavoriCompletati(coda) - prima;
            if (!nuovi.isEmpty()) {
                const int id = *std::max_element(nuovi.begin(), nuovi.end());
                const QStringList file =
                    QDir(uscita).entryList({QStringLiteral("*-job_%1.pdf").arg(id)}, QDir::Files);
                if (!file.isEmpty())
                    return QDir(uscita).filePath(file.first());
            }
            QTest::qWait(200);
        }
        return {};
    }

    // One document printed on the queue and on "File PDF": one A4 page each,
    // with ink, and the same page once the queue's margins are allowed for.
    void confronta(Form& f, const QString& controllo, const QString& nome) {
        const QSet<int> prima = lavoriCompletati(coda);
        stampa(f, controllo, coda);
        QCOMPARE(messaggi->texts, QStringList());
        const QString dallaCoda = attendiLavoro(prima);
        QVERIFY2(!dallaCoda.isEmpty(),
                 qPrintable(QStringLiteral("no output from the queue for %1").arg(nome)));

        stampa(f, controllo, Printers::kFilePdf);
        QCOMPARE(messaggi->texts.size(), 1);
        const QString riferimento = documenti->newFile();
        QVERIFY(messaggi->texts.first().contains(riferimento));

        for (const QString& pdf : {dallaCoda, riferimento}) {
            const QString info = esegui(QStringLiteral("pdfinfo"), {pdf});
            QVERIFY2(info.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+1\n)"))), qPrintable(info));
            const QRegularExpressionMatch misura =
                QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(info);
            QVERIFY2(misura.hasMatch(), qPrintable(info));
            QVERIFY2(qAbs(misura.captured(1).toDouble() - 595.3) < 2 &&
                         qAbs(misura.captured(2).toDouble() - 841.9) < 2,
                     qPrintable(QStringLiteral("%1 is not A4: %2").arg(pdf, misura.captured(0))));
        }
        const QImage a = pagina(dallaCoda, cartella.path(), nome + QStringLiteral("-coda"));
        const QImage b = pagina(riferimento, cartella.path(), nome + QStringLiteral("-pdf"));
        QVERIFY(!a.isNull() && !b.isNull());
        const QRect ia = inchiostro(a);
        const QRect ib = inchiostro(b);
        QVERIFY2(ia.width() > 20 && ia.height() > 5, qPrintable(nome + QStringLiteral(" came out blank")));
        // At 40 dots per inch two dots are about 1.3 mm.
        QVERIFY2(qAbs(ia.width() - ib.width()) <= 2 && qAbs(ia.height() - ib.height()) <= 2,
                 qPrintable(QStringLiteral("%1: queue %2x%3, file %4x%5")
                                .arg(nome)
                                .arg(ia.width())
                                .arg(ia.height())
                                .arg(ib.width())
                                .arg(ib.height())));
        const double diff = differenza(a, b);
        qInfo("%s: ink %dx%d, mean difference %.1f", qPrintable(nome), ia.width(), ia.height(), diff);
        QVERIFY2(diff < 5, qPrintable(QStringLiteral("%1 differs: %2").arg(nome).arg(diff)));
    }

    // A run of twenty operations, some answered wrong first, some corrected.
    static void unaSerie() {
        Modulo2& m = Modulo2::get();
        m.NumMin = 30;
        m.NumMax = 70;
        azzeraSerie(m);
        SeededRandom rnd(7);
        SettableClock orologio;
        for (int i = 1; i <= kOperazioniPerSerie; ++i) {
            preparaOperazione(m);
            orologio.advance(3);
            prossimaOperazione(m, rnd, orologio);
            if (i % 3 == 0) {
                m.Risposta = QString::number(m.Risultato + 1);
                registraRispostaErrata(m);
            }
            m.Risposta = m.StrRisultato.trimmed();
            if (i % 5 == 0)
                registraCorrezione(m);
            else
                registraRispostaEsatta(m);
            orologio.advance(4);
            misuraTempi(m, orologio.timeOfDay());
        }
    }

private Q_SLOTS:
    void initTestCase() {
        coda = qEnvironmentVariable("PONTELO_CODA");
        uscita = qEnvironmentVariable("PONTELO_USCITA");
        QVERIFY2(!coda.isEmpty(), "PONTELO_CODA must be set");
        QVERIFY(cartella.isValid());
        FakePlatform fakes = installFakePlatform();
        documenti =
            std::make_unique<DocumentsFolder>(documentiPath(), cartella.filePath(QStringLiteral("casa")));
        auto reali = std::make_unique<QtPrinters>();
        stampanti = reali.get();
        platform::setPrinters(std::move(reali));
        messaggi = fakes.messageBox;
        QVERIFY(stampanti->fonts().contains(QStringLiteral("Courier New")));
    }
    // The queue is there, for the checks that print on it.
    void codaPresente() {
        QVERIFY2(stampanti->deviceNames().contains(coda),
                 qPrintable(
                     QStringLiteral("queue %1 not among %2").arg(coda, stampanti->deviceNames().join(", "))));
    }
    void cleanup() { resetProgram(); }

    void esercizio() {
        unaSerie();
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        QVERIFY(showAndActivate(f));
        confronta(f, QStringLiteral("Option1(1)"), QStringLiteral("esercizio"));
    }

    void attestato() {
        Modulo2& m = Modulo2::get();
        m.RisposteEsatte = 17;
        m.NumOperazione = 20;
        m.NomeAlunno = QStringLiteral("ROSSI");
        Forms::get<FrmInizio>();
        FrmAttestato& f = Forms::get<FrmAttestato>();
        QVERIFY(showAndActivate(f));
        flushEvents();
        confronta(f, QStringLiteral("Option5(0)"), QStringLiteral("attestato"));
    }

    void schede() {
        FrmStampaSchedeBig& f = Forms::get<FrmStampaSchedeBig>();
        QVERIFY(showAndActivate(f));
        QTest::mouseClick(control<CommandTile>(&f, QStringLiteral("Option2(1)")), Qt::LeftButton);
        QTest::mouseClick(control<QWidget>(&f, QStringLiteral("CmdSchedaAlunni")), Qt::LeftButton);
        confronta(f, QStringLiteral("CmdStampaAlunni"), QStringLiteral("scheda-alunni"));
        QTest::mouseClick(control<QWidget>(&f, QStringLiteral("CmdSchedaDocenti")), Qt::LeftButton);
        confronta(f, QStringLiteral("CmdStampaDocenti"), QStringLiteral("scheda-docenti"));
    }

    // A stopped queue, a queue that refuses jobs and a printer that is gone
    // are each reported, naming the printer; the queue put right prints again.
    void guasti_data() {
        QTest::addColumn<QString>("guasto");
        QTest::addColumn<QString>("rimedio");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("coda ferma") << "cupsdisable"
                                    << "cupsenable"
                                    << "la stampante è ferma (carta finita)";
        QTest::newRow("coda che rifiuta") << "cupsreject"
                                          << "cupsaccept"
                                          << "la stampante non accetta lavori (carta finita)";
        QTest::newRow("stampante inesistente") << QString() << QString() << "la stampante non è installata";
    }
    void guasti() {
        QFETCH(QString, guasto);
        QFETCH(QString, rimedio);
        QFETCH(QString, motivo);
        unaSerie();
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        QVERIFY(showAndActivate(f));
        const QString stampante = guasto.isEmpty() ? QStringLiteral("PonteloStampanteSparita") : coda;
        int esito = 0;
        if (!guasto.isEmpty()) {
            // The reason a technician gives reaches the user.
            esegui(guasto, {QStringLiteral("-r"), QStringLiteral("carta finita"), coda}, &esito);
            QCOMPARE(esito, 0);
        }
        const QSet<int> prima = lavoriCompletati(coda);
        stampa(f, QStringLiteral("Option1(1)"), stampante);
        if (!rimedio.isEmpty())
            esegui(rimedio, {coda}, &esito);
        QCOMPARE(messaggi->texts, QStringList{printFailureMessage(stampante, motivo)});
        QCOMPARE(stampanti->currentPrinter(), stampante);

        stampa(f, QStringLiteral("Option1(1)"), coda);
        QCOMPARE(messaggi->texts, QStringList());
        QVERIFY(!attendiLavoro(prima).isEmpty());
        // Nothing of the failed print reached the queue.
        QCOMPARE((lavoriCompletati(coda) - prima).size(), 1);
    }

    // A queue that denies the user: the job CUPS turns away is reported with
    // the reason, and nothing reaches the queue.
    void utenteNegato() {
        const QString negato = qEnvironmentVariable("PONTELO_NEGATO");
        QVERIFY2(!negato.isEmpty(), "PONTELO_NEGATO must name the denied user");
        unaSerie();
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        QVERIFY(showAndActivate(f));
        const QSet<int> prima = lavoriCompletati(coda);
        qputenv("CUPS_USER", negato.toLocal8Bit());
        stampa(f, QStringLiteral("Option1(1)"), coda);
        qunsetenv("CUPS_USER");
        QCOMPARE(
            messaggi->texts,
            QStringList{QStringLiteral("Stampa non riuscita sulla stampante «%1»: non hai il permesso di "
                                       "stampare su questa stampante")
                            .arg(coda)});
        // The user who may print still does.
        stampa(f, QStringLiteral("Option1(1)"), coda);
        QCOMPARE(messaggi->texts, QStringList());
        QVERIFY(!attendiLavoro(prima).isEmpty());
        QCOMPARE((lavoriCompletati(coda) - prima).size(), 1);
    }

    // A documents folder on a nearly full disk: every document announced is
    // a whole PDF, the one that does not fit is reported, and no part of it
    // is left in the folder.
    void cartellaPiena() {
        const QString piena = qEnvironmentVariable("PONTELO_PIENA");
        QVERIFY2(!piena.isEmpty(), "PONTELO_PIENA must name a small file system");
        documenti->moveTo(piena);
        stampanti->setCurrentPrinter(Printers::kFilePdf);
        unaSerie();
        QStringList salvati;
        QString fallito;
        for (int volta = 0; volta < 20 && fallito.isEmpty(); ++volta) {
            messaggi->texts.clear();
            const bool stampato = StampaEsercizio(Modulo2::get(), *stampanti);
            QCOMPARE(messaggi->texts.size(), 1);
            if (stampato) {
                const QString pdf = documenti->newFile();
                QCOMPARE(messaggi->texts.first(),
                         QStringLiteral("Il documento è stato salvato nel file ") + pdf);
                salvati << QFileInfo(pdf).fileName();
            } else {
                fallito = messaggi->texts.first();
            }
        }
        qInfo("%lld whole documents, then: %s", static_cast<long long>(salvati.size()), qPrintable(fallito));
        QVERIFY2(fallito.startsWith(QStringLiteral("Stampa non riuscita sulla stampante «File PDF»: spazio "
                                                   "esaurito nella cartella")),
                 qPrintable(fallito));
        QVERIFY(!salvati.isEmpty());
        QDir cartella(piena);
        QStringList presenti = cartella.entryList(QDir::Files | QDir::Hidden | QDir::System);
        presenti.sort();
        salvati.sort();
        QCOMPARE(presenti, salvati);
        for (const QString& file : salvati)
            QVERIFY2(pdfIntero(cartella.filePath(file)), qPrintable(file));
    }

    // A printing service that takes connections and never answers: "File
    // PDF" prints at once, a print on a queue is reported within the time
    // limit while the window keeps painting under a busy cursor, and the
    // printer choice window still offers "File PDF".
    void servizioMuto() {
        QVERIFY2(qEnvironmentVariableIsSet("CUPS_SERVER"), "CUPS_SERVER must name the silent service");
        documenti->moveTo(documentiPath());
        unaSerie();
        FrmStampaEsercizio& f = Forms::get<FrmStampaEsercizio>();
        QVERIFY(showAndActivate(f));
        auto* sonda = new Sonda;
        sonda->setParent(&f);
        sonda->setGeometry(0, 0, 20, 20);
        sonda->show();
        bool cursoreOccupato = false;
        QTimer battito;
        QObject::connect(&battito, &QTimer::timeout, sonda, [&] {
            sonda->update();
            if (QGuiApplication::overrideCursor() &&
                QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor)
                cursoreOccupato = true;
        });
        battito.start(50);
        QElapsedTimer t;

        t.start();
        stampa(f, QStringLiteral("Option1(1)"), Printers::kFilePdf);
        const qint64 suFile = t.elapsed();
        QCOMPARE(messaggi->texts.size(), 1);
        QVERIFY2(messaggi->texts.first().startsWith(QStringLiteral("Il documento è stato salvato nel file ")),
                 qPrintable(messaggi->texts.first()));
        QVERIFY(pdfIntero(documenti->newFile()));
        qInfo("File PDF with a silent service: %lld ms", suFile);
        QVERIFY2(suFile < 2000, qPrintable(QString::number(suFile)));

        flushEvents();
        const int dipintePrima = sonda->dipinture;
        t.start();
        stampa(f, QStringLiteral("Option1(1)"), coda);
        const qint64 suCoda = t.elapsed();
        const int dipinte = sonda->dipinture - dipintePrima;
        qInfo("queue with a silent service: reported after %lld ms, %d paints meanwhile, busy cursor %d",
              suCoda, dipinte, cursoreOccupato);
        QCOMPARE(
            messaggi->texts,
            QStringList{QStringLiteral("Stampa non riuscita sulla stampante «%1»: il servizio di stampa non "
                                       "risponde")
                            .arg(coda)});
        QVERIFY2(suCoda < 6000, qPrintable(QString::number(suCoda)));
        // A paint every 50 ms while it waited, give or take.
        QVERIFY2(dipinte >= suCoda / 200, qPrintable(QString::number(dipinte)));
        QVERIFY(cursoreOccupato);
        QVERIFY(!QGuiApplication::overrideCursor());

        t.start();
        FrmSceltaStampante& scelta = Forms::get<FrmSceltaStampante>();
        const qint64 apertura = t.elapsed();
        auto* lista = control<QComboBox>(&scelta, QStringLiteral("Combo1"));
        QVERIFY(lista->count() >= 1);
        QCOMPARE(lista->itemText(lista->count() - 1), Printers::kFilePdf);
        qInfo("printer choice window loaded in %lld ms", apertura);
        QVERIFY2(apertura < 6000, qPrintable(QString::number(apertura)));
        scelta.unload();
        flushEvents();

        // Once the service answers again, the queue prints.
        const QByteArray muto = qgetenv("CUPS_SERVER");
        qunsetenv("CUPS_SERVER");
        const QSet<int> prima = lavoriCompletati(coda);
        stampa(f, QStringLiteral("Option1(1)"), coda);
        QCOMPARE(messaggi->texts, QStringList());
        QVERIFY(!attendiLavoro(prima).isEmpty());
        qputenv("CUPS_SERVER", muto);
    }

    // Stops in the middle of a "File PDF" document and waits there, for the
    // script to end the program with SIGTERM.
    void interrotta() {
        const QString dove = qEnvironmentVariable("PONTELO_INTERROTTA");
        QVERIFY2(!dove.isEmpty(), "PONTELO_INTERROTTA must name a folder");
        documenti->moveTo(dove);
        stampanti->setCurrentPrinter(Printers::kFilePdf);
        stampanti->newDocument(QStringLiteral("Interrotta"));
        stampanti->setFontName(QStringLiteral("Courier New"));
        for (int i = 0; i < 30; ++i)
            stampanti->printAt(1000, 1000 + 400 * i, QStringLiteral("riga %1").arg(i));
        std::printf("STAMPA IN CORSO\n");
        std::fflush(stdout);
        ::sleep(60);
        QFAIL("the script did not end the print");
    }

    // Prints many documents into a folder another copy of the program prints
    // into at the same moment; writes each name announced, one a line.
    void condivisa() {
        const QString dove = qEnvironmentVariable("PONTELO_CONDIVISA");
        QVERIFY2(!dove.isEmpty(), "PONTELO_CONDIVISA must name a folder");
        documenti->moveTo(dove);
        stampanti->setCurrentPrinter(Printers::kFilePdf);
        unaSerie();
        for (int i = 0; i < 40; ++i) {
            messaggi->texts.clear();
            QVERIFY(StampaEsercizio(Modulo2::get(), *stampanti));
            QCOMPARE(messaggi->texts.size(), 1);
            // The other program writes here too: the name is the one announced.
            const QString salvato = QStringLiteral("Il documento è stato salvato nel file ");
            QVERIFY(messaggi->texts.first().startsWith(salvato));
            std::printf("ANNUNCIATO %s\n", qPrintable(messaggi->texts.first().mid(salvato.size())));
        }
        std::fflush(stdout);
    }
};

QTEST_MAIN(TstStampaCups)
#include "tst_stampacups.moc"
