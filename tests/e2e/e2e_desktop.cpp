// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real program's windows on a real X server with a window manager
// (set up by scripts/check-desktop.sh) and checks what only a real desktop
// shows. Every failure is printed and makes the exit status non-zero.
//
//   e2e_desktop attestato OUTDIR  opens the certificate 8 times from the
//       results window, each time checking on a screenshot of the screen that
//       every line is centred on the picture box; prints it to "File PDF" in
//       OUTDIR and writes OUTDIR/attese.txt with where its lines must be.
//   e2e_desktop finestre          the printer choice and name windows belong
//       to their opener (WM_TRANSIENT_FOR), the name window stays on top of
//       the results window when that is clicked, and a real double click on
//       "Verifica" at the 20th answer leaves the end-of-run notice and the
//       records as they were.
//   e2e_desktop foto FILE         a certificate reopened once, checked and
//       saved as FILE (also on a screen scaled to 200 %).
//   e2e_desktop tocco nuovo|zero [FILE]  the program used by touch alone,
//       through Qt's window-system interface for a registered touch screen,
//       each touch with a new id (as X11 sends) or all with id 0 (as a
//       Wayland compositor's slot): two taps on a digit and on "Cancella"
//       100 to 1500 ms apart act twice; a double tap on "Verifica" 200 and
//       600 ms apart at the 20th answer and after a wrong one leaves the
//       notice or the help question; a name typed on the letter tiles
//       reaches the certificate. FILE: a screenshot of the name window.

#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/TileGroup.h"
#include "framework/Twips.h"
#include "platform/Platform.h"
#include "platform/QtPrinters.h"
#include "printing/FrmSceltaStampante.h"
#include "results/Attestato.h"
#include "results/FrmAttestato.h"
#include "results/FrmNome.h"
#include "results/FrmStampaEsercizio.h"
#include "session/FrmInizio.h"
#include "support/DocumentsFolder.h"
#include "support/Doubles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QPointer>
#include <QPointingDevice>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <cstdio>

namespace {

int errori = 0;

void errore(const QString& testo) {
    ++errori;
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(testo));
}

void nota(const QString& testo) {
    std::printf("%s\n", qPrintable(testo));
    std::fflush(stdout);
}

template <class T = QWidget> T* controllo(const QWidget* finestra, const QString& nome) {
    T* c = finestra ? finestra->findChild<T*>(nome) : nullptr;
    if (!c)
        errore(QStringLiteral("no control %1").arg(nome));
    return c;
}

