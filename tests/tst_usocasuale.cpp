// SPDX-License-Identifier: GPL-3.0-or-later
// Long seeded sequences of random but plausible use of the whole program,
// from the start window on: keys (also held, as X11 sends them), mouse presses
// on any visible control, menu entries, resizes, minimise and restore, close
// boxes, a clock that jumps. After every step a few cheap invariants must
// hold. A failure names the seed and the last steps, to replay it.
//
// USO_CASUALE_SEMI=N runs N seeds from the first (default: the fixed set);
// USO_CASUALE_PASSI=N sets the steps per seed.

#include "core/Modulo2.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Form.h"
#include "framework/Forms.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <random>

namespace {

int variabile(const char* nome, int predefinito) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(nome, &ok);
    return ok && v > 0 ? v : predefinito;
}

// An operation record of a run, or a worksheet line (or the empty line of a
// teacher version made before any pupil worksheet) that overwrote it; the
// exercise window goes on appending the pupil's attempts to whatever is there.
bool rigaBenFormata(const QString& riga) {
    static const QRegularExpression registro(QStringLiteral(
        R"(^(|[ 0-9.+=-]{25,26} *\(R\.|[ 0-9.+=-]{22,26}     R\.( {4,6}\( \d{1,3}\))?)((\d{0,4}|\?)(  |\* ))*( \d{1,4}°)?$)"));
    const QRegularExpressionMatch match = registro.match(riga);
    if (!match.hasMatch())
        return false;
    const QString inizio = match.captured(1);
    return !inizio.endsWith(QLatin1String("(R.")) || inizio.size() == 38;
}

class Giocatore {
public:
    Giocatore(quint64 seme, FakePlatform fakes) : rng_(seme), fakes_(fakes) {}

    // Runs the steps that come while a modal window opened by a menu waits.
    void setDentroModale(std::function<void()> passi) { dentroModale_ = std::move(passi); }

    // One random step; returns what it did.
    QString passo() {
        const QList<Form*> finestre = visibili();
        if (finestre.isEmpty())
            return QStringLiteral("(no window)");
        Form* f = finestre.at(numero(finestre.size()));
        const int scelta = numero(100);
        if (scelta < 30)
            return tasto();
        if (scelta < 60)
            return clic(f);
        if (scelta < 66)
            return menu(f);
        if (scelta < 72)
            return attiva(f);
        if (scelta < 78)
            return dimensioni(f);
        if (scelta < 82)
            return stato(f);
        if (scelta < 84)
            return chiudi(f);
        if (scelta < 94)
            return orologio();
        flushEvents();
        return QStringLiteral("events run");
    }

private:
    int numero(int n) { return static_cast<int>(rng_() % static_cast<quint64>(n)); }

    static QList<Form*> visibili() {
        QList<Form*> forms;
        for (const QString& nome : Forms::loadedNames())
            if (Form* f = Forms::find(nome); f && f->isVisible() && !f->isUnloading())
                forms.append(f);
        return forms;
    }

    QString tasto() {
        static const QStringList tasti{
            QStringLiteral("0"),         QStringLiteral("1"),      QStringLiteral("2"),
            QStringLiteral("3"),         QStringLiteral("4"),      QStringLiteral("5"),
            QStringLiteral("7"),         QStringLiteral("9"),      QStringLiteral("kp1"),
            QStringLiteral("kp2"),       QStringLiteral("kp3"),    QStringLiteral("A"),
            QStringLiteral("C"),         QStringLiteral("E"),      QStringLiteral("N"),
            QStringLiteral("S"),         QStringLiteral("Z"),      QStringLiteral("Return"),
            QStringLiteral("Return"),    QStringLiteral("Space"),  QStringLiteral("Space"),
            QStringLiteral("Backspace"), QStringLiteral("Escape"), QStringLiteral("Left"),
            QStringLiteral("Down"),      QStringLiteral("Tab")};
        const QString k = tasti.at(numero(tasti.size()));
        const QString dove =
            QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        if (numero(8) == 0) {
            const int volte = 1 + numero(20);
            holdKey(k, volte);
            return QStringLiteral("hold %1 x%2 on %3").arg(k).arg(volte).arg(dove);
        }
        strokes(k);
        return QStringLiteral("key %1 on %2").arg(k, dove);
    }

    // Menus and drop-down lists open popups that wait for their own input;
    // menu entries are triggered directly instead.
    static bool inMenuOrList(const QWidget* w) {
        for (; w; w = w->parentWidget())
            if (qobject_cast<const QMenuBar*>(w) || qobject_cast<const QComboBox*>(w) ||
                qobject_cast<const QToolButton*>(w) || w->inherits("QComboBoxPrivateContainer"))
                return true;
        return false;
    }

