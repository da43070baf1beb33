#!/usr/bin/python3
"""Reads and works the running program through the AT-SPI bus, as a screen
reader does: every window opened and every button pressed through the
accessibility actions, every visible control checked for a role and a name in
the language in use, every bar for its value and its label.

The instruments' menu is opened as a screen-reader user opens it, with
Shift+F10 synthesised through the bus; popup menus are not children of the
program's node, so the menu is found, as Orca finds it, by the event that
says it is showing.

A step-mode run is heard as Orca hears it, in English and in Greek: each
notice of the two-media window is a notification that shows anew, read by its
name when it says it shows.

Started by run_atspi_client.sh, which provides the display and the buses.
Exits 0 when every check holds; otherwise prints what failed and exits 1.
"""
import re
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

TIMEOUT = 20.0
POLL = 0.05

GREEK_LETTER = re.compile("[\u0370-\u03ff]")
# Title bars and the elliptic window's button read the same in both languages.
TITLES = {
    "introduction": "EISAGOGH",
    "simple": "APLH LYSH",
    "two media": "DYO MESA",
    "elliptic": "Ελλειπτική διαφορική εξίσωση",
}
FIXED_NAMES = {"ΛΥΣΗ"}
READOUTS = {
    "en": {"two media": "Ratios", "simple": "Readout"},
    "el": {"two media": "Λόγοι", "simple": "Ένδειξη"},
}
CAPTIONS = {
    "en": {
        "simple solution": "SIMPLE SOLUTION", "two media": "TWO MEDIA", "english": "ENGLISH",
        "greek": "GREEK", "end": "END", "elliptic": "elliptic equation", "start": "START",
        "simple start": "start", "stop": "STOP", "step": "STEP", "continue": "CONTINUE",
        "free end": "FREE END", "fixed end": "FIXED END",
    },
    "el": {
        "simple solution": "ΑΠΛΗ ΛΥΣΗ", "two media": "ΔΥΟ ΜΕΣΑ", "english": "ΑΓΓΛΙΚΑ",
        "greek": "ΕΛΛΗΝΙΚΑ", "end": "ΤΕΡΜΑ", "elliptic": "Ελλειπτική Εξίσωση", "start": "ΞΕΚΙΝΑ",
        "simple start": "ΞΕΚΙΝΑ", "stop": "ΣΤΑΜΑΤΑ", "step": "ΒΗΜΑ ΒΗΜΑ",
        "continue": "ΣΥΝΕΧΙΣΕ", "free end": "ΕΛΕΥΘΕΡΟ ΑΚΡΟ", "fixed end": "ΣΤΑΘΕΡΟ ΑΚΡΟ",
    },
}
# The instruments' menu on the two-media window, in its order, and the
# instruments opened from it here.
INSTRUMENT_ITEMS = {
    "en": ["Space-time diagram", "Point probe", "Measured ratios", "Save picture...",
           "Copy data"],
    "el": ["Διάγραμμα χώρου-χρόνου", "Ανιχνευτής σημείου", "Μετρημένοι λόγοι",
           "Αποθήκευση εικόνας...", "Αντιγραφή δεδομένων"],
}
INSTRUMENTS_OPENED = (0, 2)
# Predict mode, a checked item after the instruments.
PREDICT_ITEM = {"en": "Predict", "el": "Πρόβλεψη"}
F10 = 0xffc7
ESCAPE = 0xff1b
SHIFT_MASK = 1
# The two-media window's bars: (Min, Max) of the speeds, height, interval, width.
TWO_MEDIA_RANGES = sorted([(1, 200), (1, 200), (10, 100), (1, 10), (15, 45)])
# What the notices of a step-mode run must say, in the language in use: the
# junction reached, the part reflected there upright or upside down, the part
# transmitted, and the end of the run.
RUN_NOTICES = {
    "en": [r"reaches the junction", r"reflected part comes back (upright|upside down)",
           r"transmitted part goes on", r"End of the run"],
    "el": [r"φτάνει στο σημείο ένωσης", r"ανακλώμενος παλμός επιστρέφει (όρθιος|ανεστραμμένος)",
           r"διαδιδόμενος παλμός συνεχίζει", r"Τέλος της κίνησης"],
}


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=TIMEOUT, poll=POLL):
    """Polls probe() until it returns something true; fails after timeout.
    The events that arrived meanwhile are handled between polls."""
    deadline = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        try:
            result = probe()
        except (LookupError, RuntimeError):
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout:.0f} s for {what}")
        time.sleep(poll)


