#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Printers.h"
#include "platform/QtPrinters.h"
#include "results/StampaEsercizio.h"
#include "session/Modulo2.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {
using Entry = RecordingPrinters::Entry;
// Record number -> the y it is printed at.
using Posizioni = QMap<int, float>;

// A record as a run writes it: operation line, padding to 35, the attempts.
QString record(int i) {
    const QString riga = QStringLiteral("%1 + %2 = %3 +  ...").arg(i, 4).arg(7, 4).arg(i + 2, 4);
    return riga.leftJustified(35) + QStringLiteral("(R.%1* %2  ").arg(i + 1).arg(5);
}

// A run of n operations with the given total-time text.
Modulo2& run(int n, const QString& totale = QStringLiteral(" 93")) {
    Modulo2::reset();
    Modulo2& m = Modulo2::get();
    m.NumOperazione = static_cast<qint16>(n);
    for (int i = 1; i <= 20; ++i)
        m.RegistroOperazioni[static_cast<size_t>(i)] = i <= n ? record(i) : QString();
    // A worksheet made earlier leaves lines beyond the run's twenty.
    m.RegistroOperazioni[21] = QStringLiteral("riga di una scheda");
    m.StrTempoTotale = totale;
    return m;
}

// One word of `pdftotext -bbox`: its text and its box in points.
struct Parola {
    QString testo;
    QRectF box;
};

QList<Parola> paroleDelPdf(const QString& file, QString* errore) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        *errore = QStringLiteral("pdftotext (poppler-utils) did not run: %1").arg(pdftotext.errorString());
        return {};
    }
    static const QRegularExpression parola(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Parola> parole;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (auto it = parola.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF alto(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF basso(m.captured(3).toDouble(), m.captured(4).toDouble());
        parole.append({m.captured(5), QRectF(alto, basso)});
    }
    return parole;
}
} // namespace

// The exercise printout: what is printed, where, in which font, as one document.
class TstStampaEsercizio : public QObject {
    Q_OBJECT

    RecordingMessageBox* box = nullptr;

private slots:
    void init() {
        auto messaggi = std::make_unique<RecordingMessageBox>();
        box = messaggi.get();
        platform::setMessageBox(std::move(messaggi));
    }
    void cleanupTestCase() { Modulo2::reset(); }

    void righeStampate_data() {
        QTest::addColumn<int>("n");
        // Record number -> the y it must be printed at, for the block edges.
        QTest::addColumn<Posizioni>("posizioni");
        QTest::newRow("N = 0") << 0 << Posizioni{};
        QTest::newRow("N = 1") << 1 << Posizioni{{1, 2000}};
        QTest::newRow("N = 10") << 10 << Posizioni{{1, 2000}, {2, 2400}, {10, 5600}};
        QTest::newRow("N = 11") << 11 << Posizioni{{10, 5600}, {11, 7000}};
        QTest::newRow("N = 20") << 20
                                << Posizioni{{1, 2000}, {10, 5600}, {11, 7000}, {12, 7400}, {20, 10600}};
    }
    void righeStampate() {
        QFETCH(int, n);
        QFETCH(Posizioni, posizioni);
        RecordingPrinters p;
        // A document printed before left bold on and another size.
        p.setFontBold(true);
        p.setFontSize(8);
        Modulo2& m = run(n);
        QVERIFY(StampaEsercizio(m, p));
        QVERIFY(box->texts.isEmpty());

        const QList<Entry>& e = p.entries;
        QCOMPARE(e.size(), n + 4);
        QCOMPARE(p.documentsEnded(), 1);
        QCOMPARE(e.last().kind, Entry::EndDoc);
        const Entry& intestazione = e.first();
        QCOMPARE(std::tuple(intestazione.text, intestazione.x, intestazione.y, intestazione.fontName,
                            intestazione.fontSize, intestazione.bold),
                 std::tuple(QStringLiteral("SCUOLA ELEMENTARE DI "), 1000.0f, 1000.0f,
                            QStringLiteral("Courier New"), 18.0f, false));
        for (int i = 1; i <= n; ++i) {
            const Entry& r = e.at(i);
            QCOMPARE(r.text, record(i));
            QCOMPARE(std::tuple(r.x, r.fontName, r.fontSize, r.bold),
                     std::tuple(1000.0f, QStringLiteral("Courier New"), 12.0f, true));
            // Every line of a block is 400 twips under the one before.
            if (i != 1 && i != 11)
                QCOMPARE(r.y, e.at(i - 1).y + 400);
        }
        for (auto it = posizioni.cbegin(); it != posizioni.cend(); ++it)
            QCOMPARE(e.at(it.key()).y, it.value());
        const Entry& primo = e.at(n + 1);
        const Entry& secondo = e.at(n + 2);
        QCOMPARE(
            std::tuple(primo.text, primo.x, primo.y, primo.fontSize, primo.bold),
            std::tuple(QStringLiteral("Eser. n.1: Tempo tot.  93 secondi"), 1000.0f, 11000.0f, 12.0f, true));
        QCOMPARE(
            std::tuple(secondo.text, secondo.x, secondo.y, secondo.fontSize, secondo.bold),
            std::tuple(QStringLiteral("Eser. n.2: Tempo tot.  93 secondi"), 1000.0f, 11400.0f, 12.0f, true));
        // The records are read, never changed.
        QCOMPARE(m.RegistroOperazioni[1], n >= 1 ? record(1) : QString());
        QCOMPARE(m.StrTempoTotale, QStringLiteral(" 93"));
    }