    QString clic(Form* f) {
        QList<QWidget*> candidati;
        for (QWidget* w : f->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0 &&
                !w->objectName().isEmpty() && !inMenuOrList(w))
                candidati.append(w);
        if (candidati.isEmpty())
            return QStringLiteral("no control to press on %1").arg(f->name());
        QWidget* w = candidati.at(numero(candidati.size()));
        const Qt::MouseButton tasto = numero(5) == 0 ? Qt::RightButton : Qt::LeftButton;
        const QString nome = f->name() + QLatin1Char('.') + w->objectName();
        QPointer<QWidget> guardia(w);
        QTest::mousePress(w, tasto, {}, w->rect().center());
        if (guardia)
            QTest::mouseRelease(guardia, tasto, {}, guardia->rect().center());
        return QStringLiteral("%1 button on %2").arg(tasto == Qt::LeftButton ? "left" : "right", nome);
    }

    QString menu(Form* f) {
        const QList<QAction*> voci = f->menuBar()->actions();
        if (voci.isEmpty())
            return QStringLiteral("no menu on %1").arg(f->name());
        QAction* a = voci.at(numero(voci.size()));
        const QString nome = f->name() + QLatin1Char('.') + a->objectName();
        if (a->isEnabled() && a->isVisible()) {
            // The printer choice waits until it is closed: the next steps
            // happen while it waits.
            QTimer dentro;
            dentro.setSingleShot(true);
            QObject::connect(&dentro, &QTimer::timeout, [this] {
                if (qobject_cast<Form*>(QApplication::activeModalWidget()) && dentroModale_)
                    dentroModale_();
            });
            dentro.start(0);
            a->trigger();
            // The printer choice menus open it from the event loop.
            for (int k = 0; k < 20 && dentro.isActive(); ++k)
                QCoreApplication::processEvents();
        }
        return QStringLiteral("menu %1").arg(nome);
    }

    QString attiva(Form* f) {
        const QString nome = f->name();
        f->activateWindow();
        f->raise();
        QApplication::processEvents();
        return QStringLiteral("activate %1").arg(nome);
    }

    QString dimensioni(Form* f) {
        static const QList<QSize> misure{{1, 1}, {30, 20}, {200, 150}, {640, 480}, {1024, 768}, {3000, 2000}};
        const QSize s = misure.at(numero(misure.size()));
        f->resize(s);
        return QStringLiteral("resize %1 to %2x%3").arg(f->name()).arg(s.width()).arg(s.height());
    }

    QString stato(Form* f) {
        const QString nome = f->name();
        switch (numero(3)) {
        case 0:
            f->showMinimized();
            return QStringLiteral("minimise %1").arg(nome);
        case 1:
            f->showNormal();
            return QStringLiteral("restore %1").arg(nome);
        default:
            f->showMaximized();
            return QStringLiteral("maximise %1").arg(nome);
        }
    }

    QString chiudi(Form* f) {
        const QString nome = f->name();
        f->close();
        return QStringLiteral("close box of %1").arg(nome);
    }

    QString orologio() {
        if (numero(5) == 0) {
            fakes_.clock->setTimeOfDay(86399.5f - static_cast<float>(numero(3)));
            return QStringLiteral("clock near midnight");
        }
        const float salto = static_cast<float>(numero(400)) / 4.0f;
        float t = fakes_.clock->timeOfDay() + salto;
        if (t >= 86400.0f)
            t -= 86400.0f;
        fakes_.clock->setTimeOfDay(t);
        return QStringLiteral("clock +%1 s").arg(salto);
    }

    std::mt19937_64 rng_;
    FakePlatform fakes_;
    std::function<void()> dentroModale_;
};

