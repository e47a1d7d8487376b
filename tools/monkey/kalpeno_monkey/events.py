"""The random user events. Every choice comes from the run's random generator, in the same order
for the same seed, so that a run is replayed exactly by its seed: an event depends only on the
seed and on the windows the program shows at that moment.

An event is its kind (for the summary), a description (for the failure report) and its steps,
which the sender performs through XTest and the window manager."""

import math
from dataclasses import dataclass, field

# The weight of each kind of event.
WEIGHTS = {
    "click": 34, "double-click": 4, "right-click": 4, "wheel": 3, "menu": 7,
    "key": 34, "ime": 6, "paste": 5, "close": 0.8, "quit": 0.2,
}

DIGITS = [str(d) for d in range(10)] + [f"KP_{d}" for d in range(10)]
OPERATORS = ["plus", "minus", "asterisk", "slash", "period", "equal", "comma", "KP_Add",
             "KP_Subtract", "KP_Multiply", "KP_Divide", "KP_Decimal", "KP_Enter"]
CONTROL = ["Return", "BackSpace", "space", "Tab", "Escape", "Left", "Right", "Up", "Down",
           "Home", "End", "Delete", "Insert", "Prior", "Next", "F10", "Alt_L"]
LETTERS = [chr(c) for c in range(ord("a"), ord("z") + 1)]
CHORDS = [("Control_L", "a"), ("Control_L", "c"), ("Control_L", "v"), ("Control_L", "z"),
          ("Control_L", "x"), ("Shift_L", "Tab"), ("Shift_L", "Home"), ("Shift_L", "End"),
          ("Shift_L", "Left"), ("Shift_L", "Right"), ("Shift_L", "Insert"), ("Alt_L", "a"),
          ("Control_L", "Home"), ("Control_L", "End")]

# Text an input method commits: full-width forms of the calculator's keys and of letters,
# hiragana, katakana, ideographs; kana mode's half-width katakana come as the kana keysyms.
IME_TEXT = ("０１２３４５６７８９＋－＊／．＝，　ー" "ＡＢＣａｂｃ"
            "あいうえおかきくけこさしすせそたちつてとなにぬねのん"
            "アイウエオカキクケコサシスセソタチツテトナニヌネノン"
            "計算電卓合計一二三十百千万円")
KANA_KEYSYMS = [0x4A1 + i for i in range(0x4DF - 0x4A1 + 1)]

# What pasted text is made of, in three styles: a long calculation on one line, numbers of up
# to seven digits joined mostly by "+" (a column of figures; what an entry box takes whole), the
# figures of a table or a document (lines, tabs, words: a single-line box takes the first line),
# and characters of every sort.
TABLE = (list("0123456789+-*/.=, ") + ["\t", "\r\n", "\n"],
         [10] * 10 + [2, 2, 1, 1, 3, 1, 2, 3, 3, 3, 2])
ANY = (list("0123456789+-*/.=, \t\r\n") + list("abcxyzABC()%$") +
       list("０１２３４５６７８９＋－＊／．＝") + list("あいうアイウ計算円") +
       ["\U0001F600", "\u00e9", "\u3000"], None)
PASTE_STYLES = ("calculation", "table", "any")

LARGE_PASTE = 100_000  # characters: a paste this long has 2 s for its work


@dataclass
class Event:
    kind: str
    text: str
    steps: list = field(default_factory=list)
    paste_text: str = None


