// The exercise window as the start window loads and shows it, its lifecycle,
// and its layout at any size.

#include "OperativoTest.h"

#include <QAction>
#include <QMenuBar>

using namespace op;

namespace {

// Everything the layout places: number labels, correction, cross end points, frames.
QList<QRectF> fotografia(const FrmOperativo* f) {
    QList<QRectF> rects;
    for (int k = 1; k <= 4; ++k)
        rects << twipsRect(etichetta(f, QStringLiteral("lblNumero%1").arg(k)));
    rects << twipsRect(etichetta(f, QStringLiteral("lblCorrezione")));
    for (int k = 0; k < 4; ++k)
        for (const QString& n : {QStringLiteral("Line1(%1)"), QStringLiteral("Line2(%1)")}) {
            const auto* l = control<LineControl>(f, n.arg(k));
            rects << QRectF(QPointF(l->x1(), l->y1()), QPointF(l->x2(), l->y2()));
        }
    for (const QString& p : kPannelli)
        rects << twipsRect(control<QWidget>(f, p));
    return rects;
}

// Each cross joins exactly the corners of its number label, and the four
// command frames share the reference label's top-left corner.
void verificaImpaginazione(const FrmOperativo* f) {
    for (int k = 0; k < 4; ++k) {
        const QRectF r = twipsRect(etichetta(f, QStringLiteral("lblNumero%1").arg(k + 1)));
        const auto* l1 = control<LineControl>(f, QStringLiteral("Line1(%1)").arg(k));
        const auto* l2 = control<LineControl>(f, QStringLiteral("Line2(%1)").arg(k));
        // The corners are single-precision sums, as the proportions are.
        const float l = float(r.left()), t = float(r.top()), dx = float(r.width()), dy = float(r.height());
        QCOMPARE(QPointF(l1->x1(), l1->y1()), QPointF(l, t));
        QCOMPARE(QPointF(l1->x2(), l1->y2()), QPointF(l + dx, t + dy));
        QCOMPARE(QPointF(l2->x1(), l2->y1()), QPointF(l, t + dy));
        QCOMPARE(QPointF(l2->x2(), l2->y2()), QPointF(l + dx, t));
    }
    const QPointF riferimento = twipsRect(etichetta(f, QStringLiteral("lblRiferimento"))).topLeft();
    for (const QString& p : kPannelli)
        QCOMPARE(twipsRect(control<QWidget>(f, p)).topLeft(), riferimento);
}

} // namespace

