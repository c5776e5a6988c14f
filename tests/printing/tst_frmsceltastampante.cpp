// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "printing/FrmSceltaStampante.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FineSessione.h"
#include "support/TestSupport.h"
#include "support/UnloadedWindows.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

namespace {
using Font = std::tuple<QString, double, bool>;

Font fontDi(const QWidget* w) {
    return {w->font().family(), w->font().pointSizeF(), w->font().bold()};
}
QString predefinita(const QString& nome) {
    return QStringLiteral("La stampante predefinita è \r\n") + nome;
}
QString scelta(const QString& nome) {
    return QStringLiteral("La stampante scelta è \r\n") + nome;
}
} // namespace

// The printer choice window, opened from the results window's menu.
class TstFrmSceltaStampante : public QObject {
    Q_OBJECT

    FakePlatform fakes;

    // Opens the window as a teacher does, from the results window's menu, and
    // runs `dentro` on it while the menu waits for it to close. True when the
    // window opened, belonging to the results window, and the menu returned
    // only once it had closed.
    static bool apri(const std::function<void(Form*)>& dentro) {
        FrmStampaEsercizio& risultati = Forms::get<FrmStampaEsercizio>();
        if (!showAndActivate(risultati))
            return false;
        bool aperta = false, chiusaPrima = false;
        whileModal(
            [&] {
                control<QAction>(&risultati, QStringLiteral("mnuScegli"))->trigger();
                chiusaPrima = !Forms::isLoaded(FrmSceltaStampante::kName);
            },
            [&] {
                Form* f = Forms::find(FrmSceltaStampante::kName);
                // Qt counts a window that belongs to the active one as active
                // at once: wait for it to be the active window itself.
                if (!f || !QTest::qWaitFor([f] { return QApplication::activeWindow() == f; }) ||
                    f->windowHandle()->transientParent() != risultati.windowHandle())
                    return;
                aperta = true;
                dentro(f);
            });
        return aperta && chiusaPrima;
    }
    static ComboBox* combo(const Form* f) { return control<ComboBox>(f, QStringLiteral("Combo1")); }
    static QString etichetta(const Form* f, const QString& nome) {
        return control<Label>(f, nome)->caption();
    }
    static QStringList voci(const Form* f) {
        QStringList v;
        for (int i = 0; i < combo(f)->count(); ++i)
            v << combo(f)->itemText(i);
        return v;
    }
    // Opens the drop-down list and clicks one of its entries.
    static void scegliDallaLista(const Form* f, int indice) {
        ComboBox* c = combo(f);
        c->showPopup();
        QAbstractItemView* lista = c->view();
        QVERIFY(QTest::qWaitForWindowExposed(lista->window()));
        const QRect voce = lista->visualRect(lista->model()->index(indice, 0));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, voce.center());
        QTRY_VERIFY(!lista->isVisible());
    }
    static void chiudi(Form* f, const QString& come) {
        if (come == QLatin1String("close"))
            f->close();
        else
            QTest::mouseClick(control<QPushButton>(f, QStringLiteral("Command2")), Qt::LeftButton);
        flushEvents();
    }