def state(accessible, which):
    return accessible.getState().contains(which)


def showing(accessible):
    return accessible is not None and state(accessible, pyatspi.STATE_SHOWING)


def children(accessible):
    return [child for child in accessible if child is not None]


def application():
    def probe():
        for app in children(pyatspi.Registry.getDesktop(0)):
            if app.name == "palmos":
                return app
        return None

    app = wait_for("the program on the accessibility bus", probe)
    # Always read the program afresh: names and states change under us.
    app.set_cache_mask(Atspi.Cache.NONE)
    return app


def windows(app):
    return {w.name: w for w in children(app) if showing(w)}


def window(app, key):
    title = TITLES[key]
    return wait_for(f"the window {title!r}", lambda: windows(app).get(title))


def controls(accessible):
    """The visible controls below a window; a text box's own parts are left
    to the text box."""
    for child in children(accessible):
        if not showing(child):
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_TEXT:
            yield from controls(child)


def find(app, key, role, name):
    def probe():
        for control in controls(window(app, key)):
            if control.getRole() == role and control.name == name:
                return control
        return None

    return wait_for(f"a {role} named {name!r} on "
                    f"{TITLES[key]!r}", probe)


def button(app, key, lang, caption):
    return find(app, key, pyatspi.ROLE_PUSH_BUTTON, CAPTIONS[lang][caption])


def option(app, key, lang, caption):
    return find(app, key, pyatspi.ROLE_RADIO_BUTTON, CAPTIONS[lang][caption])


def activate(control):
    """A screen reader's "activate": the control's Press or Toggle action."""
    actions = control.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    for i, name in enumerate(names):
        if name.lower() in ("press", "toggle", "click"):
            if not actions.doAction(i):
                raise Failure(f"{control.name!r}: the {name} action was refused")
            return
    raise Failure(f"{control.name!r} offers no Press or Toggle action, only {names}")


def gone(app, key, name):
    def probe():
        return all(c.name != name for c in controls(window(app, key)))

    return wait_for(f"{name!r} to leave {TITLES[key]!r}", probe)


def check_tree(app, lang):
    """Every visible control of every open window: a role, a name in the
    language in use; bars with a value and named by their label; readouts
    named by what they show."""
    problems = []
    open_windows = windows(app)
    for key, title in TITLES.items():
        if title not in open_windows:
            problems.append(f"the window {title!r} is not open")
    for title, win in open_windows.items():
        if title not in TITLES.values():
            problems.append(f"a window titled {title!r}")
            continue
        key = next(k for k, t in TITLES.items() if t == title)
        if win.getRole() != pyatspi.ROLE_FRAME:
            problems.append(f"{title!r} is a {win.getRoleName()}, not a frame")
        ranges = []
        for control in controls(win):
            role = control.getRole()
            where = f"{title!r}: {control.getRoleName()} {control.name!r}"
            if role in (pyatspi.ROLE_INVALID, pyatspi.ROLE_UNKNOWN):
                problems.append(f"{where} has no role")
            if not control.name:
                # A label is named by its text: one without shows nothing, and
                # a screen reader skips it. A notification is read by its labels.
                if role != pyatspi.ROLE_LABEL and not (role == pyatspi.ROLE_NOTIFICATION
                                                      and notice_text(control)):
                    problems.append(f"{where} has no name")
                continue
            if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT) \
                    and control.name not in FIXED_NAMES:
                greek = bool(GREEK_LETTER.search(control.name))
                if greek != (lang == "el"):
                    problems.append(f"{where} is not in {'Greek' if lang == 'el' else 'English'}")
            if role == pyatspi.ROLE_TEXT:
                expected = READOUTS[lang].get(key)
                if control.name != expected:
                    problems.append(f"{where}: the readout should be named {expected!r}")
            if role == pyatspi.ROLE_SCROLL_BAR:
                try:
                    value = control.queryValue()
                except NotImplementedError:
                    problems.append(f"{where} has no value")
                    continue
                low, high, now = value.minimumValue, value.maximumValue, value.currentValue
                ranges.append((int(low), int(high)))
                if not low <= now <= high or low >= high:
                    problems.append(f"{where}: value {now} outside {low}..{high}")
                labels = [r.getTarget(i) for r in control.getRelationSet()
                          if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                          for i in range(r.getNTargets())]
                if not any(showing(l) and l.getRole() == pyatspi.ROLE_LABEL
                           and l.name == control.name for l in labels):
                    problems.append(f"{where} is not named by a visible label")
        if key == "two media" and sorted(ranges) != TWO_MEDIA_RANGES:
            problems.append(f"{title!r}: bars with ranges {sorted(ranges)}, "
                            f"expected {TWO_MEDIA_RANGES}")
    if problems:
        raise Failure(f"in {'Greek' if lang == 'el' else 'English'}:\n  " + "\n  ".join(problems))