class EventMaker:
    def __init__(self, rng, max_paste):
        self.rng = rng
        self.max_paste = max_paste
        self.kinds = list(WEIGHTS)
        self.weights = [WEIGHTS[k] for k in self.kinds]

    def next(self, windows):
        kind = self.rng.choices(self.kinds, self.weights)[0]
        return getattr(self, "_" + kind.replace("-", "_"))(windows)

    # Pointer events -------------------------------------------------------------------------

    def _pick(self, windows):
        return windows[self.rng.randrange(len(windows))] if windows else None

    def _point(self, window):
        """Anywhere in the window, with a share on the title bar, the close box and the menu
        bar, which a uniform choice would seldom reach."""
        zone = self.rng.random()
        w, h = window.width, window.height
        if window.managed and window.client_y > 4 and zone < 0.08:
            return "title bar", self.rng.randrange(4, max(5, w - 40)), \
                self.rng.randrange(2, window.client_y - 1)
        if window.managed and window.client_y > 4 and zone < 0.10:
            return "close box", w - self.rng.randrange(6, 20), window.client_y // 2
        if window.has_menu_bar and zone < 0.15:
            return "menu bar", window.client_x + self.rng.randrange(2, 230), \
                window.client_y + self.rng.randrange(2, 20)
        return "inside", self.rng.randrange(w), self.rng.randrange(h)

    def _click_at(self, kind, windows, button, count=1):
        window = self._pick(windows)
        if not window:
            return Event("key", "key Escape (no window shown)", [("key", "Escape")])
        zone, x, y = self._point(window)
        steps = [("click", window.x + x, window.y + y, button)] * count
        text = f"{kind} {window.name()} {zone} at {x},{y} of {window.width}x{window.height}"
        return Event(kind, text, steps)

    def _click(self, windows):
        button = self.rng.choices([1, 2], [9, 1])[0]
        return self._click_at("click", windows, button)

    def _double_click(self, windows):
        return self._click_at("double-click", windows, 1, 2)

    def _right_click(self, windows):
        return self._click_at("right-click", windows, 3)

    def _wheel(self, windows):
        event = self._click_at("wheel", windows, self.rng.choice([4, 5]), self.rng.randint(1, 5))
        return event

    def _menu(self, windows):
        """A click on a menu bar, or in an open menu."""
        menus = [w for w in windows if not w.managed] or [w for w in windows if w.has_menu_bar]
        window = self._pick(menus)
        if not window:
            return self._click(windows)
        if window.managed:
            x = window.client_x + self.rng.randrange(80, 240)  # past the first item: quit
            y = window.client_y + self.rng.randrange(2, 20)
        else:
            x, y = self.rng.randrange(window.width), self.rng.randrange(window.height)
        return Event("menu", f"menu {window.name()} at {x},{y}",
                     [("click", window.x + x, window.y + y, 1)])

    # Keys -----------------------------------------------------------------------------------

    def _key(self, windows):
        group = self.rng.choices(["digit", "operator", "control", "letter", "chord"],
                                 [30, 20, 25, 10, 15])[0]
        if group == "chord":
            modifier, key = self.rng.choice(CHORDS)
            return Event("key", f"key {modifier}+{key}", [("chord", modifier, key)])
        keys = {"digit": DIGITS, "operator": OPERATORS, "control": CONTROL,
                "letter": LETTERS}[group]
        key = self.rng.choice(keys)
        if group == "letter" and self.rng.random() < 0.2:
            return Event("key", f"key Shift_L+{key}", [("chord", "Shift_L", key)])
        return Event("key", f"key {key}", [("key", key)])

    def _ime(self, windows):
        count = self.rng.randint(1, 8)
        if self.rng.random() < 0.25:
            keysyms = [self.rng.choice(KANA_KEYSYMS) for _ in range(count)]
            shown = "kana " + " ".join(hex(k) for k in keysyms)
        else:
            text = "".join(self.rng.choice(IME_TEXT) for _ in range(count))
            keysyms = [0x1000000 | ord(c) for c in text]
            shown = f"text {text!r}"
        return Event("ime", f"ime {shown}", [("type", keysyms)])

    def _paste(self, windows):
        top = math.log(max(self.max_paste, 3))
        length = int(math.exp(self.rng.uniform(math.log(3), top)))
        style = self.rng.choice(PASTE_STYLES)
        if style == "calculation":
            text = self._calculation(length)
        else:
            alphabet, weights = TABLE if style == "table" else ANY
            text = "".join(self.rng.choices(alphabet, weights, k=length))
        how = self.rng.choices(["Control_L+v", "Shift_L+Insert", "middle", "fresh"],
                               [4, 1, 1, 4])[0]
        kind = "paste-100k" if length >= LARGE_PASTE else "paste"
        calculator = [w for w in windows if w.managed and w.title == CALCULATOR_TITLE]
        if how == "middle":
            event = self._click_at(kind, windows, 2)
        elif how == "fresh" and calculator:
            event = Event(kind, "", self._fresh_entry_box(calculator[0]))
            event.steps.append(("chord", "Control_L", "v"))
        else:
            how = "Shift_L+Insert" if how == "Shift_L+Insert" else "Control_L+v"
            modifier, key = how.split("+")
            event = Event(kind, "", [("chord", modifier, key)])
        how = "Control_L+v into a fresh calculator" if how == "fresh" else how
        event.text = (f"{kind} of {length} characters ({style}) by {how}: {text[:24]!r}... "
                      f"({event.text})")
        event.paste_text = text
        return event

    def _calculation(self, length):
        parts, size = [], 0
        while size < length:
            number = str(self.rng.randrange(1, 10 ** self.rng.randint(1, 7)))
            if self.rng.random() < 0.2:
                number += "." + str(self.rng.randrange(100))
            operator = self.rng.choices("+-*/", [14, 4, 1, 1])[0]
            parts.append(number + operator)
            size += len(number) + 1
        return "".join(parts)[:length]

    def _fresh_entry_box(self, window):
        """Clicks that select a calculator (its letter picture, which empties its boxes and tape)
        and put the caret into its entry box: a paste there takes the whole calculation."""
        row = self.rng.randrange(3)
        top = window.y + window.client_y + MENU_BAR + ROWS[row]
        left = window.x + window.client_x
        return [("click", left + 20, top + 15, 1), ("click", left + 200, top + 15, 1)]

    # Ending windows and the program ---------------------------------------------------------

    def _close(self, windows):
        managed = [w for w in windows if w.managed]
        window = self._pick(managed)
        if not window:
            return self._key(windows)
        if self.rng.random() < 0.5:
            return Event("close", "close by Alt+F4", [("chord", "Alt_L", "F4")])
        return Event("close", f"close {window.name()} by the window manager",
                     [("close", window.client)])

    def _quit(self, windows):
        calculator = [w for w in windows if w.managed and w.title == CALCULATOR_TITLE]
        x = self.rng.randrange(8, 40)
        if not calculator:
            return self._close(windows)
        window = calculator[0]
        return Event("quit", f"quit: the calculator's first menu item at {x}",
                     [("click", window.x + window.client_x + x,
                       window.y + window.client_y + 10, 1)])


CALCULATOR_TITLE = "Orlanvi"
MENU_BAR = 20  # pixels above the calculator's client area
ROWS = (24, 72, 120)  # the tops of the letter pictures and entry boxes A, B and C
