#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QtTest>

class TstFrmInizio : public QObject {
    Q_OBJECT

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void statoDopoIlCaricamento() {
        FrmInizio& f = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(f));
        auto* liv0 = control<CommandTile>(&f, QStringLiteral("Option2(0)"));
        auto* vai = control<CommandTile>(&f, QStringLiteral("Option3(0)"));
        QVERIFY(liv0 && vai);
        QCOMPARE(QApplication::focusWidget(), liv0);
        QCOMPARE(liv0->backColor(), bgr(0x00FFFF80));
        QVERIFY(!vai->isEnabled());
        QCOMPARE(control<Label>(&f, QStringLiteral("Label6"))->caption(), QString());
        QCOMPARE(Modulo2::get().NumMax, qint16(0));
    }

    void sceltaLivelloConIlMouse() {
        FrmInizio& f = Forms::get<FrmInizio>();
        QVERIFY(showAndActivate(f));
        QTest::mousePress(control<CommandTile>(&f, QStringLiteral("Option2(2)")), Qt::LeftButton);
        QCOMPARE(Modulo2::get().NumMin, qint16(50));
        QCOMPARE(Modulo2::get().NumMax, qint16(90));
        auto* vai = control<CommandTile>(&f, QStringLiteral("Option3(0)"));
        QVERIFY(vai->isEnabled());
        QCOMPARE(QApplication::focusWidget(), vai);
        QVERIFY(Forms::isLoaded(QStringLiteral("FrmOperativo")));
    }
};

QTEST_MAIN(TstFrmInizio)
#include "tst_frminizio.moc"