def open_every_window(app):
    activate(button(app, "introduction", "en", "simple solution"))
    window(app, "simple")
    activate(button(app, "simple", "en", "elliptic"))
    window(app, "elliptic")
    # The elliptic solution reports its sweeps in a message box; OK closes it.
    activate(find(app, "elliptic", pyatspi.ROLE_PUSH_BUTTON, "ΛΥΣΗ"))
    box = wait_for("the message box", lambda: next(
        (w for w in children(app) if showing(w) and w.getRole() in
         (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)), None))
    texts = [c.name for c in controls(box) if c.getRole() == pyatspi.ROLE_LABEL]
    if not any(t.strip().isdigit() for t in texts):
        raise Failure(f"the message box shows {texts}, not the number of sweeps")
    ok = next((c for c in controls(box) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON), None)
    if ok is None:
        raise Failure("the message box has no button")
    activate(ok)
    wait_for("the message box to close", lambda: not showing(box))
    activate(button(app, "simple", "en", "two media"))
    window(app, "two media")


def work_the_runs(app):
    # START on the simple-solution window writes its readout as the pulse runs.
    activate(button(app, "simple", "en", "simple start"))
    readout = find(app, "simple", pyatspi.ROLE_TEXT, READOUTS["en"]["simple"])
    wait_for("the simple solution's readout", lambda: "sta=" in readout.queryText().getText(0, -1))

    for chosen, other in (("free end", "fixed end"), ("fixed end", "free end")):
        activate(option(app, "two media", "en", chosen))
        wait_for(f"{chosen} checked and {other} not", lambda: state(
            option(app, "two media", "en", chosen), pyatspi.STATE_CHECKED) and not state(
            option(app, "two media", "en", other), pyatspi.STATE_CHECKED))

    # The step mode: STOP shows STEP, START hides it again.
    activate(button(app, "two media", "en", "start"))
    activate(button(app, "two media", "en", "stop"))
    button(app, "two media", "en", "step")
    activate(button(app, "two media", "en", "start"))
    gone(app, "two media", CAPTIONS["en"]["step"])
    activate(button(app, "two media", "en", "stop"))
    activate(button(app, "two media", "en", "step"))
    activate(button(app, "two media", "en", "continue"))

    # A bar set through its value moves like one moved by hand.
    bar = find(app, "two media", pyatspi.ROLE_SCROLL_BAR, "c1= 0.30")
    bar.queryValue().currentValue = 50
    find(app, "two media", pyatspi.ROLE_SCROLL_BAR, "c1 = 0.50")


