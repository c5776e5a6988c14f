// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the exercise window as a pupil would: the level is chosen on the start
// window, answers go in through the keypad tiles or the keyboard, and every key
// reaches the control that has the focus.

#include "core/Modulo2.h"
#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QtTest>

class OperativoTest : public QObject {
protected:
    FakePlatform fakes;

    static Modulo2& m() { return Modulo2::get(); }
    static QString testo(const QWidget* f, const QString& nome) { return control<Label>(f, nome)->caption(); }
    static CommandTile* tasto(const QWidget* f, int i) {
        return control<CommandTile>(f, QStringLiteral("Option2(%1)").arg(i));
    }
    static Label* nascosta(const QWidget* f) {
        return control<Label>(f, QStringLiteral("lblNumero%1").arg(m().PosNascosto));
    }
    static QString focoNome() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    static QString giusta() { return m().StrRisultato.trimmed(); }
    // Always a different number, never longer than four digits with these levels.
    static QString sbagliata() { return QString::number(m().Risultato + 1); }
    static QString registro(int i) { return m().RegistroOperazioni[static_cast<size_t>(i)]; }
    template <class... T> static void riga(const char* nome, const T&... valori) {
        (QTest::newRow(nome) << ... << valori);
    }

    // A pupil clicks once what has come up is read: later than a panel's settle time.
    static constexpr int kLettura = 1000;
    static void clic(const QWidget* f, const QString& nome) {
        QTest::mouseClick(control<CommandTile>(f, nome), Qt::LeftButton, {}, QPoint(), kLettura);
    }
    // Chooses a level on the start window, which loads the exercise window hidden;
    // with `vai` also presses "Vai" and waits until the exercise window is active.
    static FrmOperativo* apri(int livello = 0, bool vai = true) {
        FrmInizio& inizio = Forms::get<FrmInizio>();
        if (!showAndActivate(inizio))
            return nullptr;
        clic(&inizio, QStringLiteral("Option2(%1)").arg(livello));
        auto* f = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
        if (vai)
            clic(&inizio, QStringLiteral("Option3(0)"));
        return f && (!vai || QTest::qWaitForWindowActive(f)) ? f : nullptr;
    }
    // Digits on the keypad tiles; 'C' is "Cancella".
    static void digita(const QWidget* f, const QString& cifre) {
        for (QChar c : cifre)
            QTest::mouseClick(tasto(f, c == QLatin1Char('C') ? 10 : c.digitValue()), Qt::LeftButton);
    }
    static void rispondi(const QWidget* f, const QString& risposta) {
        digita(f, risposta);
        clic(f, QStringLiteral("Option2(11)"));
    }

    static void giu(const QString& nome, bool ripetuto = false) { sendKey(QEvent::KeyPress, nome, ripetuto); }
    static void su(const QString& nome) { sendKey(QEvent::KeyRelease, nome); }
    static void batti(const QString& script) { strokes(script); }
    // The digits of a number as a key script.
    static QString cifre(const QString& n) { return n.split(QString(), Qt::SkipEmptyParts).join(' '); }

    // The one panel in use: enabled, in front, the others disabled.
    static QString pannello(const FrmOperativo* f) {
        QStringList abilitati;
        QString davanti;
        for (QObject* o : f->client()->children())
            if (o->objectName().startsWith("fra") && o->objectName() != QLatin1String("fraNumero")) {
                davanti = o->objectName();
                if (static_cast<QWidget*>(o)->isEnabled())
                    abilitati << davanti;
            }
        return abilitati == QStringList{davanti} ? davanti : abilitati.join(',') + " / " + davanti;
    }
    // The position (1-4) of the one cross shown, 0 if none, -1 if lines are mixed.
    static int croce(const FrmOperativo* f) {
        int pos = 0;
        for (int k = 0; k < 4; ++k) {
            const bool l1 = !control<LineControl>(f, QStringLiteral("Line1(%1)").arg(k))->isHidden();
            const bool l2 = !control<LineControl>(f, QStringLiteral("Line2(%1)").arg(k))->isHidden();
            if (l1 != l2 || (l1 && pos))
                return -1;
            pos = l1 ? k + 1 : pos;
        }
        return pos;
    }
};
