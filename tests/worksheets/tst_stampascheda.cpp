// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "support/DocumentsFolder.h"
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

// Records 1 to 60 filled with recognisable lines but one: an empty record
// is printed as it stands.
QString riga(int i) {
    return i == 35 ? QString() : u"riga %1"_s.arg(i);
}
void riempiRegistro(Modulo2& m) {
    for (int i = 1; i <= 60; ++i)
        m.RegistroOperazioni[static_cast<size_t>(i)] = riga(i);
}

} // namespace

class TstStampaScheda : public QObject {
    Q_OBJECT

private:
    FakePlatform fakes;

private Q_SLOTS:
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

        // Ten lines a block, 400 twips apart; blocks at three tops, the first
        // three in the left column and the others in the right one.
        const float cime[3] = {2000, 6500, 11000};
        QStringList testi{u"Nome e cognome"_s};
        for (int i = 1; i <= 60; ++i)
            testi << riga(i);
        testi << u"OSA: ricerca "_s << u"Livello di difficolt\u00e0: "_s + kLivello << piede;
        for (int i = 0; i <= 63; ++i) {
            const RecordingPrinters::Entry& e = p.entries.at(i);
            const bool riga = i >= 1 && i <= 60;
            QCOMPARE(e.kind, RecordingPrinters::Entry::Text);
            QCOMPARE(e.text, testi[i]);
            QCOMPARE(e.fontName, u"Courier"_s);
            QCOMPARE(e.fontSize, i == 0 ? 14 : riga ? corpo : 8);
            QCOMPARE(e.bold, false);
            QCOMPARE(e.x, i > 30 && riga ? 6000.0f : 1000.0f);
            QCOMPARE(e.y, i == 0 ? 1000.0f
                          : riga ? cime[(i - 1) / 10 % 3] + 400.0f * static_cast<float>((i - 1) % 10)
                                 : 15100.0f + 200.0f * static_cast<float>(i - 61));
        }
    }

    // Which lines a print button prints: before any worksheet, the records as
    // they stand; once one has been made, the button's own version, whatever
    // the records hold, under the version's file name.
    void righeStampate_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("fatta");
        QTest::addColumn<QString>("attesa");
        QTest::addColumn<QString>("documento");
        QTest::newRow("alunni, nessuna scheda") << 1 << false << u"riga 7"_s << u"Scheda alunni"_s;
        QTest::newRow("docenti, nessuna scheda") << 2 << false << u"riga 7"_s << u"Scheda docenti"_s;
        QTest::newRow("alunni, scheda fatta") << 1 << true << u"alunno 7"_s << u"Scheda alunni"_s;
        QTest::newRow("docenti, scheda fatta") << 2 << true << u"docente 7"_s << u"Scheda docenti"_s;
    }
    void righeStampate() {
        QFETCH(int, tipo);
        QFETCH(bool, fatta);
        QFETCH(QString, attesa);
        QFETCH(QString, documento);
        Modulo2& m = Modulo2::get();
        riempiRegistro(m);
        for (size_t i = 1; i <= 60; ++i) {
            m.RigheAlunni[i] = u"alunno %1"_s.arg(i);
            m.RigheDocenti[i] = u"docente %1"_s.arg(i);
        }
        const QStringList righe = righeDaStampare(m, static_cast<qint16>(tipo), fatta);
        QCOMPARE(righe.size(), 60);
        QCOMPARE(righe.at(6), attesa);
        QCOMPARE(righe.at(34), fatta ? righe.at(6).section(u' ', 0, 0) + u" 35"_s : QString());
        m.TipoScheda = static_cast<qint16>(tipo);
        RecordingPrinters& p = *fakes.printers;
        QVERIFY(StampaScheda(m, righe, kLivello, kPiedeAlunni, p));
        QCOMPARE(p.printedTexts().at(7), attesa);
        QCOMPARE(p.documentNames, QStringList{documento});
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
        const bool stampata = StampaScheda(m, kLivello, kPiedeDocenti, p);
        QCOMPARE(fakes.messageBox->texts, QStringList());
        QVERIFY(stampata);
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(p.entries.size(), 65);
        QCOMPARE(p.entries.first().printer, Printers::kFilePdf);
    }

    // The real printers: a teacher worksheet made at the middle range and
    // printed to a PDF file. Read back, the one A4 page holds the header, all
    // sixty lines at their places and the three footer lines, nothing else.
    void suFilePdf() {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is not installed");
        QTemporaryDir cartella;
        DocumentsFolder documenti(cartella.path());
        auto reali = std::make_unique<QtPrinters>();
        QtPrinters& p = *reali;
        p.setCurrentPrinter(Printers::kFilePdf);
        platform::setPrinters(std::move(reali));

        Modulo2& m = Modulo2::get();
        StatoScheda s;
        SceltaLivelloScheda(s, 1);
        SeededRandom rnd(4242);
        generaSchedaAlunni(s, m, rnd, *fakes.clock);
        mostraSchedaDocenti(m);
        QVERIFY(StampaScheda(m, s.TestoLivello, kPiedeDocenti, p));
        QCOMPARE(fakes.messageBox->texts.size(), 1);
        const QString pdf = documenti.newFile();
        QVERIFY(fakes.messageBox->texts.first().contains(pdf));
        QCOMPARE(QFileInfo(pdf).absolutePath(), QFileInfo(cartella.path()).absoluteFilePath());

        QProcess lettura;
        lettura.start(pdftotext, {u"-bbox"_s, pdf, u"-"_s});
        QVERIFY(lettura.waitForFinished(30000) && lettura.exitCode() == 0);
        const QString html = QString::fromUtf8(lettura.readAllStandardOutput());
        // One A4 page: 595 x 842 points.
        QCOMPARE(html.count(u"<page "_s), 1);
        const auto misure =
            QRegularExpression(uR"re(<page width="([\d.]+)" height="([\d.]+)">)re"_s).match(html);
        QCOMPARE(qRound(misure.captured(1).toDouble()), 595);
        QCOMPARE(qRound(misure.captured(2).toDouble()), 842);

        // Every word of every line where Courier puts it: the line's place
        // plus 0.6 of the size for each character before the word. A twip is
        // a twentieth of a point; a word's box lies within the line height
        // below the line's place.
        QList<std::tuple<QString, double, double>> parole;
        const QRegularExpression parola(
            uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"_s);
        for (auto it = parola.globalMatch(html); it.hasNext();) {
            const auto w = it.next();
            parole.append({w.captured(3), w.captured(1).toDouble(), w.captured(2).toDouble()});
        }
        int attese = 0;
        auto alPosto = [&](const QString& testo, double corpo, double xTwips, double yTwips) {
            for (auto it = QRegularExpression(u"\\S+"_s).globalMatch(testo); it.hasNext(); ++attese) {
                const auto w = it.next();
                const double x = xTwips / 20 + 0.6 * corpo * static_cast<double>(w.capturedStart()),
                             y = yTwips / 20;
                if (std::none_of(parole.begin(), parole.end(), [&](const auto& p) {
                        const auto& [t, px, py] = p;
                        return t == w.captured().toHtmlEscaped() && qAbs(px - x) < 1.5 && py >= y - 1 &&
                               py < y + corpo;
                    }))
                    return false;
            }
            return true;
        };
        QVERIFY(alPosto(u"Nome e cognome"_s, 14, 1000, 1000));
        for (int i = 1; i <= 60; ++i)
            QVERIFY2(
                alPosto(m.RegistroOperazioni[static_cast<size_t>(i)], 10, xRigaScheda(i), yRigaScheda(i)),
                qPrintable(m.RegistroOperazioni[static_cast<size_t>(i)]));
        QVERIFY(alPosto(u"OSA: ricerca "_s, 8, 1000, 15100));
        QVERIFY(alPosto(u"Livello di difficolt\u00e0: "_s + s.TestoLivello, 8, 1000, 15300));
        QVERIFY(alPosto(kPiedeDocenti, 8, 1000, 15500));
        QCOMPARE(parole.size(), attese);
    }
};

QTEST_MAIN(TstStampaScheda)
#include "tst_stampascheda.moc"