    // The printout through the real printing path, read back from the PDF:
    // the header and the first and last records lie where they are meant to,
    // within a millimetre, counted from the page's top left corner.
    void suFilePdf() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        QtPrinters p;
        p.setPdfFolder(cartella.path());
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(StampaEsercizio(run(20), p));
        QCOMPARE(box->texts.size(), 1);
        QVERIFY(QFileInfo(p.lastPdfFile()).size() > 0);

        QString errore;
        const QList<Parola> parole = paroleDelPdf(p.lastPdfFile(), &errore);
        QVERIFY2(errore.isEmpty(), qPrintable(errore));
        const double mm = 72.0 / 25.4;
        const double puntiPerTwip = 1.0 / 20.0;
        // Courier New's advance is 0.6 of the font size.
        const double passo12 = 0.6 * 12;
        // The word with this text nearest to where it belongs must be within 1 mm.
        auto verifica = [&](const QString& testo, double xTwip, int blanksPrima, double yTwip, double passo) {
            const QPointF atteso(xTwip * puntiPerTwip + blanksPrima * passo, yTwip * puntiPerTwip);
            const Parola* vicina = nullptr;
            for (const Parola& w : parole)
                if (w.testo == testo && (!vicina || QLineF(w.box.topLeft(), atteso).length() <
                                                        QLineF(vicina->box.topLeft(), atteso).length()))
                    vicina = &w;
            QVERIFY2(vicina, qPrintable(testo + QStringLiteral(" not found in the PDF")));
            const QString dove = QStringLiteral("%1 at %2,%3 pt instead of %4,%5")
                                     .arg(testo)
                                     .arg(vicina->box.left())
                                     .arg(vicina->box.top())
                                     .arg(atteso.x())
                                     .arg(atteso.y());
            QVERIFY2(qAbs(vicina->box.left() - atteso.x()) <= mm &&
                         qAbs(vicina->box.top() - atteso.y()) <= mm,
                     qPrintable(dove));
        };
        verifica(QStringLiteral("SCUOLA"), 1000, 0, 1000, 0.6 * 18);
        verifica(QStringLiteral("ELEMENTARE"), 1000, 7, 1000, 0.6 * 18);
        // Record 1 is "   1 +    7 ...": its first word after three blanks.
        verifica(QStringLiteral("1"), 1000, 3, 2000, passo12);
        verifica(QStringLiteral("(R.2*"), 1000, 35, 2000, passo12);
        verifica(QStringLiteral("20"), 1000, 2, 10600, passo12);
        verifica(QStringLiteral("(R.21*"), 1000, 35, 10600, passo12);
        verifica(QStringLiteral("n.1:"), 1000, 6, 11000, passo12);
        verifica(QStringLiteral("n.2:"), 1000, 6, 11400, passo12);
    }
};

QTEST_MAIN(TstStampaEsercizio)
#include "tst_stampaesercizio.moc"
