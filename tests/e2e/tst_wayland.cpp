// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a real Wayland compositor, driven by real input: run by
// scripts/check-wayland.sh inside weston's X11 output, where xdotool's
// pointer and keys reach weston as a user's would. Every step polls the
// program from a timer, so the steps go on inside the nested event loop of a
// modal window as well.
#include "core/Modulo2.h"
#include "framework/CommandTile.h"
#include "framework/Form.h"
#include "framework/Forms.h"
#include "platform/Printers.h"
#include "platform/QtMessageBox.h"
#include "session/Avvio.h"
#include "support/Doubles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Passo {
    QString nome;
    std::function<bool()> fatto; // polled until true
    int limiteMs = 10000;
};

int superati = 0;
int falliti = 0;

void esito(bool ok, const QString& cosa) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", qPrintable(cosa));
    std::fflush(stdout);
    (ok ? superati : falliti)++;
}

Form* finestra(const QString& nome) {
    Form* f = Forms::find(nome);
    return f && f->isVisible() && f->windowHandle() && f->windowHandle()->isExposed() ? f : nullptr;
}

template <class T = QWidget> T* controllo(const QString& form, const QString& nome) {
    Form* f = Forms::find(form);
    return f ? f->findChild<T*>(nome) : nullptr;
}

// Where a point of a widget is on weston's output. A maximised window lies at
// the output's corner; its client-side decoration adds the frame margins.
QPoint sulloSchermo(QWidget* w, QPoint locale) {
    QWidget* top = w->window();
    const QMargins m = top->windowHandle()->frameMargins();
    return w->mapTo(top, locale) + QPoint(m.left(), m.top());
}

QPoint centro(QWidget* w) {
    return sulloSchermo(w, w->rect().center());
}

// Runs xdotool without blocking the event loop; true once it has ended well.
class Comando {
public:
    bool esegui(const QStringList& argomenti) {
        if (!avviato_) {
            processo_ = std::make_unique<QProcess>();
            processo_->start(QStringLiteral("xdotool"), argomenti);
            avviato_ = true;
        }
        if (processo_->state() != QProcess::NotRunning)
            return false;
        avviato_ = false;
        if (processo_->exitStatus() != QProcess::NormalExit || processo_->exitCode() != 0) {
            esito(false, QStringLiteral("xdotool %1").arg(argomenti.join(u' ')));
            std::_Exit(1);
        }
        return true;
    }

    // A click that has started is waited for even when its target has gone.
    bool inCorso() const { return avviato_; }
    void attendiFine() {
        if (processo_)
            processo_->waitForFinished(5000);
    }

private:
    std::unique_ptr<QProcess> processo_;
    bool avviato_ = false;
};

// Pixels of one colour on the whole X screen, which shows weston's output.
int pixelDelColore(const QString& file, QRgb colore) {
    if (QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), file}) != 0)
        return -1;
    const QImage img = QImage(file).convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* riga = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            n += (riga[x] & 0xFFFFFF) == (colore & 0xFFFFFF);
    }
    return n;
}

