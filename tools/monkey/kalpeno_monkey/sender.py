"""Performs an event's steps as a user would: pointer and keys through XTest, closes through the
window manager. Characters that no key of the keyboard gives (what an input method commits) are
typed the way xdotool does it: keycodes nobody uses are given those keysyms for the moment, and the
program reads the new keyboard map before the key presses that follow it."""

from Xlib import X, XK
from Xlib.ext import xtest
from Xlib.protocol import event as xevent

# The keyboard LED that shows Num Lock (the second one).
NUM_LOCK_LED = 2


def is_keypad(keysym):
    return XK.XK_KP_Space <= keysym <= XK.XK_KP_9 or keysym == XK.XK_KP_Equal


class Sender:
    def __init__(self, display):
        self.display = display
        self.root = display.screen().root
        self.close_atom = display.intern_atom("_NET_CLOSE_WINDOW")
        self.spare = self._spare_keycodes()
        self.width = display.screen().width_in_pixels
        self.height = display.screen().height_in_pixels
        self.shift = self._keycode("Shift_L")[0]
        self._lock_num_lock()

    def _lock_num_lock(self):
        """Num Lock on, as on a desk where the keypad types figures. With it off, a keypad digit
        is typed with Shift, which the keypad's key type takes as the key's first level with
        Shift: KP_0 would come as Shift+Insert, a paste, and KP_1 as Shift+End."""
        if not self.display.get_keyboard_control().led_mask & NUM_LOCK_LED:
            self._tap(self._keycode("Num_Lock")[0])
            self.display.sync()
        if not self.display.get_keyboard_control().led_mask & NUM_LOCK_LED:
            raise RuntimeError("Num Lock did not come on: keypad digits would not be typed")

    def _spare_keycodes(self):
        """The first of the eight last keycodes, which give vendor keys nobody here presses;
        one request maps all eight (the program reads the new map once for each request)."""
        return self.display.display.info.max_keycode - 7

    def _keycode(self, name):
        """The keycode of a keysym and whether it needs Shift. A keypad key's second level comes
        from Num Lock, not Shift."""
        keysym = XK.string_to_keysym(name)
        for keycode, index in self.display.keysym_to_keycodes(keysym):
            if index in (0, 1):
                return keycode, index == 1 and not is_keypad(keysym)
        raise ValueError(f"no key gives {name}")

    def perform(self, steps, close_time):
        for step in steps:
            getattr(self, "_" + step[0])(*step[1:], close_time=close_time)
        self.display.flush()

    def _tap(self, keycode, shift=False):
        if shift:
            xtest.fake_input(self.display, X.KeyPress, self.shift)
        xtest.fake_input(self.display, X.KeyPress, keycode)
        xtest.fake_input(self.display, X.KeyRelease, keycode)
        if shift:
            xtest.fake_input(self.display, X.KeyRelease, self.shift)

    def _key(self, name, close_time):
        self._tap(*self._keycode(name))

    def _chord(self, modifier, name, close_time):
        held = self._keycode(modifier)[0]
        xtest.fake_input(self.display, X.KeyPress, held)
        self._key(name, close_time)
        xtest.fake_input(self.display, X.KeyRelease, held)

    def _click(self, x, y, button, close_time):
        x = min(max(x, 0), self.width - 1)
        y = min(max(y, 0), self.height - 1)
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        xtest.fake_input(self.display, X.ButtonPress, button)
        xtest.fake_input(self.display, X.ButtonRelease, button)

    def _type(self, keysyms, close_time):
        self.display.change_keyboard_mapping(self.spare, [(k, k) for k in keysyms])
        for i in range(len(keysyms)):
            self._tap(self.spare + i)

    def _close(self, window, close_time):
        message = xevent.ClientMessage(window=window, client_type=self.close_atom,
                                       data=(32, [close_time, 2, 0, 0, 0]))
        self.root.send_event(message,
                             event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
