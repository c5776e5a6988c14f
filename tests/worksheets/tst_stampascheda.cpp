#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"
#include "worksheets/Schede.h"
#include "worksheets/StampaScheda.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kLivello = u"     Numero massimo compreso tra 30 e  70"_s;

QString rigaDiProva(int i) {
    return u"riga %1"_s.arg(i);
}

// Records 1 to 60 filled with recognisable lines.
void riempiRegistro(Modulo2& m) {
    for (int i = 1; i <= 60; ++i)
        m.RegistroOperazioni[static_cast<size_t>(i)] = rigaDiProva(i);
}

} // namespace

class TstStampaScheda : public QObject {
    Q_OBJECT

private:
    FakePlatform fakes;

private slots:
    void init() {
        fakes = installFakePlatform();
        Modulo2::reset();
    }
    // The real printers must go before the application does.
    void cleanup() { platform::setPrinters(std::make_unique<RecordingPrinters>()); }

    // Both versions: the header, the first and last line of every block at
    // its place, the size the version asks for, the three footer lines and a
    // single document, all in Courier whatever Courier font the printer has.
    void stampa_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("piede");
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<float>("corpo");
        QTest::newRow("alunni") << 1 << kPiedeAlunni << QStringList{u"Arial"_s, u"Courier New"_s} << 12.0f;
        QTest::newRow("docenti") << 2 << kPiedeDocenti << QStringList{u"Arial"_s, u"Courier New"_s} << 10.0f;
        QTest::newRow("docenti, solo Courier") << 2 << kPiedeDocenti << QStringList{u"Courier"_s} << 10.0f;
        QTest::newRow("tipo mai scelto") << 0 << kPiedeAlunni << QStringList{u"Courier New"_s} << 10.0f;
    }
    void stampa() {
        QFETCH(int, tipo);
        QFETCH(QString, piede);
        QFETCH(QStringList, fonts);
        QFETCH(float, corpo);
        Modulo2& m = Modulo2::get();
        riempiRegistro(m);
        m.TipoScheda = static_cast<qint16>(tipo);
        RecordingPrinters& p = *fakes.printers;
        p.fontList = fonts;
        p.setFontBold(true);
        QVERIFY(StampaScheda(m, kLivello, piede, p));
        QCOMPARE(fakes.messageBox->texts, QStringList());
        QCOMPARE(p.entries.size(), 65);
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.last().kind, RecordingPrinters::Entry::EndDoc);
        QCOMPARE(p.entries.last().printer, u"Aula 1"_s);

        struct Attesa {
            int indice;
            QString testo;
            float corpo, x, y;
        };
        QList<Attesa> attese{{0, u"Nome e cognome"_s, 14, 1000, 1000}};
        // First and last line of each block: column x, first y of the block.
        const float blocchi[6][3] = {{1, 1000, 2000},  {11, 1000, 6500}, {21, 1000, 11000},
                                     {31, 6000, 2000}, {41, 6000, 6500}, {51, 6000, 11000}};
        for (const auto& b : blocchi) {
            const int primo = static_cast<int>(b[0]);
            attese.append({primo, rigaDiProva(primo), corpo, b[1], b[2]});
            attese.append({primo + 9, rigaDiProva(primo + 9), corpo, b[1], b[2] + 3600});
        }
        attese.append({61, u"OSA: ricerca "_s, 8, 1000, 15100});
        attese.append({62, u"Livello di difficolt\u00e0: "_s + kLivello, 8, 1000, 15300});
        attese.append({63, piede, 8, 1000, 15500});
        for (const Attesa& a : attese) {
            const RecordingPrinters::Entry& e = p.entries.at(a.indice);
            QCOMPARE(e.kind, RecordingPrinters::Entry::Text);
            QCOMPARE(e.text, a.testo);
            QCOMPARE(e.fontName, u"Courier"_s);
            QCOMPARE(e.fontSize, a.corpo);
            QCOMPARE(e.bold, false);
            QCOMPARE(e.x, a.x);
            QCOMPARE(e.y, a.y);
        }
        // Every line in order, ten to a block, 400 twips apart.
        for (int i = 1; i <= 60; ++i) {
            const RecordingPrinters::Entry& e = p.entries.at(i);
            QCOMPARE(e.text, rigaDiProva(i));
            if ((i - 1) % 10)
                QCOMPARE(e.y - p.entries.at(i - 1).y, 400.0f);
        }
    }

    // What is printed is the records as they stand: the run's records and
    // empty lines before any worksheet.
    void registriComeSono() {
        Modulo2& m = Modulo2::get();
        m.RegistroOperazioni[1] = u"  65 -   30 =   69 -  ...          (R.34  "_s;
        m.TipoScheda = 1;
        QVERIFY(StampaScheda(m, QString(), kPiedeAlunni, *fakes.printers));
        const QStringList testi = fakes.printers->printedTexts();
        QCOMPARE(testi.size(), 64);
        QCOMPARE(testi.at(1), m.RegistroOperazioni[1]);
        QCOMPARE(testi.mid(2, 59), QStringList(59, QString()));
        QCOMPARE(testi.at(62), u"Livello di difficolt\u00e0: "_s);
    }

    // No Courier font on the printer: the user is told and nothing is printed.
    // A printer that fails: its failure is told once, nothing is sent, and the
    // next worksheet prints on another printer.
    void fallimenti_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<bool>("guasta");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("niente Courier")
            << QStringList{u"Arial"_s, u"courier new"_s, u"Courier New Bold"_s} << false
            << u"Devi installare il font Courier o il font Courier New"_s;
        QTest::newRow("nessun font") << QStringList() << false
                                     << u"Devi installare il font Courier o il font Courier New"_s;
        QTest::newRow("stampante ferma")
            << QStringList{u"Courier"_s} << true
            << u"Stampa non riuscita sulla stampante \u00abAula 1\u00bb: la coda di "
               u"stampa \u00e8 ferma"_s;
    }
    void fallimenti() {
        QFETCH(QStringList, fonts);
        QFETCH(bool, guasta);
        QFETCH(QString, messaggio);
        Modulo2& m = Modulo2::get();
        riempiRegistro(m);
        m.TipoScheda = 2;
        RecordingPrinters& p = *fakes.printers;
        p.fontList = fonts;
        if (guasta)
            p.failingDevices = QStringList{u"Aula 1"_s};
        QVERIFY(!StampaScheda(m, kLivello, kPiedeDocenti, p));
        QCOMPARE(fakes.messageBox->texts, QStringList{messaggio});
        QCOMPARE(p.entries.size(), 0);

        fakes.messageBox->texts.clear();
        p.fontList = QStringList{u"Courier New"_s};
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(StampaScheda(m, kLivello, kPiedeDocenti, p));
        QCOMPARE(fakes.messageBox->texts, QStringList());
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.size(), 65);
        QCOMPARE(p.entries.first().text, u"Nome e cognome"_s);
        QCOMPARE(p.entries.first().printer, Printers::kFilePdf);
    }

    // The real printers: a teacher worksheet made at the middle range and
    // printed to a PDF file. Read back, the one A4 page holds the header, all
    // sixty lines at their places and the three footer lines.
    void suFilePdf() {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is not installed");
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        auto reali = std::make_unique<QtPrinters>();
        QtPrinters& p = *reali;
        p.setPdfFolder(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        platform::setPrinters(std::move(reali));

        Modulo2& m = Modulo2::get();
        StatoScheda s;
        SceltaLivelloScheda(s, 1);
        MixingRandomSource rnd(4242);
        generaSchedaAlunni(s, m, rnd, *fakes.clock);
        mostraSchedaDocenti(m);
        QVERIFY(StampaScheda(m, s.TestoLivello, kPiedeDocenti, p));
        QCOMPARE(fakes.messageBox->texts.size(), 1);
        QVERIFY(fakes.messageBox->texts.first().contains(p.lastPdfFile()));
        QVERIFY(QFileInfo(p.lastPdfFile()).absolutePath() == QFileInfo(cartella.path()).absoluteFilePath());

        QProcess lettura;
        lettura.start(pdftotext, {u"-bbox"_s, p.lastPdfFile(), u"-"_s});
        QVERIFY(lettura.waitForFinished(30000));
        QCOMPARE(lettura.exitCode(), 0);
        const QString html = QString::fromUtf8(lettura.readAllStandardOutput());
        // One A4 page: 595 x 842 points.
        QCOMPARE(html.count(u"<page "_s), 1);
        const auto misure =
            QRegularExpression(uR"re(<page width="([\d.]+)" height="([\d.]+)">)re"_s).match(html);
        QVERIFY(misure.hasMatch());
        QVERIFY(qAbs(misure.captured(1).toDouble() - 595.3) < 1);
        QVERIFY(qAbs(misure.captured(2).toDouble() - 841.9) < 1);

        // Every word of every line where Courier puts it: the line's place
        // plus 0.6 of the size for each character before the word. A twip is
        // a twentieth of a point; a word's box lies within the line height
        // below the line's place.
        struct Parola {
            QString testo;
            double x, y;
        };
        QList<Parola> parole;
        const QRegularExpression parola(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"_s);
        for (auto it = parola.globalMatch(html); it.hasNext();) {
            const auto w = it.next();
            parole.append({w.captured(3), w.captured(1).toDouble(), w.captured(2).toDouble()});
        }
        int attese = 0;
        auto alPosto = [&](const QString& testo, float corpo, float xTwips, float yTwips) {
            for (auto it = QRegularExpression(u"\\S+"_s).globalMatch(testo); it.hasNext();) {
                const auto w = it.next();
                ++attese;
                const double x = xTwips / 20.0 + 0.6 * corpo * static_cast<double>(w.capturedStart());
                const double y = yTwips / 20.0;
                const bool trovata = std::any_of(parole.begin(), parole.end(), [&](const Parola& p) {
                    return p.testo == w.captured().toHtmlEscaped() && qAbs(p.x - x) < 1.5 && p.y >= y - 1 &&
                           p.y < y + corpo;
                });
                if (!trovata) {
                    qWarning("«%s» of «%s» not at %.1f, %.1f", qPrintable(w.captured()), qPrintable(testo), x,
                             y);
                    return false;
                }
            }
            return true;
        };
        QVERIFY(alPosto(u"Nome e cognome"_s, 14, 1000, 1000));
        for (int i = 1; i <= 60; ++i)
            QVERIFY(
                alPosto(m.RegistroOperazioni[static_cast<size_t>(i)], 10, xRigaScheda(i), yRigaScheda(i)));
        QVERIFY(alPosto(u"OSA: ricerca "_s, 8, 1000, 15100));
        QVERIFY(alPosto(u"Livello di difficolt\u00e0: "_s + s.TestoLivello, 8, 1000, 15300));
        QVERIFY(alPosto(kPiedeDocenti, 8, 1000, 15500));
        // Nothing else is on the page.
        QCOMPARE(parole.size(), attese);
    }
};

QTEST_MAIN(TstStampaScheda)
#include "tst_stampascheda.moc"