class MenuWatch:
    """Keeps the popup menu that said last that it is showing."""

    def __init__(self):
        self.menu = None
        self.listener = Atspi.EventListener.new(self.on_showing)
        self.listener.register("object:state-changed:showing")

    def on_showing(self, event):
        try:
            if event.detail1 and event.source.getRole() in (pyatspi.ROLE_POPUP_MENU,
                                                            pyatspi.ROLE_MENU):
                self.menu = event.source
        except (LookupError, RuntimeError, GLib.GError):
            pass

    def close(self):
        self.listener.deregister("object:state-changed:showing")


def notice_text(notice):
    """A notification as Orca reads it: its name, or else its labels."""
    return notice.name or " ".join(c.name for c in children(notice)
                                   if c.getRole() == pyatspi.ROLE_LABEL)


class NoticeWatch:
    """Keeps what the notices of a window said, in order: a notification that
    shows is read then, as Orca reads it."""

    def __init__(self, key):
        self.title = TITLES[key]
        self.heard = []
        self.notices = []
        self.listener = Atspi.EventListener.new(self.on_showing)
        self.listener.register("object:state-changed:showing")

    def on_showing(self, event):
        try:
            notice = event.source
            if event.detail1 and notice.getRole() == pyatspi.ROLE_NOTIFICATION \
                    and notice.parent.name == self.title:
                self.heard.append(notice_text(notice))
                self.notices.append(notice)
        except (LookupError, RuntimeError, GLib.GError):
            pass

    def close(self):
        self.listener.deregister("object:state-changed:showing")


def focused(win):
    return [c.name for c in controls(win) if state(c, pyatspi.STATE_FOCUSED)]


def hear_a_run(app, notices, lang):
    """START of the step mode through its action, the timer's interval at 10
    and the far side faster than the source side: while the run is shown the
    two-media window's notices say the junction reached, what is reflected
    and transmitted there and the end of the run, in the language in use,
    and the keyboard stays where it was."""
    win = window(app, "two media")
    bars = [c for c in controls(win) if c.getRole() == pyatspi.ROLE_SCROLL_BAR]
    interval = next(b for b in bars if (b.queryValue().minimumValue,
                                        b.queryValue().maximumValue) == (1, 10))
    interval.queryValue().currentValue = 10
    next(b for b in bars if b.name.startswith("c1")).queryValue().currentValue = 120
    keyboard = focused(win)
    notices.heard.clear()
    activate(button(app, "two media", lang, "start"))
    wanted = [re.compile(words) for words in RUN_NOTICES[lang]]
    try:
        wait_for("the run's notices", lambda: all(
            any(w.search(said) for said in notices.heard) for w in wanted), 60, 0.005)
    except Failure:
        raise Failure(f"in {'Greek' if lang == 'el' else 'English'} the run's notices said "
                      f"{notices.heard}, not all of {RUN_NOTICES[lang]}") from None
    wrong = [said for said in notices.heard if bool(GREEK_LETTER.search(said)) != (lang == "el")]
    if wrong:
        raise Failure(f"notices not in {'Greek' if lang == 'el' else 'English'}: {wrong}")
    if any(state(n, pyatspi.STATE_FOCUSABLE) for n in notices.notices):
        raise Failure("a notice can take the keyboard focus")
    if focused(win) != keyboard:
        raise Failure(f"the keyboard moved from {keyboard} to {focused(win)} during the run")


def key(keysym, modifiers=0):
    """A key pressed and released on the keyboard, with `modifiers` held."""
    synth = Atspi.KeySynthType
    if modifiers:
        Atspi.generate_keyboard_event(modifiers, None, synth.LOCKMODIFIERS)
    try:
        if not Atspi.generate_keyboard_event(keysym, None, synth.PRESSRELEASE | synth.SYM):
            raise Failure(f"the key {keysym:#x} could not be synthesised")
    finally:
        if modifiers:
            Atspi.generate_keyboard_event(modifiers, None, synth.UNLOCKMODIFIERS)


def menu_items(menu):
    return [(item.getRole(), item.name) for item in children(menu)
            if item.getRole() != pyatspi.ROLE_SEPARATOR]