// What must hold after every step; an empty text when it does.
QString invarianti(bool finito) {
    const QStringList nomi = Forms::loadedNames();
    if (QSet<QString>(nomi.begin(), nomi.end()).size() != nomi.size())
        return QStringLiteral("a window is loaded twice: %1").arg(nomi.join(u','));
    for (const QString& nome : nomi)
        if (Form* f = Forms::find(nome); !f || f->isUnloading())
            return QStringLiteral("window %1 is half unloaded").arg(nome);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Form*>(w); f && f->isVisible() && Forms::find(f->name()) != f)
            return QStringLiteral("window %1 is shown but not loaded").arg(f->name());
    if (finito != nomi.isEmpty())
        return finito ? QStringLiteral("the program ended with windows open: %1").arg(nomi.join(u','))
                      : QStringLiteral("every window is closed but the program goes on");

    const Modulo2& m = Modulo2::get();
    if (m.NumOperazione < 0 || m.NumOperazione > 20 || m.RisposteEsatte < 0 ||
        m.RisposteEsatte > m.NumOperazione || m.RisposteErrate < 0 || m.OperazioneMostrata < 0 ||
        m.OperazioneMostrata > 20 || m.RifiutiAiuto < 0 || m.RifiutiAiuto > 3)
        return QStringLiteral("counters out of bounds: operations %1 shown %2 right %3 wrong %4 refusals %5")
            .arg(m.NumOperazione)
            .arg(m.OperazioneMostrata)
            .arg(m.RisposteEsatte)
            .arg(m.RisposteErrate)
            .arg(m.RifiutiAiuto);
    static const QRegularExpression risposta(QStringLiteral(R"(^(\?|\d{0,4})$)"));
    if (!risposta.match(m.Risposta).hasMatch())
        return QStringLiteral("answer \"%1\" is not an answer").arg(m.Risposta);
    if (m.TempoParziale < 0 || m.TempoTotale < 0 || m.PosNascosto < 0 || m.PosNascosto > 4)
        return QStringLiteral("times or hidden position out of bounds");
    for (size_t i = 1; i < m.RegistroOperazioni.size(); ++i)
        if (!rigaBenFormata(m.RegistroOperazioni[i]))
            return QStringLiteral("record %1 is malformed: \"%2\"").arg(i).arg(m.RegistroOperazioni[i]);
    return {};
}

} // namespace

class TstUsoCasuale : public QObject {
    Q_OBJECT

    // Every window the sequences have shown, over all seeds.
    QSet<QString> viste;

private Q_SLOTS:
    void cleanup() { resetProgram(); }

    // The sequences are only worth something if they reach every window.
    void cleanupTestCase() {
        const QStringList tutte{QStringLiteral("FrmInizio"),          QStringLiteral("FrmOperativo"),
                                QStringLiteral("FrmStampaEsercizio"), QStringLiteral("frmNome"),
                                QStringLiteral("FrmAttestato"),       QStringLiteral("frmSceltaStampante"),
                                QStringLiteral("FrmStampaSchedeBig"), QStringLiteral("frmAutore")};
        for (const QString& nome : tutte)
            QVERIFY2(viste.contains(nome), qPrintable(QStringLiteral("no sequence reached %1").arg(nome)));
    }

    void sequenze_data() {
        QTest::addColumn<quint64>("seme");
        const int semi = variabile("USO_CASUALE_SEMI", 8);
        for (int s = 1; s <= semi; ++s)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(s))) << static_cast<quint64>(s);
    }
    void sequenze() {
        QFETCH(quint64, seme);
        const int passi = variabile("USO_CASUALE_PASSI", 2500);
        FakePlatform fakes = installFakePlatform(seme);
        bool finito = false;
        Forms::setOnLastUnloaded([&finito] { finito = true; });
        Forms::get<FrmInizio>().showForm();
        Giocatore giocatore(seme, fakes);
        QStringList ultimi;
        int avvii = 1;
        int i = 0;
        // The steps up to the last one, or while a modal window waits, until
        // it has closed; one still open at the end is closed, so it returns.
        std::function<void(bool)> esegui = [&](bool inModale) {
            const QPointer<Form> modale =
                inModale ? qobject_cast<Form*>(QApplication::activeModalWidget()) : nullptr;
            while (i < passi && !QTest::currentTestFailed() &&
                   (!inModale || (modale && !modale->isUnloading()))) {
                ultimi.append(QStringLiteral("%1: %2").arg(i).arg(giocatore.passo()));
                if (ultimi.size() > 25)
                    ultimi.removeFirst();
                for (const QString& nome : Forms::loadedNames())
                    if (Form* f = Forms::find(nome); f && f->isVisible())
                        viste.insert(nome);
                const QString errore = invarianti(finito);
                if (!errore.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3\nlast steps:\n  %4")
                                         .arg(seme)
                                         .arg(i)
                                         .arg(errore, ultimi.join(QStringLiteral("\n  ")))));
                if (finito) {
                    // The program has ended: start it again, as a new process would.
                    flushEvents();
                    Modulo2::reset();
                    finito = false;
                    ++avvii;
                    Forms::get<FrmInizio>().showForm();
                }
                ++i;
            }
            if (modale && !modale->isUnloading())
                modale->unload();
        };
        giocatore.setDentroModale([&] { esegui(true); });
        esegui(false);
        if (QTest::currentTestFailed())
            return;
        qInfo("seed %llu: %d steps, %d program starts", static_cast<unsigned long long>(seme), passi, avvii);
    }
};

QTEST_MAIN(TstUsoCasuale)
#include "tst_usocasuale.moc"
