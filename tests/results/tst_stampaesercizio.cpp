// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Modulo2.h"
#include "platform/QtPrinters.h"
#include "results/StampaEsercizio.h"
#include "support/DocumentsFolder.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {
using Entry = RecordingPrinters::Entry;
// Record number -> the y it is printed at.
using Posizioni = QMap<int, float>;
using Voce = std::tuple<QString, float, float, QString, float, bool>;

Voce voce(const Entry& e) {
    return {e.text, e.x, e.y, e.fontName, e.fontSize, e.bold};
}

// A record as a run writes it: operation line, padding to 35, the attempts.
QString record(int i) {
    const QString riga = QStringLiteral("%1 + %2 = %3 +  ...").arg(i, 4).arg(7, 4).arg(i + 2, 4);
    return riga.leftJustified(35) + QStringLiteral("(R.%1* %2  ").arg(i + 1).arg(5);
}

// A run of n operations with a total time of " 93".
Modulo2& run(int n) {
    Modulo2::reset();
    Modulo2& m = Modulo2::get();
    m.NumOperazione = static_cast<qint16>(n);
    for (int i = 1; i <= 20; ++i)
        m.RegistroOperazioni[static_cast<size_t>(i)] = i <= n ? record(i) : QString();
    // A worksheet made earlier leaves lines beyond the run's twenty.
    m.RegistroOperazioni[21] = QStringLiteral("riga di una scheda");
    m.StrTempoTotale = QStringLiteral(" 93");
    return m;
}

// The words of `pdftotext -bbox` with their boxes in points.
QList<std::pair<QString, QRectF>> paroleDelPdf(const QString& file) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    static const QRegularExpression parola(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<std::pair<QString, QRectF>> parole;
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (auto it = parola.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        parole.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return parole;
}
} // namespace

// The exercise printout: what is printed, where, in which font, as one document.
class TstStampaEsercizio : public QObject {
    Q_OBJECT

    RecordingMessageBox* box = nullptr;

private Q_SLOTS:
    void init() { box = installFakePlatform().messageBox; }
    void cleanupTestCase() { Modulo2::reset(); }

    void righeStampate_data() {
        QTest::addColumn<int>("n");
        // The y of the block edges; every other line is 400 twips under the one before.
        QTest::addColumn<Posizioni>("posizioni");
        QTest::newRow("N = 0") << 0 << Posizioni{};
        QTest::newRow("N = 10") << 10 << Posizioni{{1, 2000}, {2, 2400}, {10, 5600}};
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
        const QString courier = QStringLiteral("Courier New");
        QCOMPARE(voce(e.first()), Voce("SCUOLA ELEMENTARE DI ", 1000, 1000, courier, 18, false));
        for (int i = 1; i <= n; ++i)
            QCOMPARE(voce(e.at(i)),
                     Voce(record(i), 1000, posizioni.value(i, e.at(i - 1).y + 400), courier, 12, true));
        QCOMPARE(voce(e.at(n + 1)),
                 Voce("Eser. n.1: Tempo tot.  93 secondi", 1000, 11000, courier, 12, true));
        QCOMPARE(voce(e.at(n + 2)),
                 Voce("Eser. n.2: Tempo tot.  93 secondi", 1000, 11400, courier, 12, true));
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
        DocumentsFolder documenti(cartella.path());
        QtPrinters p;
        p.setCurrentPrinter(Printers::kFilePdf);
        QVERIFY(StampaEsercizio(run(20), p));
        QCOMPARE(box->texts.size(), 1);
        const auto parole = paroleDelPdf(documenti.newFile());
        QVERIFY2(!parole.isEmpty(), "pdftotext (poppler-utils) found no words");
        // The word nearest to where it belongs must lie within 1 mm of it;
        // Courier New's advance is 0.6 of the font size.
        auto verifica = [&](const QString& testo, int blanksPrima, double yTwip, double punti = 12) {
            const QPointF atteso(1000 / 20.0 + blanksPrima * 0.6 * punti, yTwip / 20.0);
            QPointF vicina(1e9, 1e9);
            for (const auto& [w, b] : parole)
                if (w == testo && QLineF(b.topLeft(), atteso).length() < QLineF(vicina, atteso).length())
                    vicina = b.topLeft();
            const double mm = 72.0 / 25.4;
            QVERIFY2(qAbs(vicina.x() - atteso.x()) <= mm && qAbs(vicina.y() - atteso.y()) <= mm,
                     qPrintable(testo + QString::asprintf(" at %.1f,%.1f pt", vicina.x(), vicina.y())));
        };
        verifica(QStringLiteral("SCUOLA"), 0, 1000, 18);
        verifica(QStringLiteral("ELEMENTARE"), 7, 1000, 18);
        // Record 1 is "   1 +    7 ...": its first word after three blanks.
        verifica(QStringLiteral("1"), 3, 2000);
        verifica(QStringLiteral("20"), 2, 10600);
        verifica(QStringLiteral("(R.21*"), 35, 10600);
        verifica(QStringLiteral("n.2:"), 6, 11400);
    }
};

QTEST_MAIN(TstStampaEsercizio)
#include "tst_stampaesercizio.moc"
