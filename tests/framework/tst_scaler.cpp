// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QtTest>

namespace {
QList<QRect> disposizione(const Form& f) {
    QList<QRect> rects;
    for (const QWidget* w : f.client()->findChildren<QWidget*>())
        rects.append(w->geometry());
    return rects;
}
} // namespace

class TstScaler : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QTest::newRow("Vai, in Frame3") << QStringLiteral("Option3(0)") << QRectF(60, 105, 4110, 1140);
        QTest::newRow("livello 2, in Frame2") << QStringLiteral("Option2(2)") << QRectF(90, 1860, 4485, 840);
        QTest::newRow("Label3, in frmTitolo") << QStringLiteral("Label3") << QRectF(180, 1305, 7680, 465);
        QTest::newRow("Image1") << QStringLiteral("Image1") << QRectF(240, 2760, 4560, 4560);
    }
    // A screen 1.5 times the design width and 1.2 times its height: every
    // control, in a frame or not, grows and moves by the same factors.
    void finestraIngrandita() {
        QFETCH(QString, nome);
        QFETCH(QRectF, progetto);
        FrmInizio& f = Forms::get<FrmInizio>();
        QWidget* c = control(&f, nome);
        QVERIFY(c);
        const QFont font = c->font();
        setInnerSize(f, QSize(1193, 667));
        QCOMPARE(f.client()->size(), QSize(1193, 667));
        const double fx = 1.5 / kTwipsPerPixel, fy = 1.2 / kTwipsPerPixel;
        const QRect g = c->geometry();
        for (double d : {g.x() - progetto.x() * fx, g.y() - progetto.y() * fy,
                         g.width() - progetto.width() * fx, g.height() - progetto.height() * fy})
            QVERIFY2(std::abs(d) <= 1.0, qPrintable(QString::number(d)));
        QCOMPARE(c->font(), font);
    }

    // The proportions are taken once: after a minimise and restore, or a
    // shrink to nothing and back, the layout is the same again.
    void ritornoAllaStessaDisposizione() {
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
        setInnerSize(f, QSize(0, 0));
        for (const QRect& r : disposizione(f))
            QCOMPARE(r.size(), QSize(0, 0));
        setInnerSize(f, QSize(400, 900));
        setInnerSize(f, interno);
        QCOMPARE(disposizione(f), prima);
    }
};

QTEST_MAIN(TstScaler)
#include "tst_scaler.moc"
