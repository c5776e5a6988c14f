#include "framework/Controls.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QPushButton>
#include <QtTest>

class TstFrmAutore : public QObject {
    Q_OBJECT

    // Opens the About window the way the user does, from the start window.
    FrmAutore* apri() {
        FrmInizio& inizio = Forms::get<FrmInizio>();
        inizio.showForm();
        inizio.findChild<QAction*>(QStringLiteral("mnuAutore"))->trigger();
        auto* autore = static_cast<FrmAutore*>(Forms::find(FrmAutore::kName));
        if (autore && !QTest::qWaitForWindowActive(autore))
            return nullptr;
        return autore;
    }

private slots:
    void init() {
        resetProgram();
        installFakePlatform();
    }
    void cleanup() { resetProgram(); }

    void didascalie_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("testo");
        QTest::newRow("Label1") << QStringLiteral("Label1") << QStringLiteral("Sito dell'autore:");
        QTest::newRow("Label3") << QStringLiteral("Label3") << QStringLiteral("Email:");
    }
    void didascalie() {
        QFETCH(QString, nome);
        QFETCH(QString, testo);
        FrmAutore* f = apri();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QStringLiteral("Autore"));
        QCOMPARE(control<Label>(f, nome)->caption(), testo);
        QCOMPARE(control<QPushButton>(f, QStringLiteral("Command1"))->text(), QStringLiteral("C h i u d i"));
    }

    void soloChiudiPrendeIlFuoco() {
        FrmAutore* f = apri();
        QVERIFY(f);
        auto* chiudi = control<QPushButton>(f, QStringLiteral("Command1"));
        QCOMPARE(QApplication::focusWidget(), chiudi);
        for (QWidget* w : f->client()->findChildren<QWidget*>())
            if (w != chiudi)
                QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), qPrintable(w->objectName()));
        // A fixed layout: a larger window leaves the button where it was.
        const QRect dove = chiudi->geometry();
        f->setInnerSize(QSize(1200, 900));
        QCOMPARE(chiudi->geometry(), dove);
    }

    void chiudi_data() {
        QTest::addColumn<QString>("modo");
        QTest::newRow("clic") << QStringLiteral("clic");
        QTest::newRow("Invio") << QStringLiteral("invio");
        QTest::newRow("spazio") << QStringLiteral("spazio");
        QTest::newRow("casella di chiusura") << QStringLiteral("chiusura");
    }
    void chiudi() {
        QFETCH(QString, modo);
        bool fine = false;
        Forms::setOnLastUnloaded([&fine] { fine = true; });
        FrmAutore* f = apri();
        QVERIFY(f);
        auto* chiudi = control<QPushButton>(f, QStringLiteral("Command1"));
        if (modo == QLatin1String("clic"))
            QTest::mouseClick(chiudi, Qt::LeftButton);
        else if (modo == QLatin1String("invio"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (modo == QLatin1String("spazio"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        else
            f->close();
        QVERIFY(!Forms::isLoaded(FrmAutore::kName));
        QCOMPARE(Forms::unloadLog(), QStringList{FrmAutore::kName});
        // Only the About window closes; the session goes on.
        QVERIFY(Forms::isLoaded(FrmInizio::kName));
        QVERIFY(!fine);
        flushEvents();
        // It can be opened again.
        QVERIFY(apri());
    }
};

QTEST_MAIN(TstFrmAutore)
#include "tst_frmautore.moc"