class TstFrmOperativoCaricamento : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void caricataDallaSceltaDelLivelloEMostrataDaVai() {
        FrmOperativo* f = apri(1, false);
        QVERIFY(f);
        QVERIFY(!f->isVisible());
        QCOMPARE(testo(f, QStringLiteral("Label2")), QStringLiteral("Numero massimo compreso tra 30 e 70"));
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("1"));
        for (const char* vuota : {"lblRisEsatte", "lblRisErrate", "LblTempoParziale", "LblTempoTotale",
                                  "LblEsito", "lblCorrezione"})
            QCOMPARE(testo(f, QLatin1String(vuota)), QString());
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraTastierino")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraTastierino"));
        QCOMPARE(lineeVisibili(f), QStringList());
        // Hidden, the keypad cannot take the focus: "Avanti" and "Esco" keep their design state.
        for (int i = 0; i <= 11; ++i)
            QVERIFY2(tasto(f, i)->isEnabled(), qPrintable(QString::number(i)));
        QVERIFY(!tasto(f, 12)->isEnabled());
        QVERIFY(!tasto(f, 13)->isEnabled());

        // The operation uses the chosen level, hides one term and starts record 1 only.
        QCOMPARE(m().NumOperazione, qint16(1));
        for (int k = 1; k <= 4; ++k) {
            QVERIFY(m().num(k) >= 30 && m().num(k) < 70);
            Label* l = etichetta(f, QStringLiteral("lblNumero%1").arg(k));
            if (k == m().PosNascosto) {
                QCOMPARE(l->caption(), QStringLiteral("?"));
                QCOMPARE(l->foreColor(), QColor(128, 64, 0));
            } else {
                QCOMPARE(l->caption(), m().strNum(k));
                QCOMPARE(l->foreColor(), QColor(0, 0, 192));
            }
        }
        QVERIFY2(registroAppenaFatto(registro(1)), qPrintable(registro(1)));
        for (int i = 2; i <= 20; ++i)
            QCOMPARE(registro(i), QString());

        FrmInizio* inizio = static_cast<FrmInizio*>(Forms::find(FrmInizio::kName));
        clic(tessera(inizio, QStringLiteral("Option3(0)")));
        QVERIFY(QTest::qWaitForWindowActive(f));
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
        QCOMPARE(tasto(f, 1)->backColor(), bgr(0x0080C0FF));
        QVERIFY(!tasto(f, 12)->isEnabled());
        QVERIFY(!tasto(f, 13)->isEnabled());
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("1"));
        QCOMPARE(f->windowTitle(), QStringLiteral("PONTELO (addizioni o sottrazioni)"));
    }

    void menuVisualizzaEsercizioSempreDisponibile() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        auto* menu = f->findChild<QAction*>(QStringLiteral("mnuVisualizzaEsercizio"));
        QVERIFY(menu);
        QVERIFY(f->menuBar()->actions().contains(menu));
        // In the middle of the help question too: the menu is never switched off.
        rispondi(f, sbagliata());
        QVERIFY(menu->isVisible() && menu->isEnabled());
        const QString prima = registro(1);
        menu->trigger();
        Form* risultati = Forms::find(QStringLiteral("FrmStampaEsercizio"));
        QVERIFY(risultati && risultati->isVisible());
        // The run goes on untouched.
        QVERIFY(Forms::isLoaded(FrmOperativo::kName));
        QCOMPARE(registro(1), prima);
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraAiuto")});
    }

    void escoChiudeEIlNuovoCaricamentoRiparte_data() {
        QTest::addColumn<QString>("come");
        QTest::newRow("Esco col mouse") << "mouse";
        QTest::newRow("Esco da tastiera") << "E Enter";
        QTest::newRow("casella di chiusura") << "casella";
    }
    void escoChiudeEIlNuovoCaricamentoRiparte() {
        QFETCH(QString, come);
        FrmOperativo* f = apri();
        QVERIFY(f);
        rispondi(f, giusta());
        avanti(f);
        rispondi(f, sbagliata());
        clic(tessera(f, QStringLiteral("Option3(0)")));
        if (come == QLatin1String("casella"))
            f->close();
        else if (come == QLatin1String("mouse"))
            QTest::mousePress(tasto(f, 13), Qt::LeftButton);
        else
            batti(come);
        flushEvents();
        QVERIFY(!Forms::isLoaded(FrmOperativo::kName));
        // The run stays in the session state for the results window.
        QCOMPARE(m().RisposteEsatte, qint16(1));
        QCOMPARE(m().RisposteErrate, qint16(1));
        QVERIFY(registro(2).endsWith(QStringLiteral("°")));

        f = apri(2);
        QVERIFY(f);
        QCOMPARE(m().RisposteEsatte, qint16(0));
        QCOMPARE(m().RisposteErrate, qint16(0));
        QCOMPARE(m().NumOperazione, qint16(1));
        QVERIFY(registroAppenaFatto(registro(1)));
        QCOMPARE(registro(2), QString());
        QCOMPARE(testo(f, QStringLiteral("LblOperazione")), QStringLiteral("1"));
        QCOMPARE(testo(f, QStringLiteral("lblRisEsatte")), QString());
        QCOMPARE(testo(f, QStringLiteral("lblRisErrate")), QString());
        QCOMPARE(focoNome(), QStringLiteral("Option2(1)"));
    }

    void impaginazioneAQualsiasiMisura_data() {
        QTest::addColumn<QSize>("misura");
        QTest::newRow("misura di progetto") << QSize(794, 576);
        QTest::newRow("piccola") << QSize(400, 300);
        QTest::newRow("larga e bassa") << QSize(1500, 500);
        QTest::newRow("stretta e alta") << QSize(537, 911);
    }
    void impaginazioneAQualsiasiMisura() {
        QFETCH(QSize, misura);
        FrmOperativo* f = apri();
        QVERIFY(f);
        // A settled wrong answer: its cross and the correction must follow the terms.
        rispondi(f, sbagliata());
        clic(tessera(f, QStringLiteral("Option3(0)")));
        const int pos = m().PosNascosto;

        f->setInnerSize(misura);
        QCOMPARE(f->innerTwips(), QSizeF(misura) * kTwipsPerPixel);
        const double scalaX = misura.width() * kTwipsPerPixel / 11910.0;
        QVERIFY(qAbs(twipsRect(etichetta(f, QStringLiteral("lblNumero3"))).left() - 6210 * scalaX) < 0.5);
        verificaImpaginazione(f);
        QCOMPARE(twipsRect(control<QWidget>(f, QStringLiteral("fraAiuto"))).width(),
                 twipsRect(control<QWidget>(f, QStringLiteral("fraTastierino"))).width());
        QCOMPARE(lineeVisibili(f), croceSu(pos));
        QCOMPARE(twipsRect(etichetta(f, QStringLiteral("lblCorrezione"))).left(),
                 twipsRect(nascosta(f)).left());
        QCOMPARE(testo(f, QStringLiteral("lblCorrezione")), m().StrRisultato);
    }

    void ridottaAZeroERipristinataTornaUguale() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        rispondi(f, sbagliata());
        clic(tessera(f, QStringLiteral("Option3(0)")));
        const QSize misura(900, 640);
        f->setInnerSize(misura);
        const QList<QRectF> prima = fotografia(f);

        f->setInnerSize(QSize(0, 0));
        verificaImpaginazione(f);
        f->setInnerSize(misura);
        QCOMPARE(fotografia(f), prima);

        f->showMinimized();
        flushEvents();
        f->showForm();
        flushEvents();
        f->setInnerSize(misura);
        QCOMPARE(fotografia(f), prima);
        verificaImpaginazione(f);
    }

    void ridimensionataDuranteLaSerie() {
        FrmOperativo* f = apri();
        QVERIFY(f);
        const QList<QSize> misure{{640, 480}, {1024, 700}, {300, 900}};
        // Resizes between the steps of an operation leave the run and its records whole.
        for (int i = 0; i < 3; ++i) {
            f->setInnerSize(misure[i]);
            rispondi(f, sbagliata());
            f->setInnerSize(misure[(i + 1) % 3]);
            clic(tessera(f, QStringLiteral("Option3(1)")));
            f->setInnerSize(misure[(i + 2) % 3]);
            verificaImpaginazione(f);
        }
        QCOMPARE(pannelliAbilitati(f), QStringList{QStringLiteral("fraIntervento")});
        QCOMPARE(pannelloDavanti(f), QStringLiteral("fraIntervento"));
        QCOMPARE(m().RisposteErrate, qint16(3));
        const QString w = sbagliata() + QStringLiteral("* ");
        QVERIFY2(registro(1).endsWith(QStringLiteral("(R.") + w + w + w), qPrintable(registro(1)));
    }
};

QTEST_MAIN(TstFrmOperativoCaricamento)
#include "tst_frmoperativo_caricamento.moc"
