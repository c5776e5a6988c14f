# SPDX-License-Identifier: GPL-3.0-or-later
"""A blind pupil's run with Debian's own screen reader: starts Orca with a
fresh preferences folder and its speech going to speech-dispatcher (audio to
ALSA's null device), starts the program, drives it by keys only (xdotool) and
reads what Orca spoke from its debug log ("SPEECH OUTPUT: '...'").
Usage: orca_speech.py PROGRAM WORK_FOLDER (run inside a D-Bus session with an
AT-SPI bus and a display). Exits non-zero on the first thing not spoken."""

import os
import re
import signal
import subprocess
import sys
import time

if len(sys.argv) == 4 and sys.argv[1] == "--orca":
    # Orca's own launcher, with its debug log line-buffered so that every
    # utterance is in the file when it is spoken. Other Orcas of this user
    # run on other buses and are left alone.
    import importlib.machinery

    launcher = importlib.machinery.SourceFileLoader("orca_launcher", "/usr/bin/orca").load_module()
    from orca import debug

    debug.debugLevel = debug.LEVEL_INFO
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(sys.argv[2], "w", buffering=1)
    launcher.otherOrcas = lambda: []
    sys.argv = ["orca", "-u", sys.argv[3]]
    sys.exit(launcher.main())

TIMEOUT = 15.0
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*[\[{]")
processes = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


class Speech:
    """What Orca has said so far, read from its log as it grows."""

    def __init__(self, path):
        self.path = path
        self.lines = []
        self.offset = 0

    def read(self):
        try:
            with open(self.path, "rb") as log:
                log.seek(self.offset)
                data = log.read()
        except FileNotFoundError:
            return
        # Only whole lines: the last one may still be being written.
        end = data.rfind(b"\n") + 1
        self.offset += end
        for line in data[:end].decode("utf-8", errors="replace").splitlines():
            m = SPOKEN.search(line)
            if m:
                self.lines.append(m.group(1))
                print("  spoken: " + m.group(1))

    def mark(self):
        self.read()
        return len(self.lines)

    def wait(self, what, pattern, since, timeout=TIMEOUT):
        """The first utterance after `since` matching the pattern."""
        rx = re.compile(pattern)
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            self.read()
            for text in self.lines[since:]:
                m = rx.search(text)
                if m:
                    return m
            time.sleep(0.05)
        fail("Orca did not speak %s (%r); it said: %r" % (what, pattern, self.lines[since:]))


def key(*names):
    subprocess.run(["xdotool", "key"] + list(names), check=True)


def write_config(home):
    conf = os.path.join(home, ".config", "speech-dispatcher")
    os.makedirs(conf)
    # No sound card: the speech goes to ALSA's null device. With the default
    # PulseAudio output the speech server stops answering.
    with open(os.path.join(conf, "speechd.conf"), "w") as f:
        f.write('AudioOutputMethod "alsa"\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                'DefaultModule espeak-ng\n'
                'DefaultLanguage "it"\n')
    with open(os.path.join(home, ".asoundrc"), "w") as f:
        f.write("pcm.!default { type null }\n")


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    # Stopped by a time limit, it still stops Orca and the speech server.
    signal.signal(signal.SIGTERM, lambda *_: fail("stopped"))
    program, work = sys.argv[1], sys.argv[2]
    home = os.path.join(work, "orca-home")
    os.makedirs(home)
    write_config(home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_DATA_HOME=os.path.join(home, ".local"))
    log = os.path.join(work, "orca.log")
    speech = Speech(log)
    orca = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--orca", log,
                             os.path.join(home, "orca-prefs")], env=env,
                            stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "orca.err"), "w"))
    processes.append(orca)
    try:
        speech.wait("its greeting", r".", 0, timeout=30)
        mark = speech.mark()
        pontelo = subprocess.Popen([program], env=env)
        processes.append(pontelo)
        speech.wait("the start window", r"PONTEL0", mark, timeout=30)
        scenario(speech)
        print("ok: what Orca speaks passed")
    finally:
        for p in reversed(processes):
            stop(p)
        pid = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speech-dispatcher", "pid", "speech-dispatcher.pid")
        # The speech server Orca started runs on by itself: stopped, and
        # waited for, so that it and its synthesiser are gone.
        try:
            with open(pid) as f:
                server = int(f.read().strip())
            os.kill(server, signal.SIGTERM)
            for _ in range(100):
                os.kill(server, 0)
                time.sleep(0.05)
        except (FileNotFoundError, ValueError, ProcessLookupError):
            pass


OPERATION = r"^(\d+|quanto) (più|meno) (\d+|quanto) uguale (\d+|quanto) (più|meno) (\d+|quanto)\b"