QPoint centroDelColore(const QString& file, QRgb colore) {
    const QImage img = QImage(file).convertToFormat(QImage::Format_RGB32);
    qint64 sx = 0, sy = 0, n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (colore & 0xFFFFFF)) {
                sx += x;
                sy += y;
                ++n;
            }
    return n ? QPoint(int(sx / n), int(sy / n)) : QPoint(-1, -1);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    auto stampanti = std::make_unique<RecordingPrinters>();
    stampanti->devices = {QStringLiteral("Classe 3A"), Printers::kFilePdf};
    stampanti->defaultDevice = QStringLiteral("Classe 3A");
    avviaProgramma(std::move(stampanti), std::make_unique<QtMessageBox>());
    esito(QGuiApplication::platformName() == QLatin1String("wayland"),
          QStringLiteral("native Wayland client (platform %1)").arg(QGuiApplication::platformName()));

    QTemporaryDir cartella;
    const QString schermata = cartella.filePath(QStringLiteral("schermo.png"));
    // "C H I U D I" of the printer choice window: no other control has its yellow.
    const QRgb gialloChiudi = qRgb(255, 255, 128);
    int gialloAperta = 0;
    QPoint chiudi;
    Comando xdo;
    QElapsedTimer orologio;
    auto clic = [&](const QString& form, const QString& nome) {
        return [&xdo, form, nome] {
            if (xdo.inCorso())
                return xdo.esegui({});
            QWidget* w = controllo(form, nome);
            if (!w)
                return false;
            const QPoint p = centro(w);
            return xdo.esegui({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                               QStringLiteral("click"), QStringLiteral("1")});
        };
    };
    auto pausa = [&](int ms) {
        return [&orologio, ms] {
            if (!orologio.isValid())
                orologio.start();
            if (orologio.elapsed() < ms)
                return false;
            orologio.invalidate();
            return true;
        };
    };
    auto clicMenu = [&](const QString& form, const QString& voce) {
        return [&xdo, form, voce] {
            if (xdo.inCorso())
                return xdo.esegui({});
            Form* f = Forms::find(form);
            QAction* a = f ? f->findChild<QAction*>(voce) : nullptr;
            QMenuBar* barra = f ? f->findChild<QMenuBar*>() : nullptr;
            if (!a || !barra)
                return false;
            const QPoint p = sulloSchermo(barra, barra->actionGeometry(a).center());
            return xdo.esegui({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                               QStringLiteral("click"), QStringLiteral("1")});
        };
    };

    const std::vector<Passo> passi = {
        {QStringLiteral("the start window is shown"),
         [] { return finestra(QStringLiteral("FrmInizio")) != nullptr; }},
        // weston's X11 output follows the pointer's moves; start it from the corner.
        {QStringLiteral("pointer at the corner"),
         [&] {
             return xdo.esegui({"mousemove", "0", "0"});
         }},
        {QStringLiteral("pointer moved once"),
         [&] {
             return xdo.esegui({"mousemove", "1", "1"});
         }},
        {QStringLiteral("first level chosen"),
         clic(QStringLiteral("FrmInizio"), QStringLiteral("Option2(0)"))},
        {QStringLiteral("\"Vai\" enabled"),
         [] {
             auto* vai = controllo<CommandTile>(QStringLiteral("FrmInizio"), QStringLiteral("Option3(0)"));
             return vai && vai->isEnabled();
         }},
        {QStringLiteral("\"Vai\" pressed"), clic(QStringLiteral("FrmInizio"), QStringLiteral("Option3(0)"))},
        {QStringLiteral("the exercise window is shown"),
         [] { return finestra(QStringLiteral("FrmOperativo")) != nullptr; }},
        {QStringLiteral("settle"), pausa(500)},
        {QStringLiteral("digit 7 held down"),
         [&] {
             return xdo.esegui({"keydown", "7"});
         }},
        {QStringLiteral("held for 1.5 s"), pausa(1500)},
        {QStringLiteral("digit 7 released"),
         [&] {
             return xdo.esegui({"keyup", "7"});
         }},
        {QStringLiteral("repeats delivered"), pausa(300)},
        {QStringLiteral("a held digit types once"),
         [] {
             esito(Modulo2::get().Risposta.trimmed() == QLatin1String("7"),
                   QStringLiteral("a held digit types once (answer \"%1\")").arg(Modulo2::get().Risposta));
             return true;
         }},
        {QStringLiteral("\"Visualizza esercizio\" chosen"),
         clicMenu(QStringLiteral("FrmOperativo"), QStringLiteral("mnuVisualizzaEsercizio"))},
        {QStringLiteral("the results window is shown"),
         [] { return finestra(QStringLiteral("FrmStampaEsercizio")) != nullptr; }},
        {QStringLiteral("settle"), pausa(500)},
        {QStringLiteral("\"Scegli la stampante\" chosen"),
         clicMenu(QStringLiteral("FrmStampaEsercizio"), QStringLiteral("mnuScegli"))},
        {QStringLiteral("the printer choice window is shown"),
         [] { return finestra(QStringLiteral("frmSceltaStampante")) != nullptr; }},
        {QStringLiteral("drawn"), pausa(700)},
        {QStringLiteral("the printer choice window is on screen"),
         [&] {
             gialloAperta = pixelDelColore(schermata, gialloChiudi);
             chiudi = centroDelColore(schermata, gialloChiudi);
             esito(gialloAperta > 2000,
                   QStringLiteral("the printer choice window is on screen (%1 px of its button)")
                       .arg(gialloAperta));
             QWidget* modale = QApplication::activeModalWidget();
             esito(modale && modale->objectName() == QLatin1String("frmSceltaStampante"),
                   QStringLiteral("the printer choice window is modal"));
             return true;
         }},
        // A click on the results window, away from the choice window.
        {QStringLiteral("click on the results window"),
         [&] {
             return xdo.esegui({"mousemove", "40", "700", "click", "1"});
         }},
        {QStringLiteral("restacked"), pausa(700)},
        {QStringLiteral("the printer choice window stays on top"),
         [&] {
             const int dopo = pixelDelColore(schermata, gialloChiudi);
             esito(gialloAperta > 0 && dopo >= gialloAperta * 95 / 100,
                   QStringLiteral("the printer choice window stays on top (%1 px, was %2)")
                       .arg(dopo)
                       .arg(gialloAperta));
             esito(Forms::isLoaded(QStringLiteral("frmSceltaStampante")) &&
                       finestra(QStringLiteral("FrmStampaEsercizio")),
                   QStringLiteral("the opener stays open and blocked"));
             return true;
         }},
        {QStringLiteral("\"C H I U D I\" pressed"),
         [&] {
             return xdo.esegui({QStringLiteral("mousemove"), QString::number(chiudi.x()),
                                QString::number(chiudi.y()), QStringLiteral("click"), QStringLiteral("1")});
         }},
        {QStringLiteral("the printer choice window is closed"),
         [] { return !Forms::isLoaded(QStringLiteral("frmSceltaStampante")); }},
        {QStringLiteral("settle"), pausa(500)},
        // The results window answers again: its "ESCI" closes it.
        {QStringLiteral("\"ESCI\" pressed"),
         clic(QStringLiteral("FrmStampaEsercizio"), QStringLiteral("Option1(0)"))},
        {QStringLiteral("the results window responds once the choice is closed"),
         [] { return !Forms::isLoaded(QStringLiteral("FrmStampaEsercizio")); }},
        {QStringLiteral("settle"), pausa(500)},
        // The exercise window's own close button, on its client-side decoration.
        {QStringLiteral("the exercise window's close button pressed"),
         [&] {
             if (xdo.inCorso())
                 return xdo.esegui({});
             Form* f = Forms::find(QStringLiteral("FrmOperativo"));
             if (!f)
                 return false;
             const QMargins m = f->windowHandle()->frameMargins();
             const int x = m.left() + f->width() + m.right() - 18;
             const int y = m.top() / 2;
             return xdo.esegui({QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                                QStringLiteral("click"), QStringLiteral("1")});
         }},
        {QStringLiteral("the exercise window is closed"),
         [] { return !Forms::isLoaded(QStringLiteral("FrmOperativo")); }},
        {QStringLiteral("the start window is in front"), pausa(500)},
        {QStringLiteral("\"Esci\" pressed"), clic(QStringLiteral("FrmInizio"), QStringLiteral("Option3(1)"))},
    };

    size_t corrente = 0;
    QElapsedTimer tempoPasso;
    tempoPasso.start();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (corrente >= passi.size())
            return;
        if (passi[corrente].fatto()) {
            ++corrente;
            tempoPasso.restart();
        } else if (tempoPasso.elapsed() > passi[corrente].limiteMs) {
            esito(false, QStringLiteral("timed out: %1").arg(passi[corrente].nome));
            std::printf("%d passed, %d failed\n", superati, falliti);
            std::fflush(stdout);
            std::_Exit(1);
        }
    });
    timer.start(50);
    const int codice = QApplication::exec();

    // The last step's click ends the program before xdotool itself has ended.
    const bool ultimoAvviato = corrente + 1 == passi.size() && xdo.inCorso();
    xdo.attendiFine();
    esito(corrente == passi.size() || ultimoAvviato,
          QStringLiteral("every step done before the program ended"));
    esito(codice == 0 && Forms::loadedNames().isEmpty(), QStringLiteral("\"Esci\" ends the program cleanly"));
    std::printf("%d passed, %d failed\n", superati, falliti);
    return falliti == 0 ? 0 : 1;
}
