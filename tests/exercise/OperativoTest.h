#pragma once

// Drives the exercise window as a pupil would: the level is chosen on the start
// window, answers go in through the keypad tiles or the keyboard, and every key
// reaches the control that has the focus.

#include "exercise/FrmOperativo.h"
#include "framework/CommandTile.h"
#include "framework/Controls.h"
#include "framework/Twips.h"
#include "session/FrmInizio.h"
#include "session/Modulo2.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

namespace op {

inline const QStringList kPannelli{QStringLiteral("fraTastierino"), QStringLiteral("fraAiuto"),
                                   QStringLiteral("fraAvviso"), QStringLiteral("fraIntervento")};

// Chooses a level on the start window with the mouse, which loads the exercise
// window hidden; with `vai` also presses "Vai" and waits until it is active.
inline FrmOperativo* apri(int livello = 0, bool vai = true) {
    FrmInizio& inizio = Forms::get<FrmInizio>();
    if (!showAndActivate(inizio))
        return nullptr;
    QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option2(%1)").arg(livello)),
                      Qt::LeftButton);
    auto* f = static_cast<FrmOperativo*>(Forms::find(FrmOperativo::kName));
    if (f && vai) {
        QTest::mouseClick(control<CommandTile>(&inizio, QStringLiteral("Option3(0)")), Qt::LeftButton);
        if (!QTest::qWaitForWindowActive(f))
            return nullptr;
    }
    return f;
}

inline Modulo2& m() {
    return Modulo2::get();
}
inline Label* etichetta(const QWidget* f, const QString& nome) {
    return control<Label>(f, nome);
}
inline QString testo(const QWidget* f, const QString& nome) {
    return etichetta(f, nome)->caption();
}
inline CommandTile* tasto(const QWidget* f, int i) {
    return control<CommandTile>(f, QStringLiteral("Option2(%1)").arg(i));
}
inline CommandTile* tessera(const QWidget* f, const QString& nome) {
    return control<CommandTile>(f, nome);
}
inline Label* nascosta(const QWidget* f) {
    return etichetta(f, QStringLiteral("lblNumero%1").arg(Modulo2::get().PosNascosto));
}
inline QString focoNome() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

inline QString giusta() {
    return Modulo2::get().StrRisultato.trimmed();
}
// Always a different number, never longer than four digits with these levels.
inline QString sbagliata() {
    return QString::number(Modulo2::get().Risultato + 1);
}
inline QString registro(int i) {
    return Modulo2::get().RegistroOperazioni[static_cast<size_t>(i)];
}

inline void clic(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(w, b);
}
// Digits on the keypad tiles; 'C' is "Cancella".
inline void digita(const QWidget* f, const QString& cifre) {
    for (QChar c : cifre)
        clic(tasto(f, c == QLatin1Char('C') ? 10 : c.digitValue()));
}
inline void verifica(const QWidget* f) {
    clic(tasto(f, 11));
}
inline void avanti(const QWidget* f) {
    clic(tasto(f, 12));
}
inline void rispondi(const QWidget* f, const QString& risposta) {
    digita(f, risposta);
    verifica(f);
}

// A key as the script names it: "5" main row, "kp5" numeric keypad, a letter,
// or Enter, Backspace, Space, Left, Right.
inline QPair<Qt::Key, Qt::KeyboardModifiers> chiave(const QString& nome) {
    if (nome.startsWith(QLatin1String("kp")))
        return {Qt::Key(Qt::Key_0 + nome.mid(2).toInt()), Qt::KeypadModifier};
    if (nome.size() == 1 && nome.at(0).isDigit())
        return {Qt::Key(Qt::Key_0 + nome.toInt()), Qt::NoModifier};
    if (nome.size() == 1 && nome.at(0).isUpper())
        return {Qt::Key(Qt::Key_A + (nome.at(0).unicode() - 'A')), Qt::NoModifier};
    static const QHash<QString, Qt::Key> nomi{{QStringLiteral("Enter"), Qt::Key_Return},
                                              {QStringLiteral("Backspace"), Qt::Key_Backspace},
                                              {QStringLiteral("Space"), Qt::Key_Space},
                                              {QStringLiteral("Left"), Qt::Key_Left},
                                              {QStringLiteral("Right"), Qt::Key_Right}};
    return {nomi.value(nome, Qt::Key_unknown), Qt::NoModifier};
}

// Presses and releases each key of a blank-separated script. As on a real
// keyboard, the release goes to whichever control has the focus by then.
inline void batti(const QString& script) {
    for (const QString& nome : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto [key, mods] = chiave(nome);
        QWidget* w = QApplication::focusWidget();
        if (!w) {
            qWarning("no control has the focus for key %s", qPrintable(nome));
            return;
        }
        QTest::keyPress(w, key, mods);
        if (QWidget* dopo = QApplication::focusWidget())
            QTest::keyRelease(dopo, key, mods);
    }
}

// Half a key stroke on the focused control: a key going down (as the toolkit's
// auto-repeat sends it, if asked) or coming up.
inline void giu(const QString& nome, bool autoRipetuto = false) {
    const auto [key, mods] = chiave(nome);
    const char ascii = QTest::keyToAscii(key);
    const QString text = ascii ? QString(QLatin1Char(ascii)) : QString();
    QKeyEvent e(QEvent::KeyPress, key, mods, text, autoRipetuto);
    if (QWidget* w = QApplication::focusWidget())
        QApplication::sendEvent(w, &e);
}
inline void su(const QString& nome) {
    const auto [key, mods] = chiave(nome);
    QKeyEvent e(QEvent::KeyRelease, key, mods);
    if (QWidget* w = QApplication::focusWidget())
        QApplication::sendEvent(w, &e);
}

// The panels that are enabled, and the one in front of the others.
inline QStringList pannelliAbilitati(const FrmOperativo* f) {
    QStringList abilitati;
    for (const QString& nome : kPannelli)
        if (control<QWidget>(f, nome)->isEnabled())
            abilitati << nome;
    return abilitati;
}
inline QString pannelloDavanti(const FrmOperativo* f) {
    QString davanti;
    for (QObject* o : f->client()->children())
        if (kPannelli.contains(o->objectName()))
            davanti = o->objectName();
    return davanti;
}

// The cross lines not hidden, by name.
inline QStringList lineeVisibili(const FrmOperativo* f) {
    QStringList visibili;
    for (int k = 0; k < 4; ++k)
        for (const QString& linea : {QStringLiteral("Line1(%1)"), QStringLiteral("Line2(%1)")})
            if (!control<LineControl>(f, linea.arg(k))->isHidden())
                visibili << linea.arg(k);
    return visibili;
}
inline QStringList croceSu(int posizione) {
    return {QStringLiteral("Line1(%1)").arg(posizione - 1), QStringLiteral("Line2(%1)").arg(posizione - 1)};
}

// A record as the window leaves it when the operation is made: the operation
// line padded to 35 characters and "(R.".
inline bool registroAppenaFatto(const QString& r) {
    return r.size() == 38 && r.endsWith(QLatin1String("(R.")) && r.contains(QLatin1String("..."));
}

} // namespace op