def open_instrument_menu(app, watch, lang):
    """Shift+F10 on the two-media window, which has the keyboard; the menu
    shows its items named in the language in use."""
    watch.menu = None
    key(F10, SHIFT_MASK)
    menu = wait_for("the instruments' menu after Shift+F10",
                    lambda: watch.menu if showing(watch.menu) else None)
    captions = INSTRUMENT_ITEMS[lang][:3] + [PREDICT_ITEM[lang]] + INSTRUMENT_ITEMS[lang][3:]
    expected = [(pyatspi.ROLE_MENU_ITEM, caption) for caption in captions]
    try:
        wait_for("the menu's items", lambda: menu_items(menu) == expected, 2.0)
    except Failure:
        raise Failure(f"the instruments' menu shows {[name for _, name in menu_items(menu)]}, "
                      f"not {captions}") from None
    return menu


def work_the_instruments(app, watch, lang):
    """Each instrument chosen through its menu item's action opens a frame
    titled with the item's caption, its controls named; Escape closes it."""
    # The keyboard goes where the last window shown is: TWO MEDIA brings that
    # window forward, as a window switcher would.
    activate(button(app, "introduction", lang, "two media"))
    wait_for("the two-media window to take the keyboard",
             lambda: state(window(app, "two media"), pyatspi.STATE_ACTIVE))
    for index in INSTRUMENTS_OPENED:
        title = INSTRUMENT_ITEMS[lang][index]
        menu = open_instrument_menu(app, watch, lang)
        item = next(i for i in children(menu) if i.name == title)
        activate(item)
        wait_for("the menu to close", lambda: not showing(menu))
        frame = wait_for(f"the instrument {title!r}", lambda: windows(app).get(title))
        if frame.getRole() != pyatspi.ROLE_FRAME:
            raise Failure(f"{title!r} is a {frame.getRoleName()}, not a frame")
        unnamed = [c.getRoleName() for c in controls(frame)
                   if not c.name and c.getRole() != pyatspi.ROLE_LABEL]
        if unnamed:
            raise Failure(f"{title!r}: controls without a name: {unnamed}")
        wait_for(f"{title!r} to take the keyboard", lambda: state(frame, pyatspi.STATE_ACTIVE))
        key(ESCAPE)
        wait_for(f"{title!r} to close", lambda: title not in windows(app))
        wait_for("the keyboard back on the two-media window",
                 lambda: state(window(app, "two media"), pyatspi.STATE_ACTIVE))


def switch_language(app, to, before):
    activate(option(app, "introduction", before, "greek" if to == "el" else "english"))
    wait_for("the captions to change", lambda: state(
        option(app, "introduction", to, "greek" if to == "el" else "english"),
        pyatspi.STATE_CHECKED))
    for key, caption in (("two media", "start"), ("simple", "elliptic"),
                         ("two media", "free end")):
        find(app, key, pyatspi.ROLE_PUSH_BUTTON if caption != "free end"
             else pyatspi.ROLE_RADIO_BUTTON, CAPTIONS[to][caption])


def main():
    started = time.monotonic()
    notices = NoticeWatch("two media")
    try:
        app = application()
        window(app, "introduction")
        open_every_window(app)
        check_tree(app, "en")
        work_the_runs(app)
        watch = MenuWatch()
        work_the_instruments(app, watch, "en")
        hear_a_run(app, notices, "en")
        switch_language(app, "el", "en")
        check_tree(app, "el")
        work_the_instruments(app, watch, "el")
        hear_a_run(app, notices, "el")
        watch.close()
        notices.close()
        switch_language(app, "en", "el")
        check_tree(app, "en")
        activate(button(app, "introduction", "en", "end"))
        wait_for("the program to end", lambda: all(
            a.name != "palmos" for a in children(pyatspi.Registry.getDesktop(0))))
    except Failure as failure:
        print(f"atspi: FAILED: {failure}", file=sys.stderr)
        return 1
    print(f"atspi: every check held ({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
