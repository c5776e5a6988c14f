# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the running program through AT-SPI only, as a switch-access tool or
a screen reader would: chooses a level, answers right and wrong on the keypad
tiles, listens for what is announced, and walks every window looking for
controls on show that have no name. Exits non-zero on the first failure."""

import os
import re
import subprocess
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The bindings flag their per-interface calls as deprecated; they are what this uses.
warnings.simplefilter("ignore", DeprecationWarning)
TIMEOUT = 20.0
ROW = re.compile(r"^(\d+|\?) ([+-]) (\d+|\?) = (\d+|\?) ([+-]) (\d+|\?)$")
# Containers and decorations: they hold or frame controls and need no name.
UNNAMED_ROLES = {
    Atspi.Role.APPLICATION, Atspi.Role.FRAME, Atspi.Role.WINDOW, Atspi.Role.DIALOG, Atspi.Role.FILLER,
    Atspi.Role.PANEL, Atspi.Role.MENU_BAR, Atspi.Role.SCROLL_PANE, Atspi.Role.VIEWPORT,
    Atspi.Role.SEPARATOR, Atspi.Role.SCROLL_BAR, Atspi.Role.LIST,
}

announced = []  # (role, name) of every object whose name change was signalled
showing_changes = []  # (name, 1 or 0) of every object said to show or no longer show
program = None


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    if program is not None and program.poll() is None:
        program.kill()
    sys.exit(1)


def pump(seconds=0.0):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, probe, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        try:
            result = probe()
        except (GLib.Error, AttributeError):
            # An object gone between two calls, or not there yet.
            result = None
        if result:
            return result
        time.sleep(0.05)
    # With A11Y_DEBUG set, the windows and their buttons as AT-SPI sees them.
    if os.environ.get("A11Y_DEBUG"):
        for app in children(Atspi.get_desktop(0)):
            for w in children(app):
                print("window", repr(w.get_name()), showing(w), [s.value_nick for s in w.get_state_set().get_states()], file=sys.stderr)
                for n in walk(w):
                    if n.get_role() == Atspi.Role.PUSH_BUTTON:
                        print("   button", n.get_name(), showing(n), enabled(n), file=sys.stderr)
    fail("timed out waiting for " + what)


def on_name_changed(event):
    try:
        announced.append((event.source.get_role(), event.source.get_name()))
    except GLib.Error:
        pass


def on_showing_changed(event):
    try:
        showing_changes.append((event.source.get_name(), event.detail1))
    except GLib.Error:
        pass


def children(node):
    try:
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.Error:
        return []


def states(node):
    return node.get_state_set()


def showing(node):
    return states(node).contains(Atspi.StateType.SHOWING)


def enabled(node):
    return states(node).contains(Atspi.StateType.ENABLED)


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def application():
    def probe():
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            if app is not None and app.get_name() == "Pontelo":
                # Read every state afresh: the tests judge what is on show now.
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    return wait_for("the program on the accessibility bus", probe)


def window(app, title):
    def probe():
        for w in children(app):
            if w is not None and w.get_name() == title and showing(w):
                return w
        return None

    return wait_for("window " + repr(title), probe)


def find(root, role, name, need_showing=True):
    for node in walk(root):
        if node.get_role() == role and node.get_name() == name and (showing(node) or not need_showing):
            return node
    return None


def wait_find(root, role, name):
    return wait_for("%s %r on show" % (role.value_nick, name), lambda: find(root, role, name))


def press(node):
    """The accessible action a switch or voice control uses."""
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) in ("Press", "press", "click"):
            if not node.do_action(i):
                fail("action refused on %r" % node.get_name())
            pump(0.05)
            return
    fail("%r has no press action" % node.get_name())


def button(root, name):
    node = wait_find(root, Atspi.Role.PUSH_BUTTON, name)
    wait_for("%r enabled" % name, lambda: enabled(node))
    return node


def operation_row(root):
    for node in walk(root):
        if showing(node) and ROW.match(node.get_name() or ""):
            return node
    return None


def solve(text):
    a, s1, b, c, s2, d = ROW.match(text).groups()
    if s1 != s2:
        fail("the two signs differ in %r" % text)
    terms = [a, b, c, d]
    if terms.count("?") != 1:
        fail("not exactly one hidden term in %r" % text)
    hidden = terms.index("?")
    a, b, c, d = (0 if t == "?" else int(t) for t in terms)
    if s1 == "+":
        return [c + d - b, c + d - a, a + b - d, a + b - c][hidden]
    return [c - d + b, a - (c - d), a - b + d, c - (a - b)][hidden]


def text_of(node):
    try:
        return node.get_text(0, -1) or ""
    except (GLib.Error, NotImplementedError, AttributeError):
        return ""


def type_answer(root, value):
    for digit in str(value):
        press(button(root, digit))


def announced_since(mark, name):
    return any(n == name for _, n in announced[mark:])


def check_names(title, root):
    """No control on show without a name."""
    unnamed = []
    for node in walk(root):
        if node.get_role() in UNNAMED_ROLES or not showing(node):
            continue
        if not (node.get_name() or "").strip():
            unnamed.append(node.get_role_name())
    if unnamed:
        fail("%s: controls on show without a name: %s" % (title, ", ".join(unnamed)))
    print("ok: every control on show in %r has a name" % title)
    # With A11Y_SHOTS set to a folder, a screenshot of each window checked.
    if os.environ.get("A11Y_SHOTS"):
        pump(0.5)
        name = re.sub(r"\W+", "_", title)
        subprocess.run(["import", "-window", "root", os.path.join(os.environ["A11Y_SHOTS"], name + ".png")])


def menu_item(root, name):
    node = wait_for("menu item %r" % name,
                    lambda: find(root, Atspi.Role.MENU_ITEM, name, need_showing=False))
    return node


def main():
    global program
    Atspi.init()
    listener = Atspi.EventListener.new(on_name_changed)
    listener.register("object:property-change:accessible-name")
    showing_listener = Atspi.EventListener.new(on_showing_changed)
    showing_listener.register("object:state-changed:showing")
    pump(0.2)
    # Started only now, the program learns of the listener when it joins the
    # bus, and sends the events it asks for from the first one on.
    program = subprocess.Popen(sys.argv[1:])
    app = application()

    start = window(app, "PONTEL0 (addizioni o sottrazioni)")
    check_names("start", start)
    wait_find(start, Atspi.Role.IMAGE, "Il Pontelo")
    vai = wait_find(start, Atspi.Role.PUSH_BUTTON, "Vai")
    if enabled(vai):
        fail('"Vai" usable before a level is chosen')
    press(button(start, "Numero max da 10 a 40"))
    press(button(start, "Vai"))

    esercizio = window(app, "PONTELO (addizioni o sottrazioni)")
    row = wait_for("the operation row as one text", lambda: operation_row(esercizio))
    text = row.get_name()
    if text_of(row) != text:
        fail("the row's text %r differs from its name %r" % (text_of(row), text))
    answer = solve(text)
    print("ok: operation read as %r, answer %d" % (text, answer))
    type_answer(esercizio, answer)
    typed = " ".join(str(answer) if t == "?" else t for t in text.split())
    wait_for("the row read as %r" % typed, lambda: operation_row(esercizio).get_name() == typed)
    mark = len(announced)
    press(button(esercizio, "Verifica"))
    wait_for('"ESATTO" announced', lambda: announced_since(mark, "ESATTO"))
    print('ok: "ESATTO" announced')
    for counter in ("Risposte esatte: 1", "Operazioni: 1"):
        wait_find(esercizio, Atspi.Role.LABEL, counter)
    print("ok: counters read with their names")

    press(button(esercizio, "Avanti"))
    row = wait_for("a new operation",
                   lambda: operation_row(esercizio) if "?" in operation_row(esercizio).get_name().split() else None)
    wrong = solve(row.get_name()) + 1
    type_answer(esercizio, wrong)
    mark = len(announced)
    shown_mark = len(showing_changes)
    press(button(esercizio, "Verifica"))
    wait_for('"ERRATO" announced', lambda: announced_since(mark, "ERRATO"))
    wait_for("the keypad panel said to be no longer showing",
             lambda: ("Tastierino", 0) in showing_changes[shown_mark:])
    wait_for('"Ti aiuto ?" announced', lambda: announced_since(mark, "Ti aiuto ?"))
    print('ok: "ERRATO" and the help question announced')
    si = wait_find(esercizio, Atspi.Role.PUSH_BUTTON, "SI")
    wait_find(esercizio, Atspi.Role.PUSH_BUTTON, "NO")
    # The verdict comes with the question, as the focus brings the pupil there.
    if si.get_description() != "ERRATO. Ti aiuto ?":
        fail('"SI" is not read with its question: %r' % si.get_description())
    keypad = find(esercizio, Atspi.Role.PANEL, "Tastierino", need_showing=False)
    if keypad is None or showing(keypad):
        fail("the keypad panel is reported as showing under the help question")
    for digit in "0123456789":
        if find(esercizio, Atspi.Role.PUSH_BUTTON, digit) is not None:
            fail("keypad tile %s reported as showing under the help question" % digit)
    print("ok: SI and NO showing, the keypad panel not")
    check_names("exercise, help question", esercizio)

    press(button(esercizio, "SI"))
    wait_for("the correction", lambda: button(esercizio, "Avanti"))
    check_names("exercise, corrected", esercizio)

    # Results, name and certificate windows.
    press(menu_item(esercizio, "Visualizza esercizio"))
    risultati = window(app, "FINESTRA DI STAMPA ")
    check_names("results", risultati)
    press(button(risultati, "NOME"))
    nome = wait_for("the name window", lambda: find(app, Atspi.Role.PUSH_BUTTON, "AVANTI"))
    check_names("name", nome.get_parent())
    press(nome)
    wait_for("the name window closed", lambda: find(app, Atspi.Role.PUSH_BUTTON, "AVANTI") is None)
    press(button(risultati, "ATTESTATO"))
    attestato = window(app, "Form1")
    diploma = wait_for("the certificate's lines", lambda: next(
        (n for n in walk(attestato) if n.get_role() == Atspi.Role.IMAGE and "DIPLOMA DI MERITO" in text_of(n)), None))
    if "DIPLOMA DI MERITO" not in diploma.get_name():
        fail("the certificate picture does not read its lines")
    # Its lines are still being drawn when it takes the focus: the grade is
    # told at once.
    if not re.match(r"DIPLOMA DI MERITO.* con la valutazione di \S", diploma.get_description() or ""):
        fail("the certificate picture does not tell the grade: %r" % diploma.get_description())
    print("ok: the certificate reads %d lines" % len(text_of(diploma).splitlines()))
    check_names("certificate", attestato)
    press(button(attestato, "TORNA ALLA FINESTRA PRECEDENTE"))
    wait_for("the certificate closed", lambda: find(app, Atspi.Role.PUSH_BUTTON, "FINE SESSIONE") is None)

    press(menu_item(risultati, "Scegli la stampante"))
    scelta = wait_for("the printer choice", lambda: find(app, Atspi.Role.PUSH_BUTTON, "C H I U D I"))
    check_names("printer choice", scelta.get_parent())
    press(scelta)
    wait_for("the printer choice closed", lambda: find(app, Atspi.Role.PUSH_BUTTON, "C H I U D I") is None)
    press(button(risultati, "ESCI"))

    # The worksheet window and the About window, from the start window.
    press(menu_item(start, "Stampa schede"))
    schede = window(app, "IL PONTELO -")
    press(button(schede, "tra 10 e 40"))
    press(button(schede, "VISUALIZZA SCHEDA ALUNNI"))
    preview = wait_for("the worksheet preview", lambda: next(
        (n for n in walk(schede) if n.get_name() == "Anteprima della scheda" and showing(n)
         and text_of(n).count("\n") >= 59), None))
    print("ok: the worksheet preview reads %d lines" % len(text_of(preview).splitlines()))
    check_names("worksheets", schede)
    press(button(schede, "ESCI"))
    press(menu_item(start, "About"))
    autore = window(app, "Autore")
    check_names("About", autore)
    press(button(autore, "C h i u d i"))

    check_names("start, level chosen", start)
    press(button(start, "Esci"))
    listener.deregister("object:property-change:accessible-name")
    showing_listener.deregister("object:state-changed:showing")
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
        fail("the program is still running after Esci")
    print("ok: accessibility check passed")


if __name__ == "__main__":
    main()