private Q_SLOTS:
    void init() {
        resetProgram();
        fakes = installFakePlatform();
        fakes.printers->devices = QStringList{"Aula 1", "Aula 2", Printers::kFilePdf};
    }
    void cleanup() { resetProgram(); }

    // The window as loaded; then opening and closing it without a choice,
    // twice, keeps the printer in use, and the results window waited behind.
    void caricamentoESenzaScelta_data() {
        QTest::addColumn<QStringList>("stampanti");
        QTest::addColumn<QString>("inUso");
        QTest::addColumn<QString>("come");
        QTest::newRow("tre stampanti") << QStringList{"Aula 1", "Aula 2", Printers::kFilePdf} << "Aula 1"
                                       << "Command2";
        QTest::newRow("in uso la seconda") << QStringList{"Aula 1", "Aula 2", Printers::kFilePdf} << "Aula 2"
                                           << "close";
        // The first entry is preselected, yet the printer in use stays.
        QTest::newRow("in uso non la prima") << QStringList{"Zeta", "Aula 1", Printers::kFilePdf} << "Aula 1"
                                             << "close";
        QTest::newRow("solo File PDF") << QStringList{Printers::kFilePdf} << Printers::kFilePdf << "Command2";
    }
    void caricamentoESenzaScelta() {
        QFETCH(QStringList, stampanti);
        QFETCH(QString, inUso);
        QFETCH(QString, come);
        fakes.printers->devices = stampanti;
        fakes.printers->setCurrentPrinter(inUso);
        for (int volta = 0; volta < 2; ++volta) {
            QVERIFY(apri([&](Form* f) {
                QCOMPARE(f->windowTitle(), QStringLiteral("Form1"));
                QCOMPARE(f->backColor(), bgr(0x00C0FFFF));
                QCOMPARE(f->windowModality(), Qt::ApplicationModal);
                QCOMPARE(QApplication::activeModalWidget(), f);
                QCOMPARE(f->client()->size(), QSize(404, 364));
                QCOMPARE(f->minimumSize(), f->maximumSize());

                QCOMPARE(voci(f), stampanti);
                QCOMPARE(combo(f)->currentIndex(), 0);
                QCOMPARE(combo(f)->text(), stampanti.first());
                QCOMPARE(QApplication::focusWidget(), combo(f));
                QCOMPARE(twipsRect(combo(f)), QRectF(612, 2400, 4632, 336));
                for (const QString nome : {"Label1", "Label2", "Combo1"})
                    QCOMPARE(fontDi(control(f, nome)), Font("MS Sans Serif", 9.75, true));
                auto* chiudi = control<Button>(f, QStringLiteral("Command2"));
                QCOMPARE(chiudi->text(), QStringLiteral("C H I U D I"));
                QCOMPARE(chiudi->backColor(), bgr(0x0080FFFF));
                QCOMPARE(fontDi(chiudi), Font("MS Sans Serif", 13.5, true));
                QCOMPARE(etichetta(f, QStringLiteral("Label1")), predefinita(inUso));
                QCOMPARE(etichetta(f, QStringLiteral("Label2")), QString());
                QCOMPARE(fakes.printers->currentPrinter(), inUso);
                this->chiudi(f, come);
            }));
            QVERIFY(!Forms::isLoaded(FrmSceltaStampante::kName));
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(fakes.printers->currentPrinter(), inUso);
            QTRY_COMPARE(QApplication::activeWindow(), Forms::find(FrmStampaEsercizio::kName));
        }
    }

    // Text typed into the combo box chooses nothing, not even a printer's
    // exact name, on Enter or when the focus leaves. A choice from the list
    // takes effect at once and lasts, matching the name exactly (case
    // included); reopening shows it as the printer in use, nothing chosen yet.
    void testoEScelta() {
        fakes.printers->devices = QStringList{"Aula 1", "aula 1", Printers::kFilePdf};
        QVERIFY(apri([&](Form* f) {
            QLineEdit* riga = combo(f)->lineEdit();
            QVERIFY(riga);
            for (const QString testo :
                 {"AULA 1", " Aula  1 ", "Stampante inesistente", "File PDF", "aula 1"}) {
                riga->selectAll();
                QTest::keyClicks(riga, testo);
                QTest::keyClick(riga, Qt::Key_Return);
                QCOMPARE(combo(f)->text(), testo);
                QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("Aula 1"));
                QCOMPARE(etichetta(f, QStringLiteral("Label2")), QString());
            }
            QTest::keyClick(riga, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command2"));
            QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("Aula 1"));
            QCOMPARE(etichetta(f, QStringLiteral("Label2")), QString());
            QCOMPARE(voci(f), fakes.printers->devices);

            scegliDallaLista(f, 1);
            QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("aula 1"));
            QCOMPARE(etichetta(f, QStringLiteral("Label2")), scelta(QStringLiteral("aula 1")));
            QTest::keyClick(combo(f), Qt::Key_Down);
            QCOMPARE(fakes.printers->currentPrinter(), Printers::kFilePdf);
            QCOMPARE(etichetta(f, QStringLiteral("Label2")), scelta(Printers::kFilePdf));
            QTest::keyClick(combo(f), Qt::Key_Up);
            chiudi(f, QStringLiteral("close"));
        }));
        QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("aula 1"));

        QVERIFY(apri([&](Form* f) {
            QCOMPARE(etichetta(f, QStringLiteral("Label1")), predefinita(QStringLiteral("aula 1")));
            QCOMPARE(etichetta(f, QStringLiteral("Label2")), QString());
            QCOMPARE(combo(f)->text(), QStringLiteral("Aula 1"));
            QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("aula 1"));
            // The first entry, already selected, can still be picked.
            scegliDallaLista(f, 0);
            QCOMPARE(fakes.printers->currentPrinter(), QStringLiteral("Aula 1"));
            QCOMPARE(etichetta(f, QStringLiteral("Label2")), scelta(QStringLiteral("Aula 1")));
        }));
    }

    // The end of the session closes the choice window with the others.
    void fineSessione() {
        QVERIFY(apri([](Form*) { FineSessione(); }));
        flushEvents();
        QVERIFY(!Forms::isLoaded(FrmSceltaStampante::kName));
        QVERIFY(!Forms::isLoaded(FrmStampaEsercizio::kName));
        const QStringList log = unloadedWindows();
        QVERIFY(log.indexOf(FrmSceltaStampante::kName) >= 0);
        QVERIFY(log.indexOf(FrmSceltaStampante::kName) < log.indexOf(FrmStampaEsercizio::kName));
    }
};

QTEST_MAIN(TstFrmSceltaStampante)
#include "tst_frmsceltastampante.moc"