// Lets events run for a while, as a user waits.
void aspetta(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A real press of the mouse, through the X server, at a point of the screen.
void xdotool(const QStringList& argomenti) {
    if (QProcess::execute(QStringLiteral("xdotool"), argomenti) != 0)
        errore(QStringLiteral("xdotool %1 failed").arg(argomenti.join(u' ')));
}
void clicReale(const QWidget* w, int volte = 1) {
    // xdotool counts the screen's own pixels.
    const QPoint p = w->mapToGlobal(w->rect().center()) * w->devicePixelRatioF();
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
    aspetta(100);
    QStringList clic{QStringLiteral("click")};
    if (volte > 1)
        clic << QStringLiteral("--repeat") << QString::number(volte) << QStringLiteral("--delay")
             << QStringLiteral("60");
    xdotool(clic << QStringLiteral("1"));
    aspetta(300);
}

QString xprop(const QStringList& argomenti) {
    QProcess p;
    p.start(QStringLiteral("xprop"), argomenti);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        errore(QStringLiteral("xprop %1 failed").arg(argomenti.join(u' ')));
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void preparaSerie() {
    Modulo2& m = Modulo2::get();
    m.RisposteEsatte = 17;
    m.NumOperazione = 20;
    m.NomeAlunno = QStringLiteral("ROSSI");
}

FrmStampaEsercizio& apriRisultati() {
    Forms::get<FrmInizio>().showForm();
    FrmStampaEsercizio& r = Forms::get<FrmStampaEsercizio>();
    r.showForm();
    aspetta(800);
    return r;
}

// Opens the certificate with a real click on "ATTESTATO" and waits until the
// drawing is done and the window manager has nothing more to say.
FrmAttestato* apriAttestato(FrmStampaEsercizio& risultati) {
    clicReale(controllo(&risultati, QStringLiteral("Option1(3)")));
    auto* f = static_cast<FrmAttestato*>(Forms::find(FrmAttestato::kName));
    if (!f) {
        errore(QStringLiteral("the certificate did not open"));
        return nullptr;
    }
    int disegni = -1;
    for (int volte = 0; volte < 100 && (f->disegnoInCorso() || f->disegni() != disegni); ++volte) {
        disegni = f->disegni();
        aspetta(300);
    }
    return f;
}

// Each text line of the certificate on a screenshot: its ink centred on the
// box within 2 pixels, as the design centres it (the text with its blanks).
// Returns the lines' tops on the box, in pixels.
QList<double> verificaCentratura(FrmAttestato* f, const QString& dove) {
    auto* box = controllo<PictureBox>(f, QStringLiteral("Picture1"));
    QList<double> alti;
    if (!box)
        return alti;
    // The screen as it has settled: two grabs a moment apart alike.
    QImage schermo;
    for (int volte = 0; volte < 40; ++volte) {
        const QImage ora =
            QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        if (ora == schermo)
            break;
        schermo = ora;
        aspetta(250);
    }
    // Measured in the screen's own pixels: d of them to a pixel of the layout.
    const double d = box->devicePixelRatioF();
    const QRect logico(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QRect r(logico.topLeft() * d, logico.size() * d);
    const QColor fondo = box->backColor();
    // The box really is there: its own colour inside, the window's pink beyond.
    if (schermo.pixelColor(r.right() - 1, r.bottom() - 5) != fondo ||
        schermo.pixelColor(r.right() + 3, r.top() + 20) != bgr(0x00FFC0FF))
        errore(
            QStringLiteral("%1: the picture box is not at %2 on the screen").arg(dove, QDebug::toString(r)));
    const QStringList righe = righeAttestato(Modulo2::get(), platform::clock().shortDate());
    const QImage misura(1, 1, QImage::Format_RGB32);
    double alto = 0;
    double peggiore = 0;
    for (int n = 1; n <= kRigheAttestato; ++n) {
        const StileRiga s = stileRiga(n);
        const QFontMetricsF fm(designFont(s.font, s.punti, s.grassetto), &misura);
        const QString& testo = righe[n - 1];
        alti << alto;
        if (!testo.isEmpty()) {
            int sinistra = r.width(), destra = -1;
            const int da = qCeil(alto * d), a = qMin(qCeil((alto + fm.height()) * d), r.height());
            for (int y = da; y < a; ++y)
                for (int x = 0; x < r.width(); ++x)
                    if (schermo.pixelColor(r.x() + x, r.y() + y) != fondo) {
                        sinistra = qMin(sinistra, x);
                        destra = qMax(destra, x);
                    }
            const qsizetype vuoti = testo.size() - testo.trimmed().size();
            const double x0 = logico.width() / 2.0 - fm.horizontalAdvance(testo) / 2 +
                              fm.horizontalAdvance(testo.left(vuoti));
            const QRectF atteso = fm.tightBoundingRect(testo.mid(vuoti)).translated(x0, 0);
            const double scarto = destra < 0 ? 1e9
                                             : std::max(std::abs(sinistra / d - atteso.left()),
                                                        std::abs((destra + 1) / d - atteso.right()));
            peggiore = std::max(peggiore, scarto);
            if (scarto > 2)
                errore(QStringLiteral("%1: line %2 «%3» has its ink at %4..%5 of a %6 px box, not at %7..%8")
                           .arg(dove)
                           .arg(n)
                           .arg(testo)
                           .arg(sinistra / d)
                           .arg((destra + 1) / d)
                           .arg(logico.width())
                           .arg(atteso.left(), 0, 'f', 1)
                           .arg(atteso.right(), 0, 'f', 1));
        }
        alto += fm.height();
    }
    nota(
        QStringLiteral("%1: box %2x%3 at %4,%5 (%6 screen pixels a pixel), drawn %7 times, worst line off by "
                       "%8 px")
            .arg(dove)
            .arg(logico.width())
            .arg(logico.height())
            .arg(logico.x())
            .arg(logico.y())
            .arg(d)
            .arg(f->disegni())
            .arg(peggiore, 0, 'f', 2));
    return alti;
}

int attestato(const QString& cartella) {
    DocumentsFolder documenti(cartella);
    auto* stampanti = new QtPrinters;
    platform::setPrinters(std::unique_ptr<Printers>(stampanti));
    platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    platform::printers().setCurrentPrinter(Printers::kFilePdf);
    preparaSerie();
    FrmStampaEsercizio& risultati = apriRisultati();
    const QSize schermo = QGuiApplication::primaryScreen()->size();
    for (int volta = 1; volta <= 8; ++volta) {
        FrmAttestato* f = apriAttestato(risultati);
        if (!f)
            return 1;
        const QString dove =
            QStringLiteral("%1x%2 opening %3").arg(schermo.width()).arg(schermo.height()).arg(volta);
        const QList<double> alti = verificaCentratura(f, dove);
        if (volta == 8) {
            clicReale(controllo(f, QStringLiteral("Option5(0)")));
            const QString pdf = documenti.newFile();
            if (pdf.isEmpty())
                errore(QStringLiteral("the certificate was not printed to a PDF file"));
            QFile attese(QDir(cartella).filePath(QStringLiteral("attese.txt")));
            if (!attese.open(QIODevice::WriteOnly | QIODevice::Text))
                return 1;
            QTextStream out(&attese);
            const QSize box = controllo<PictureBox>(f, QStringLiteral("Picture1"))->size();
            out << "file\t" << pdf << "\n";
            out << "box\t" << box.width() << "\t" << box.height() << "\n";
            const QStringList righe = righeAttestato(Modulo2::get(), platform::clock().shortDate());
            const QImage misura(1, 1, QImage::Format_RGB32);
            for (int n = 1; n <= kRigheAttestato; ++n) {
                if (righe[n - 1].trimmed().isEmpty())
                    continue;
                const StileRiga s = stileRiga(n);
                const QFontMetricsF fm(designFont(s.font, s.punti, s.grassetto), &misura);
                const QString& t = righe[n - 1];
                const qsizetype vuoti = t.size() - t.trimmed().size();
                // Where the words' centre lies from the box's centre: blanks
                // before the text move it right.
                const double spostamento = fm.horizontalAdvance(t.left(vuoti)) / 2;
                out << "riga\t" << n << "\t" << alti[n - 1] << "\t" << spostamento << "\t" << t.trimmed()
                    << "\n";
            }
        }
        clicReale(controllo(f, QStringLiteral("Option5(1)")));
        aspetta(300);
        if (Forms::isLoaded(FrmAttestato::kName))
            errore(QStringLiteral("%1: TORNA did not close the certificate").arg(dove));
    }
    return errori ? 1 : 0;
}

QString idFinestra(const QWidget* w) {
    return QStringLiteral("0x%1").arg(w->winId(), 0, 16);
}

// The windows in the window manager's stacking order, bottom first.
QStringList pila() {
    const QString out = xprop({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QStringList ids;
    for (const QString& parte : out.section(u'#', 1).split(u','))
        ids << QStringLiteral("0x%1").arg(parte.trimmed().toULongLong(nullptr, 16), 0, 16);
    return ids;
}

int finestre() {
    platform::setPrinters(std::make_unique<QtPrinters>());
    platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    preparaSerie();
    FrmStampaEsercizio& risultati = apriRisultati();

    // The printer choice, shown modally from the menu, which waits meanwhile.
    bool vistaScelta = false;
    int sondaggi = 0;
    QTimer sonda;
    sonda.setInterval(50);
    QObject::connect(&sonda, &QTimer::timeout, [&] {
        Form* scelta = Forms::find(FrmSceltaStampante::kName);
        if (!scelta || !scelta->isVisible()) {
            if (++sondaggi == 100) {
                sonda.stop();
                errore(QStringLiteral("the printer choice window did not open"));
            }
            return;
        }
        sonda.stop();
        aspetta(800);
        vistaScelta = true;
        const QString transitoria =
            xprop({QStringLiteral("-id"), idFinestra(scelta), QStringLiteral("WM_TRANSIENT_FOR")});
        nota(QStringLiteral("printer choice: %1").arg(transitoria.trimmed()));
        if (!transitoria.contains(idFinestra(&risultati)))
            errore(QStringLiteral("the printer choice window does not belong to the results window"));
        // The menu's procedure waits in the choice's own loop, the results
        // window blocked meanwhile.
        if (QApplication::activeModalWidget() != scelta)
            errore(QStringLiteral("the printer choice window does not wait modally"));
        clicReale(controllo(scelta, QStringLiteral("Command2")));
    });
    sonda.start();
    controllo<QAction>(&risultati, QStringLiteral("mnuScegli"))->trigger();
    // The menu's call returns at once; its procedure opens the choice from
    // the event loop and returns when it has closed.
    while (sonda.isActive())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!vistaScelta || Forms::isLoaded(FrmSceltaStampante::kName))
        errore(QStringLiteral("the menu returned before the printer choice window was closed"));
    aspetta(500);

    // The name window stays above the results window, also after a click on it.
    clicReale(controllo(&risultati, QStringLiteral("Option1(2)")));
    Form* nome = Forms::find(FrmNome::kName);
    if (!nome || !nome->isVisible())
        return errore(QStringLiteral("the name window did not open")), 1;
    const QString transitoria =
        xprop({QStringLiteral("-id"), idFinestra(nome), QStringLiteral("WM_TRANSIENT_FOR")});
    nota(QStringLiteral("name window: %1").arg(transitoria.trimmed()));
    if (!transitoria.contains(idFinestra(&risultati)))
        errore(QStringLiteral("the name window does not belong to the results window"));
    // It takes the keys as a window of its own: the letters typed show.
    aspetta(300);
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("ab")});
    aspetta(400);
    const QString digitato = controllo<QLabel>(nome, QStringLiteral("lblNome"))->text();
    nota(QStringLiteral("typed on the name window: «%1»").arg(digitato));
    if (digitato != QLatin1String("AB"))
        errore(QStringLiteral("the name window shows «%1» after typing ab").arg(digitato));
    const QPoint fuori = risultati.mapToGlobal(QPoint(30, risultati.height() - 30));
    xdotool({QStringLiteral("mousemove"), QString::number(fuori.x()), QString::number(fuori.y())});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    aspetta(600);
    const QStringList ordine = pila();
    const qsizetype iNome = ordine.indexOf(idFinestra(nome)),
                    iRisultati = ordine.indexOf(idFinestra(&risultati));
    nota(QStringLiteral(
             "after a click on the results window, stacking (bottom first): %1; name %2, results %3")
             .arg(ordine.join(u' '))
             .arg(iNome)
             .arg(iRisultati));
    if (iNome < 0 || iNome < iRisultati)
        errore(QStringLiteral("the name window went behind the results window"));
    const QString stato = xprop({QStringLiteral("-id"), idFinestra(nome),
                                 QStringLiteral("_NET_WM_WINDOW_TYPE"), QStringLiteral("_NET_WM_STATE")});
    nota(QStringLiteral("name window: %1").arg(stato.simplified()));
    // A utility window, or one that skips the taskbar: no taskbar entry.
    if (!stato.contains(QLatin1String("_NET_WM_WINDOW_TYPE_UTILITY")) &&
        !stato.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")))
        errore(QStringLiteral("the name window would have a taskbar entry"));
    nome->unload();
    risultati.unload();
    aspetta(300);

    // A real double click on "Verifica" at the 20th answer.
    FrmInizio& inizio = Forms::get<FrmInizio>();
    inizio.showForm();
    aspetta(500);
    clicReale(controllo(&inizio, QStringLiteral("Option2(0)")));
    clicReale(controllo(&inizio, QStringLiteral("Option3(0)")));
    auto* f = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
    if (!f || !f->isVisible())
        return errore(QStringLiteral("the exercise window did not open")), 1;
    aspetta(800);
    Modulo2& m = Modulo2::get();
    auto tile = [&](int i) { return controllo<CommandTile>(f, QStringLiteral("Option2(%1)").arg(i)); };
    for (int n = 1; n <= 20; ++n) {
        for (QChar c : m.StrRisultato.trimmed())
            QTest::mouseClick(tile(c.digitValue()), Qt::LeftButton);
        if (n < 20) {
            QTest::mouseClick(tile(11), Qt::LeftButton);
            QTest::mouseClick(tile(12), Qt::LeftButton);
        }
    }
    QStringList prima(m.RegistroOperazioni.begin(), m.RegistroOperazioni.begin() + 20);
    clicReale(tile(11), 2);
    aspetta(500);
    QStringList dopo(m.RegistroOperazioni.begin(), m.RegistroOperazioni.begin() + 20);
    nota(
        QStringLiteral("double click on Verifica at the 20th answer: operation %1, right %2, notice shown %3")
            .arg(m.NumOperazione)
            .arg(m.RisposteEsatte)
            .arg(controllo(f, QStringLiteral("fraAvviso"))->isEnabled()));
    if (m.NumOperazione != 20 || m.RisposteEsatte != 20 || dopo != prima ||
        !controllo(f, QStringLiteral("fraAvviso"))->isEnabled())
        errore(QStringLiteral("the double click on Verifica restarted the run or lost its records"));
    // Two clicks on one tile still act twice: on a new run, two digits.
    clicReale(controllo(f, QStringLiteral("optAvviso(1)")));
    if (m.NumOperazione != 1)
        errore(QStringLiteral("Ricomincia did not start a new run"));
    clicReale(tile(5), 2);
    const QString cifre = controllo<QLabel>(f, QStringLiteral("lblNumero%1").arg(m.PosNascosto))->text();
    nota(QStringLiteral("double click on the digit 5 of a new run: «%1»").arg(cifre));
    if (cifre != QLatin1String("55"))
        errore(QStringLiteral("a double click on a digit typed «%1», not «55»").arg(cifre));
    return errori ? 1 : 0;
}

int foto(const QString& file) {
    platform::setPrinters(std::make_unique<QtPrinters>());
    platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    preparaSerie();
    FrmStampaEsercizio& risultati = apriRisultati();
    for (int volta = 0; volta < 2; ++volta) {
        FrmAttestato* f = apriAttestato(risultati);
        if (!f)
            return 1;
        if (volta == 0) {
            clicReale(controllo(f, QStringLiteral("Option5(1)")));
            continue;
        }
        verificaCentratura(f, QStringLiteral("screenshot"));
        QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    }
    return errori ? 1 : 0;
}

// A finger on a touch screen. Qt's X11 plugin hands XI2 touch to the
// window-system interface for the touch screen it registered; QTest's touch
// events take the same way, with Qt's own time of the events, so the taps are
// as far apart as the waits between them.
class Dito {
public:
    explicit Dito(bool idZero) : idZero_(idZero), schermo_(QTest::createTouchDevice()) {
        qApp->installEventFilter(&contaDoppi_);
    }
    // A tap in the middle of a control, held a moment. A press that closed
    // its window has its release sent through another one, as a window
    // system would, and Qt drops it.
    void tocca(const QWidget* w) {
        if (!w)
            return;
        QPointer<QWidget> finestra = w->window();
        const QPoint globale = w->mapToGlobal(w->rect().center());
        const int id = idZero_ ? 0 : ++ultimoId_;
        QTest::touchEvent(finestra.data(), schermo_, false)
            .press(id, finestra->mapFromGlobal(globale))
            .commit();
        aspetta(40);
        if (!finestra || !finestra->isVisible())
            for (QWidget* altra : QApplication::topLevelWidgets())
                if (altra->isVisible())
                    finestra = altra;
        if (finestra)
            QTest::touchEvent(finestra.data(), schermo_, false)
                .release(id, finestra->mapFromGlobal(globale))
                .commit();
    }
    // Two taps, the second `ms` after the first, the program running
    // meanwhile; returns the time between them by the events' own clock,
    // and whether the second reached the tile as a double click.
    std::pair<quint64, bool> duevolte(const QWidget* w, int ms, const QWidget* dopo = nullptr) {
        QElapsedTimer t;
        t.start();
        tocca(w);
        const quint64 primo = CommandTile::inputTime();
        aspetta(int(ms - t.elapsed()));
        const int doppi = contaDoppi_.doppi;
        tocca(dopo ? dopo : w);
        return {CommandTile::inputTime() - primo, contaDoppi_.doppi > doppi};
    }

private:
    struct ContaDoppi : QObject {
        int doppi = 0;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::MouseButtonDblClick && qobject_cast<CommandTile*>(o))
                ++doppi;
            return false;
        }
    };
    bool idZero_;
    QPointingDevice* schermo_;
    int ultimoId_ = 0;
    ContaDoppi contaDoppi_;
};

int tocco(bool idZero, const QString& foto) {
    platform::setPrinters(std::make_unique<QtPrinters>());
    platform::setMessageBox(std::make_unique<RecordingMessageBox>());
    Dito dito(idZero);
    const QString modo = idZero ? QStringLiteral("id 0") : QStringLiteral("new ids");
    Modulo2& m = Modulo2::get();
    FrmInizio& inizio = Forms::get<FrmInizio>();
    inizio.showForm();
    if (!QTest::qWaitForWindowExposed(&inizio))
        return errore(QStringLiteral("the start window did not show")), 1;
    aspetta(300);
    dito.tocca(controllo(&inizio, QStringLiteral("Option2(0)")));
    dito.tocca(controllo(&inizio, QStringLiteral("Option3(0)")));
    // A tap gone astray may close the window.
    QPointer<FrmOperativo> f = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
    if (!f || !QTest::qWaitForWindowActive(f))
        return errore(QStringLiteral("%1: the exercise window did not open").arg(modo)), 1;
    aspetta(500);
    auto tile = [&](int i) { return controllo<CommandTile>(f, QStringLiteral("Option2(%1)").arg(i)); };
    auto scrivi = [&](const QString& cifre) {
        for (QChar c : cifre) {
            dito.tocca(tile(c.digitValue()));
            aspetta(60);
        }
    };

    // Two taps on a digit, then on "Cancella", at each distance.
    for (int ms : {100, 300, 500, 800, 1500}) {
        const auto [tra, doppio] = dito.duevolte(tile(4), ms);
        const QString dueCifre = m.Risposta;
        aspetta(300);
        dito.tocca(tile(7));
        aspetta(300);
        const QString prima = m.Risposta;
        const auto [traC, doppioC] = dito.duevolte(tile(10), ms);
        const QString cancellate = m.Risposta;
        // Two digits fewer, "?" when none is left.
        const QString attese = prima.size() > 2 ? prima.chopped(2) : QStringLiteral("?");
        nota(QStringLiteral("%1, taps %2 ms apart: «4» twice (%3 ms, %4) typed «%5»; after «7», "
                            "«Cancella» twice (%6 ms, %7) left «%8»")
                 .arg(modo)
                 .arg(ms)
                 .arg(tra)
                 .arg(doppio ? "double click" : "press")
                 .arg(dueCifre)
                 .arg(traC)
                 .arg(doppioC ? "double click" : "press")
                 .arg(cancellate));
        if (dueCifre != QLatin1String("44"))
            errore(
                QStringLiteral("%1: two taps %2 ms apart on «4» typed «%3»").arg(modo).arg(ms).arg(dueCifre));
        if (cancellate != attese)
            errore(QStringLiteral("%1: two taps %2 ms apart on «Cancella» left «%3» of «%4»")
                       .arg(modo)
                       .arg(ms)
                       .arg(cancellate, prima));
        // Qt's own reading of the taps, as on a real device: with id 0 a
        // second tap in the same place is a double click however late.
        if (ms == 1500 && doppio != idZero)
            errore(QStringLiteral("%1: Qt delivered the late second tap as a %2")
                       .arg(modo, doppio ? "double click" : "press"));
        while (m.Risposta != QLatin1String("?") && !m.Risposta.isEmpty()) {
            aspetta(300);
            dito.tocca(tile(10));
        }
        aspetta(300);
    }

    // A slow double tap on "Verifica", after a wrong answer and at the 20th;
    // a tap after the settle time acts.
    auto operazioni = [&](int fino) {
        for (int volte = 0; f && m.NumOperazione < fino && volte < 40; ++volte) {
            scrivi(m.StrRisultato.trimmed());
            dito.tocca(tile(11));
            aspetta(60);
            dito.tocca(tile(12));
            aspetta(60);
        }
    };
    auto registro = [&] {
        return QStringList(m.RegistroOperazioni.begin() + 1, m.RegistroOperazioni.begin() + 21);
    };
    auto davanti = [&](const QString& pannello) {
        const QWidget* w = controllo(f, pannello);
        return w && w->isEnabled();
    };
    auto comeArriva = [](bool doppio) { return doppio ? "double click" : "press"; };
    for (int ms : {200, 600}) {
        scrivi(QString::number(m.Risultato + 1));
        const auto [traV, doppioV] = dito.duevolte(tile(11), ms);
        aspetta(300);
        const auto* etichetta = controllo<QLabel>(f, QStringLiteral("lblCorrezione"));
        const QString correzione = etichetta ? etichetta->text().trimmed() : QStringLiteral("(no window)");
        const bool aiuto = davanti(QStringLiteral("fraAiuto"));
        nota(QStringLiteral("%1, double tap %2 ms apart (%3 ms, %4) on Verifica after a wrong answer: "
                            "help question shown %5, correction «%6»")
                 .arg(modo)
                 .arg(ms)
                 .arg(traV)
                 .arg(comeArriva(doppioV))
                 .arg(aiuto)
                 .arg(correzione));
        if (!aiuto || !correzione.isEmpty())
            errore(QStringLiteral("%1: a double tap %2 ms apart on a wrong answer accepted the help")
                       .arg(modo)
                       .arg(ms));
        // Once the panel has settled a tap acts.
        aspetta(1000);
        dito.tocca(controllo(f, QStringLiteral("Option3(1)")));
        aspetta(300);
        if (!davanti(QStringLiteral("fraTastierino")))
            errore(QStringLiteral("%1: NO did not bring the keypad back").arg(modo));

        operazioni(20);
        scrivi(m.StrRisultato.trimmed());
        const QStringList prima = registro().mid(0, 19);
        const auto [tra, doppio] = dito.duevolte(tile(11), ms);
        aspetta(300);
        const QStringList dopo = registro();
        const bool avviso = davanti(QStringLiteral("fraAvviso"));
        nota(QStringLiteral("%1, double tap %2 ms apart (%3 ms, %4) on Verifica at the 20th answer: "
                            "operation %5, right %6, notice shown %7, records kept %8")
                 .arg(modo)
                 .arg(ms)
                 .arg(tra)
                 .arg(comeArriva(doppio))
                 .arg(m.NumOperazione)
                 .arg(m.RisposteEsatte)
                 .arg(avviso)
                 .arg(dopo.mid(0, 19) == prima && !dopo.last().isEmpty()));
        if (m.NumOperazione != 20 || !avviso || dopo.mid(0, 19) != prima || dopo.last().isEmpty())
            errore(QStringLiteral("%1: a double tap %2 ms apart on Verifica restarted the run")
                       .arg(modo)
                       .arg(ms));
        aspetta(1000);
        if (ms == 600)
            break;
        dito.tocca(controllo(f, QStringLiteral("optAvviso(1)")));
        if (m.NumOperazione != 1)
            errore(QStringLiteral("%1: Ricomincia did not start a new run").arg(modo));
        aspetta(300);
    }

    // The name typed by touch on the results window's name window.
    dito.tocca(controllo(f, QStringLiteral("optAvviso(0)")));
    auto* risultati = static_cast<FrmStampaEsercizio*>(Forms::find(FrmStampaEsercizio::kName));
    if (!risultati || !QTest::qWaitForWindowActive(risultati))
        return errore(QStringLiteral("%1: the results window did not open").arg(modo)), 1;
    aspetta(500);
    dito.tocca(controllo(risultati, QStringLiteral("Option1(2)")));
    auto* nome = static_cast<FrmNome*>(Forms::find(FrmNome::kName));
    if (!nome || !QTest::qWaitForWindowActive(nome))
        return errore(QStringLiteral("%1: the name window did not open").arg(modo)), 1;
    aspetta(500);
    const QWidget* lettera = controllo(nome, QStringLiteral("Lettera(0)"));
    if (!lettera)
        return errore(QStringLiteral("%1: the name window opened by a tap has no letter tiles").arg(modo)), 1;
    const QString scritto = idZero ? QStringLiteral("ANNA") : QStringLiteral("LUCA");
    for (QChar c : scritto) {
        dito.tocca(controllo(nome, QStringLiteral("Lettera(%1)").arg(c.unicode() - 'A')));
        aspetta(150);
    }
    const QString mostrato = controllo<QLabel>(nome, QStringLiteral("lblNome"))->text();
    nota(QStringLiteral("%1: the letter tiles typed «%2», window %3x%4, tiles %5x%6")
             .arg(modo, mostrato)
             .arg(nome->width())
             .arg(nome->height())
             .arg(lettera->width())
             .arg(lettera->height()));
    if (mostrato != scritto)
        errore(QStringLiteral("%1: the letter tiles typed «%2», not «%3»").arg(modo, mostrato, scritto));
    if (!foto.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(foto);
    dito.tocca(controllo(nome, QStringLiteral("Option4")));
    aspetta(300);
    dito.tocca(controllo(risultati, QStringLiteral("Option1(3)")));
    auto* attestato = static_cast<FrmAttestato*>(Forms::find(FrmAttestato::kName));
    if (!attestato)
        return errore(QStringLiteral("%1: the certificate did not open").arg(modo)), 1;
    for (int volte = 0; volte < 100 && attestato->disegnoInCorso(); ++volte)
        aspetta(300);
    const QStringList righe = controllo<PictureBox>(attestato, QStringLiteral("Picture1"))->drawnLines();
    QString sulCertificato;
    for (const QString& riga : righe)
        if (riga.trimmed().compare(scritto, Qt::CaseInsensitive) == 0)
            sulCertificato = riga;
    nota(QStringLiteral("%1: the certificate's lines: %2").arg(modo, righe.join(u'|')));
    if (sulCertificato.isEmpty())
        errore(QStringLiteral("%1: the certificate does not name «%2»").arg(modo, scritto));
    return errori ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList a = QCoreApplication::arguments();
    const QString modo = a.value(1);
    int esito = 2;
    if (modo == QLatin1String("attestato") && a.size() > 2)
        esito = attestato(a.at(2));
    else if (modo == QLatin1String("finestre"))
        esito = finestre();
    else if (modo == QLatin1String("foto") && a.size() > 2)
        esito = foto(a.at(2));
    else if (modo == QLatin1String("tocco") &&
             (a.value(2) == QLatin1String("nuovo") || a.value(2) == QLatin1String("zero")))
        esito = tocco(a.at(2) == QLatin1String("zero"), a.value(3));
    else
        std::fprintf(
            stderr, "usage: e2e_desktop attestato OUTDIR | finestre | foto FILE | tocco nuovo|zero [FILE]\n");
    // The session ends as the program's own would.
    for (const QString& nome : Forms::loadedNames())
        Forms::unload(nome);
    QCoreApplication::processEvents();
    return esito;
}
