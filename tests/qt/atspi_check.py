"""The running program as an AT-SPI client sees it: roles, names and states of the windows and
controls, the keypad pressed through the Action interface, totals read through the Text
interface, the events of a new tape line and of a marker shown, a letter picture pressed, the
keyboard's Ctrl+2 and F10 into the menu bar. Run by atspi-test.sh; prints one line per failed
check and exits 1 when one failed."""

import sys
import time

import pyatspi
from gi.repository import GLib

failures = []
events = []

# Keycodes of the X server's default (evdev) keymap.
KEY_CONTROL, KEY_2, KEY_F10, KEY_RIGHT, KEY_RETURN = 37, 11, 76, 114, 36


def check(condition, what):
    if not condition:
        failures.append(what)
        print("atspi: failed: " + what, flush=True)


def pump(seconds=0.05):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_for(condition, timeout=8.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            value = condition()
            if value:
                return value
        except Exception:  # an object going away while it is looked at
            pass
        pump()
    return None


def walk(accessible):
    yield accessible
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "kalpeno":
            return app
    return None


def window(app, caption):
    for i in range(app.childCount):
        frame = app.getChildAtIndex(i)
        if frame is not None and frame.name == caption and frame.getState().contains(
                pyatspi.STATE_SHOWING):
            return frame
    return None


def controls(frame):
    found = {}
    for accessible in walk(frame):
        accessible.clearCache()
        found.setdefault(accessible.name, accessible)
    return found


def check_roles(found, roles):
    for name, role in roles.items():
        check(name in found, "a control named %s" % name)
        if name in found:
            check(found[name].getRole() == role,
                  "%s is a %s, not %s" % (name, role, found[name].getRoleName()))


def has(accessible, state):
    accessible.clearCache()
    return accessible.getState().contains(state)


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names, "%s offers a press action (%s)" % (accessible.name, names))
    if "Press" in names:
        action.doAction(names.index("Press"))
    pump()


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def keys(*codes, modifier=None):
    registry = pyatspi.Registry
    if modifier:
        registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_PRESS)
    for code in codes:
        registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESSRELEASE)
        pump(0.1)
    if modifier:
        registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_RELEASE)
    pump(0.2)


def on_event(event):
    try:
        events.append((event.type, event.source.name, event.detail1))
    except Exception:
        pass