def solve(m):
    """The hidden term of an operation as spoken."""
    a, s1, b, c, s2, d = m.groups()
    if s1 != s2:
        fail("the two signs differ in %r" % m.group(0))
    terms = [a, b, c, d]
    hidden = terms.index("quanto")
    a, b, c, d = (0 if t == "quanto" else int(t) for t in terms)
    if s1 == "più":
        return [c + d - b, c + d - a, a + b - d, a + b - c][hidden]
    return [c - d + b, a - (c - d), a - b + d, c - (a - b)][hidden]


def shown(m):
    """The row as the window shows it: "11 + 19 = ? + 12"."""
    words = {"più": "+", "meno": "-", "uguale": "=", "quanto": "?"}
    return " ".join(words.get(w, w) for w in m.group(0).split())


def review(speech, keyname, pattern, what, presses=10):
    """Orca's flat review, line by line with the key, until the line is read."""
    for _ in range(presses):
        mark = speech.mark()
        key(keyname)
        speech.wait("a line of the review", r".", mark)
        time.sleep(0.3)
        speech.read()
        for text in speech.lines[mark:]:
            if re.search(pattern, text):
                return text
    fail("flat review never read %s (%r)" % (what, pattern))


def answer(speech, value, verdict):
    mark = speech.mark()
    key(*str(value))
    key("Return")
    return speech.wait(verdict, verdict, mark)


def scenario(speech):
    speech.wait("the first level tile", r"Numero max da 10 a 40 push button", 0)
    mark = speech.mark()
    key("Return")
    speech.wait('"Vai"', r"Vai push button", mark)
    speech.wait("the level chosen", r"Numero massimo compreso tra 10 e 40", mark)
    print("ok: the level chosen is spoken")

    mark = speech.mark()
    key("Return")
    op = speech.wait("the first operation", OPERATION, mark)
    right = solve(op)
    print("ok: first operation spoken as %r, answer %d" % (op.group(0), right))
    row = review(speech, "KP_Home", re.escape(shown(op)), "the operation row")
    print("ok: flat review reads the row %r" % row)

    mark = speech.mark()
    key(*str(right))
    speech.wait("the keypad's Verifica", r"Verifica push button", mark)
    mark = speech.mark()
    key("KP_Enter")  # Where Am I
    # Where Am I speaks name, role and description as one utterance.
    speech.wait("the answer typed on Where Am I", r"Verifica push button Risposta: %d\b" % right, mark)
    print("ok: Where Am I speaks the answer typed, %d" % right)
    mark = speech.mark()
    key("Return")
    speech.wait('"ESATTO"', r"ESATTO", mark)
    print('ok: "ESATTO" spoken')
    counter = review(speech, "KP_Page_Up", r"Risposte esatte: 1\b", "the counters")
    print("ok: flat review reads the counters %r" % counter)

    mark = speech.mark()
    key("Return")
    op = speech.wait("the next operation after Avanti", OPERATION, mark)
    right = solve(op)
    print("ok: next operation spoken as %r" % op.group(0))
    answer(speech, right + 1, r"ERRATO")
    print('ok: "ERRATO" spoken')
    mark = speech.mark()
    key("Return")
    speech.wait("the right answer after SI", r"Risultato: %d\b" % right, mark)
    print("ok: the right answer %d spoken after SI" % right)

    for n in range(3, 21):
        mark = speech.mark()
        key("Return")
        op = speech.wait("operation %d" % n, OPERATION, mark)
        verdict = r"ESATTO" if n < 20 else r"ESATTO. Risposte esatte: 19. Risposte errate: 1. Tempo totale: \d+ second[oi]"
        end = answer(speech, solve(op), verdict)
    print("ok: the end of the run spoken: %r" % end.group(0))
    spoken = sum(1 for text in speech.lines if re.search(r"\bESATTO\b", text))
    if spoken != 19:
        fail('"ESATTO" spoken %d times for 19 right answers' % spoken)
    print('ok: "ESATTO" spoken once for each of the 19 right answers')

    mark = speech.mark()
    key("Return")  # "Stampa": the results window
    speech.wait("the results window", r"FINESTRA DI STAMPA", mark)
    speech.wait("the results window's focus", r"ESCI push button", mark)
    # The last record, its hidden term as dots and the answer given.
    last = re.escape(shown(op)).replace(re.escape("?"), re.escape("...")) + r" \(R\.%d\b" % solve(op)
    record = review(speech, "KP_Home", last, "the last record")
    print("ok: flat review reads the records: %r" % record)

    # Space from "ESCI" to "ATTESTATO", then the certificate with its grade.
    for _ in range(4):
        mark = speech.mark()
        key("space")
        if re.search(r"ATTESTATO push button", speech.wait("the next tile", r"push button", mark).string):
            break
    else:
        fail('Space never reached "ATTESTATO"')
    mark = speech.mark()
    key("Return")
    grade = speech.wait("the certificate's grade", r"DIPLOMA DI MERITO con la valutazione di OTTIMO", mark)
    print("ok: the certificate spoken: %r" % grade.string)


if __name__ == "__main__":
    main()
