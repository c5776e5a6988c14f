// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Controls.h"
#include "framework/Form.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {
// A small window with one of each new control; counts its activations.
class Prova : public Form {
public:
    static inline const QString kName = QStringLiteral("frmProva");
    Prova() : Form(kName, QSizeF(6000, 4500), Kind::Fixed) {}
    int attivazioni = 0;
    Button* pulsante = nullptr;
    ComboBox* combo = nullptr;
    PictureBox* foto = nullptr;

protected:
    void build() override {
        pulsante = add<Button>(client(), QStringLiteral("Command2"), {600, 3000, 3000, 600},
                               QStringLiteral("C H I U D I"));
        pulsante->setBackColor(bgr(0x0080FFFF));
        combo = add<ComboBox>(client(), QStringLiteral("Combo1"), {600, 1500, 4000, 330});
        foto = add<PictureBox>(client(), QStringLiteral("Picture1"), {0, 0, 3000, 1200});
    }
    void onActivate() override { ++attivazioni; }
};

// A scaled window whose load handler does its own work only.
class Scalata : public Form {
public:
    static inline const QString kName = QStringLiteral("frmScalata");
    Scalata() : Form(kName, QSizeF(6000, 4500), Kind::Scaled) {}
    bool caricata = false;

protected:
    void build() override {
        Frame* cornice = add<Frame>(client(), QStringLiteral("Frame1"), {600, 600, 3000, 1500});
        add<Label>(cornice, QStringLiteral("Label1"), {150, 150, 1500, 600}, QStringLiteral("Testo"));
        add<ComboBox>(client(), QStringLiteral("Combo1"), {600, 3000, 4000, 330});
        auto* gruppo = new TileGroup(
            QStringLiteral("optOK"), [](int) {}, this);
        addLoneTile(gruppo, client(), QStringLiteral("OK"), {3900, 600, 1500, 600});
    }
    void onLoad() override { caricata = true; }
};
} // namespace

class TstForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { installFakePlatform(); }
    void cleanup() { resetProgram(); }

    // The classic faces of the layouts are drawn in their metric twins.
    void faccePiuVecchie_data() {
        QTest::addColumn<QString>("faccia");
        QTest::addColumn<QString>("installata");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("arial") << "arial"
                               << "Liberation Sans";
        QTest::newRow("Times New Roman") << "Times New Roman"
                                         << "Liberation Serif";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono";
    }
    void faccePiuVecchie() {
        QFETCH(QString, faccia);
        QFETCH(QString, installata);
        const QFont font = designFont(faccia, 12, true);
        QCOMPARE(font.family(), faccia);
        QCOMPARE(QFontInfo(font).family(), installata);
    }

    // A modal window blocks the others; a borderless one has no frame; each
    // activation is reported; a coloured button shows its colour flat.
    void finestraModaleESenzaBordo() {
        Prova& p = Forms::get<Prova>();
        p.setBorderless(true);
        bool tornata = false;
        whileModal(
            [&] {
                p.showModal();
                tornata = true;
            },
            [&] {
                // Showing it modally waits until it is unloaded.
                QVERIFY(!tornata);
                QVERIFY(QTest::qWaitForWindowActive(&p));
                QCOMPARE(p.windowModality(), Qt::ApplicationModal);
                QCOMPARE(QApplication::activeModalWidget(), &p);
                QVERIFY(p.windowFlags() & Qt::FramelessWindowHint);
                QVERIFY(p.attivazioni >= 1);
                // Centred on the available area of the screen.
                const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
                QVERIFY(qAbs(p.frameGeometry().center().x() - schermo.center().x()) <= 2);
                QVERIFY(qAbs(p.frameGeometry().center().y() - schermo.center().y()) <= 2);

                // Enter presses the focused button, as Space does.
                int premuto = 0;
                connect(p.pulsante, &QPushButton::clicked, this, [&premuto] { ++premuto; });
                p.pulsante->setFocus();
                pressKey(Qt::Key_Return);
                pressKey(Qt::Key_Space);
                releaseKey(Qt::Key_Space);
                QCOMPARE(premuto, 2);

                const QImage img = p.pulsante->grab().toImage();
                const QColor giallo = bgr(0x0080FFFF);
                QCOMPARE(img.pixelColor(6, img.height() / 2), giallo);
                QCOMPARE(img.pixelColor(img.width() - 7, 6), giallo);
                QCOMPARE(img.pixelColor(img.width() / 2, img.height() - 7), giallo);
                p.unload();
                QVERIFY(!tornata);
            });
        QVERIFY(tornata);
        flushEvents();
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Only a change of the list's selection is reported: adding entries and
    // typing, even a printer's name with Enter, choose nothing.
    void comboScelteSoloDallaLista() {
        Prova& p = Forms::get<Prova>();
        QVERIFY(showAndActivate(p));
        QSignalSpy scelte(p.combo, &ComboBox::listSelectionChanged);
        p.combo->setText(QStringLiteral("Combo1"));
        p.combo->addEntry(QStringLiteral("Aula 1"));
        p.combo->addEntry(QStringLiteral("Aula 2"));
        QCOMPARE(scelte.count(), 0);
        QCOMPARE(p.combo->text(), QStringLiteral("Combo1"));
        p.combo->setListIndex(0);
        QCOMPARE(scelte.count(), 1);
        QCOMPARE(p.combo->text(), QStringLiteral("Aula 1"));
        p.combo->setFocus();
        p.combo->lineEdit()->selectAll();
        for (const QString& testo : {QStringLiteral("aula 2"), QStringLiteral("Aula 2")}) {
            p.combo->lineEdit()->selectAll();
            QTest::keyClicks(p.combo->lineEdit(), testo);
            QTest::keyClick(p.combo->lineEdit(), Qt::Key_Return);
            QTest::keyClick(p.combo->lineEdit(), Qt::Key_Tab);
            p.combo->setFocus();
        }
        QCOMPARE(scelte.count(), 1);
        QCOMPARE(p.combo->currentIndex(), 0);
        QTest::keyClick(p.combo, Qt::Key_Down);
        QCOMPARE(scelte.count(), 2);
        QCOMPARE(scelte.last().at(0).toInt(), 1);
        // Picking the entry already selected is a choice too, reported once.
        flushEvents();
        Q_EMIT p.combo->activated(1);
        QCOMPARE(scelte.count(), 3);
    }

    // What is drawn stays: repainting, growing and shrinking the box keep it,
    // and each printed line moves down by one line height.
    void immaginePersistente() {
        Prova& p = Forms::get<Prova>();
        QVERIFY(showAndActivate(p));
        PictureBox* f = p.foto;
        f->setDrawFont(designFont(QStringLiteral("Arial"), 20, true));
        f->setForeColor(Qt::red);
        const double riga = f->textHeight();
        QVERIFY(riga > 20);
        f->setCurrentX(10.5);
        f->printText(QStringLiteral("DIPLOMA"));
        QCOMPARE(f->currentY(), riga);
        QVERIFY(f->textWidth(QStringLiteral("DIPLOMA")) > f->textWidth(QStringLiteral("DIP")));
        const QImage prima = f->image();
        QCOMPARE(prima.size(), f->size());
        int rossi = 0;
        for (int y = 0; y < qCeil(riga); ++y)
            for (int x = 0; x < prima.width(); ++x)
                rossi += prima.pixelColor(x, y).red() > 200 && prima.pixelColor(x, y).green() < 60;
        QVERIFY(rossi > 50);
        QCOMPARE(f->grab().toImage().convertToFormat(prima.format()), prima);
        const QSize design = f->size();
        f->resize(design * 2);
        f->resize(design);
        QCOMPARE(f->image(), prima);
        p.showMinimized();
        p.showNormal();
        QCOMPARE(f->image(), prima);
        f->clear();
        QCOMPARE(f->currentY(), 0.0);
        QCOMPARE(f->image().pixelColor(20, 10), QColor(Qt::white));
    }

    // Every control a scaled window adds keeps its proportions, in a frame or
    // not, even though the window's load handler does not ask for it; a combo
    // box keeps its size; a lone tile goes by its group's name.
    void controlliAggiunti() {
        Scalata& f = Forms::get<Scalata>();
        QVERIFY(f.caricata);
        QCOMPARE(control(&f, QStringLiteral("Label1"))->property("text").toString(), QStringLiteral("Testo"));
        setInnerSize(f, QSize(800, 600));
        QCOMPARE(control(&f, QStringLiteral("Frame1"))->geometry(), QRect(80, 80, 400, 200));
        QCOMPARE(control(&f, QStringLiteral("Label1"))->geometry(), QRect(20, 20, 200, 80));
        QCOMPARE(control(&f, QStringLiteral("optOK"))->geometry(), QRect(520, 80, 200, 80));
        QCOMPARE(control(&f, QStringLiteral("Combo1"))->size(), QSize(267, 22));
    }

    // Asking for a control that does not exist fails the test, naming it,
    // and the test goes on with a stand-in instead of crashing.
    void controlloMancante() {
        Prova& p = Forms::get<Prova>();
        QEXPECT_FAIL("", "the control does not exist", Continue);
        Label* l = control<Label>(&p, QStringLiteral("LblNessuna"));
        QVERIFY(l);
        l->setCaption(QStringLiteral("x"));
        QCOMPARE(control<ComboBox>(&p, QStringLiteral("Combo1")), p.combo);
    }
};

QTEST_MAIN(TstForm)
#include "tst_form.moc"
