#include "framework/Scaler.h"
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
// Design inner size of the start window, in pixels (11925 x 8340 twips).
constexpr int kLarghezza = 795;
constexpr int kAltezza = 556;

QList<QRect> disposizione(const Form& f) {
    QList<QRect> rects;
    for (const QWidget* w : f.client()->findChildren<QWidget*>())
        rects.append(w->geometry());
    return rects;
}
} // namespace

class TstScaler : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void finestraIngrandita_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QRectF>("progetto");
        QTest::newRow("Esci") << QStringLiteral("Option3(1)") << QRectF(6645, 5340, 4110, 1140);
        QTest::newRow("Frame3") << QStringLiteral("Frame3") << QRectF(6555, 3750, 4230, 3015);
        QTest::newRow("Vai, nella cornice") << QStringLiteral("Option3(0)") << QRectF(60, 105, 4110, 1140);
        QTest::newRow("Frame2") << QStringLiteral("Frame2") << QRectF(1380, 3705, 4635, 2985);
        QTest::newRow("livello 0") << QStringLiteral("Option2(0)") << QRectF(90, 105, 4485, 840);
        QTest::newRow("livello 1") << QStringLiteral("Option2(1)") << QRectF(90, 990, 4485, 840);
        QTest::newRow("livello 2") << QStringLiteral("Option2(2)") << QRectF(90, 1860, 4485, 840);
        QTest::newRow("frmTitolo") << QStringLiteral("frmTitolo") << QRectF(30, 90, 11745, 1905);
        QTest::newRow("Label3") << QStringLiteral("Label3") << QRectF(180, 1305, 7680, 465);
        QTest::newRow("Label7") << QStringLiteral("Label7") << QRectF(8850, 420, 2280, 420);
        QTest::newRow("Shape4") << QStringLiteral("Shape4") << QRectF(8685, 60, 2910, 1785);
        QTest::newRow("Shape3") << QStringLiteral("Shape3") << QRectF(8670, 90, 3000, 1785);
        QTest::newRow("Label1") << QStringLiteral("Label1") << QRectF(195, 870, 7680, 465);
        QTest::newRow("Label4") << QStringLiteral("Label4") << QRectF(180, 150, 7845, 720);
        QTest::newRow("Shape2") << QStringLiteral("Shape2") << QRectF(0, 60, 8400, 1785);
        QTest::newRow("Shape1") << QStringLiteral("Shape1") << QRectF(90, 90, 8400, 1785);
        QTest::newRow("Label6") << QStringLiteral("Label6") << QRectF(510, 2010, 9585, 600);
        QTest::newRow("Label2") << QStringLiteral("Label2") << QRectF(9720, 900, 1635, 285);
        QTest::newRow("Image1") << QStringLiteral("Image1") << QRectF(240, 2760, 4560, 4560);
        QTest::newRow("Label5") << QStringLiteral("Label5") << QRectF(240, 7470, 4800, 465);
    }
    // A screen 1.5 times the design width and 1.2 times its height: every
    // control, in a frame or not, grows and moves by the same factors.
    void finestraIngrandita() {
        QFETCH(QString, nome);
        QFETCH(QRectF, progetto);
        FrmInizio& f = Forms::get<FrmInizio>();
        QWidget* c = control(&f, nome);
        QVERIFY(c);
        const QRect aProgetto(twipsToPixels(progetto.x()), twipsToPixels(progetto.y()),
                              twipsToPixels(progetto.width()), twipsToPixels(progetto.height()));
        QCOMPARE(c->geometry(), aProgetto);
        const QFont font = c->font();

        const QSize interno(qRound(kLarghezza * 1.5), qRound(kAltezza * 1.2));
        f.setInnerSize(interno);
        QCOMPARE(f.client()->size(), interno);
        const double fx = double(interno.width()) / kLarghezza / kTwipsPerPixel;
        const double fy = double(interno.height()) / kAltezza / kTwipsPerPixel;
        const QRect g = c->geometry();
        auto vicino = [](int actual, double expected) { return std::abs(actual - expected) <= 1.0; };
        QVERIFY2(vicino(g.left(), progetto.left() * fx), qPrintable(QString::number(g.left())));
        QVERIFY2(vicino(g.top(), progetto.top() * fy), qPrintable(QString::number(g.top())));
        QVERIFY2(vicino(g.width(), progetto.width() * fx), qPrintable(QString::number(g.width())));
        QVERIFY2(vicino(g.height(), progetto.height() * fy), qPrintable(QString::number(g.height())));
        QCOMPARE(c->font(), font);
    }

    // The proportions are taken once: shrinking to nothing, or through
    // several sizes, and back gives exactly the same layout.
    void ritornoAllaStessaDimensione() {
        FrmInizio& f = Forms::get<FrmInizio>();
        const QSize grande(1193, 667);
        f.setInnerSize(grande);
        const QList<QRect> prima = disposizione(f);
        f.setInnerSize(QSize(0, 0));
        for (const QRect& r : disposizione(f))
            QCOMPARE(r.size(), QSize(0, 0));
        f.setInnerSize(QSize(400, 900));
        f.setInnerSize(QSize(kLarghezza, kAltezza));
        f.setInnerSize(grande);
        QCOMPARE(disposizione(f), prima);
    }

    void ridottaARiquadroERipristinata() {
        FrmInizio& f = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(f));
        flushEvents();
        const QSize interno = f.client()->size();
        const QList<QRect> prima = disposizione(f);
        f.showMinimized();
        flushEvents();
        f.showForm();
        flushEvents();
        QVERIFY(!f.isMinimized());
        QCOMPARE(f.client()->size(), interno);
        QCOMPARE(disposizione(f), prima);
    }

    void vociSenzaPosizione() {
        QWidget contenitore;
        auto* scalato = new QWidget(&contenitore);
        auto* linea = new QWidget(&contenitore);
        auto* perso = new QWidget(&contenitore);
        placeTwips(scalato, {150, 300, 1500, 600});
        placeTwips(linea, {150, 300, 1500, 600});
        placeTwips(perso, {150, 300, 1500, 600});
        Scaler scaler;
        scaler.takeProportions({{scalato, Scaler::Kind::Control},
                                {linea, Scaler::Kind::Unscaled},
                                {perso, Scaler::Kind::Control}},
                               QSizeF(3000, 3000));
        QCOMPARE(scaler.table().size(), 3);
        QCOMPARE(scaler.table().at(1).width, 0.0f);
        // A control gone since the table was taken is passed over.
        delete perso;
        scaler.rescale(QSizeF(6000, 1500));
        QCOMPARE(twipsRect(scalato), QRectF(300, 150, 3000, 300));
        QCOMPARE(linea->geometry(), QRect(10, 20, 100, 40));
    }
};

QTEST_MAIN(TstScaler)
#include "tst_scaler.moc"