def main():
    pyatspi.Registry.registerEventListener(on_event, "object:children-changed",
                                           "object:state-changed:showing",
                                           "object:state-changed:enabled")
    app = wait_for(program, timeout=20)
    if app is None:
        check(False, "the program appears on the accessibility bus")
        return 1
    frame = wait_for(lambda: window(app, "Orlanvi"))
    check(frame is not None, "the calculator window is shown")
    if frame is None:
        return 1
    check(frame.getRole() == pyatspi.ROLE_FRAME,
          "the calculator window is a frame, not %s" % frame.getRoleName())

    c = controls(frame)
    # Every control of the calculator window, by the name it is read by, and the menu bar.
    roles = {name: pyatspi.ROLE_PUSH_BUTTON for name in
             ["数字の%d" % d for d in range(10)] +
             ["小数点", "足し算", "引き算", "掛け算", "割り算", "イコール", "全クリア", "クリア"]}
    for calc in "ABC":
        roles["電卓%sの入力" % calc] = pyatspi.ROLE_TEXT
        roles["電卓%sの合計" % calc] = pyatspi.ROLE_TEXT
        roles["電卓%sの入力リスト" % calc] = pyatspi.ROLE_LIST
        roles["電卓%sの合計を使う" % calc] = pyatspi.ROLE_PUSH_BUTTON
        roles["電卓%sを選ぶ" % calc] = pyatspi.ROLE_PUSH_BUTTON
        roles["電卓%sを使用中" % calc] = pyatspi.ROLE_IMAGE
    roles.update({name: pyatspi.ROLE_TEXT for name in ("計算中の左の数", "計算中の右の数")})
    roles.update({name: pyatspi.ROLE_LABEL for name in (
        "各電卓", "計算の順番を記録します。", "計算の合計", "Ａ電卓の入力リスト", "B電卓の入力リスト",
        "C電卓の入力リスト", "=", "計算中の演算子")})
    roles.update({name: pyatspi.ROLE_MENU_ITEM for name in ("電卓の終了", "情報", "ヘルプ", "背景色")})
    check_roles(c, roles)
    check(c["計算の合計"].description == "計算の合計の見出し", "a heading keeps its purpose")
    picture = c["電卓Bを選ぶ"]
    check("Ctrl+2" in picture.description, "the picture of B names its key")

    for name in ("電卓Aの合計", "電卓Bの合計", "電卓Cの合計", "計算中の左の数", "計算中の右の数"):
        check(not has(c[name], pyatspi.STATE_EDITABLE), "%s is not editable" % name)
        check(has(c[name], pyatspi.STATE_READ_ONLY), "%s is read-only" % name)
    check(has(c["電卓Aの入力"], pyatspi.STATE_EDITABLE), "the entry box is editable")

    # 12+3= on A through the keypad's actions; the operator display read while "+" is pending.
    for name in ("数字の1", "数字の2", "足し算"):
        press(c[name])
    operator = wait_for(lambda: c["計算中の演算子"].clearCache() or
                        c["計算中の演算子"].name == "+")
    check(operator, "the operator display reads + while + is pending")
    events.clear()
    for name in ("数字の3", "イコール"):
        press(c[name])
    total = wait_for(lambda: text_of(c["電卓Aの合計"]) == "15." and "15.")
    check(total == "15.", "the total read through the Text interface is 15.")
    added = wait_for(lambda: any(t.startswith("object:children-changed:add") and
                                 s == "電卓Aの入力リスト" for t, s, _ in events))
    check(added, "a new tape line raises children-changed:add on the tape")

    # The letter picture of C pressed through its action: C's entry box has the focus.
    press(c["電卓Cを選ぶ"])
    check(wait_for(lambda: has(c["電卓Cの入力"], pyatspi.STATE_FOCUSED)),
          "pressing the picture of C puts the focus in C's entry box")

    # 1+2 and Enter in C: the Clear button disabled reaches the screen reader.
    for name in ("数字の1", "足し算", "数字の2"):
        press(c[name])
    # A button pressed through its action is clicked when it comes up again, a moment later.
    check(wait_for(lambda: text_of(c["電卓Cの入力"]) == "1+2"), "1+2 pressed into C")
    events.clear()
    keys(KEY_RETURN)
    check(wait_for(lambda: any(t == "object:state-changed:enabled" and s == "クリア" and d == 0
                               for t, s, d in events)),
          "the Clear button disabled by Enter in C reaches the screen reader")
    check(not has(c["クリア"], pyatspi.STATE_ENABLED), "the Clear button is disabled")

    # A selected again: its tape is cleared, and the removal of its lines is announced.
    events.clear()
    press(c["電卓Aを選ぶ"])
    check(wait_for(lambda: any(t.startswith("object:children-changed:remove") and
                               s == "電卓Aの入力リスト" for t, s, _ in events)),
          "clearing a tape raises children-changed:remove on the tape")

    # Ctrl+2 selects B: its marker is shown and the focus lands in its entry box.
    events.clear()
    keys(KEY_2, modifier=KEY_CONTROL)
    check(wait_for(lambda: has(c["電卓Bの入力"], pyatspi.STATE_FOCUSED)),
          "Ctrl+2 puts the focus in B's entry box")
    check(wait_for(lambda: any(t == "object:state-changed:showing" and s == "電卓Bを使用中" and
                               d == 1 for t, s, d in events)),
          "B's marker being shown reaches the screen reader")

    # F10, Right, Enter: the second item of the menu bar, "情報", opens the Version window.
    keys(KEY_F10, KEY_RIGHT, KEY_RETURN)
    version = wait_for(lambda: window(app, "Version 情報"))
    check(version is not None, "F10, Right, Enter opens the Version window")
    check(wait_for(lambda: any(t == "object:state-changed:showing" and s == "Version 情報" and
                               d == 1 for t, s, d in events)),
          "the Version window being shown reaches the screen reader")
    if version is not None:
        check(version.getRole() == pyatspi.ROLE_FRAME, "the Version window is a frame")
        check_roles(controls(version), {"戻る": pyatspi.ROLE_PUSH_BUTTON,
                                        "Kalpenoの絵": pyatspi.ROLE_IMAGE})

    # The Help window from its menu item's action.
    press(c["ヘルプ"])
    help_window = wait_for(lambda: window(app, "Help"))
    check(help_window is not None, "the menu item ヘルプ opens the Help window")
    if help_window is not None:
        check(help_window.getRole() == pyatspi.ROLE_FRAME, "the Help window is a frame")
        check_roles(controls(help_window), {"ヘルプの本文": pyatspi.ROLE_TEXT,
                                            "電卓へ戻る": pyatspi.ROLE_MENU_ITEM})
    return 1 if failures else 0


if __name__ == "__main__":
    status = main()
    print("atspi: %s" % ("all checks passed" if status == 0 else "%d failed" % len(failures)),
          flush=True)
    sys.exit(status)
