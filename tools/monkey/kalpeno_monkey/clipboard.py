"""The monkey's clipboard: it owns CLIPBOARD and PRIMARY with the text of the next paste and
hands it out as UTF-8 to whoever asks. A text larger than one X request goes in pieces by the
INCR protocol: the requestor deletes the property, the next piece follows, an empty piece ends."""

import select
import threading

from Xlib import X, Xatom
from Xlib import display as xdisplay
from Xlib.protocol import event as xevent

PIECE = 128 * 1024  # bytes per property change, well under the server's request limit


class Clipboard:
    def __init__(self, display, window):
        self.display = display
        self.window = window
        atom = display.intern_atom
        self.selections = [atom("CLIPBOARD"), Xatom.PRIMARY]
        self.targets = atom("TARGETS")
        self.timestamp = atom("TIMESTAMP")
        self.incr = atom("INCR")
        self.text_types = [atom("UTF8_STRING"), atom("text/plain;charset=utf-8"),
                           atom("TEXT"), Xatom.STRING]
        self.data = b""
        self.owned_at = X.CurrentTime
        # Transfers under way: (requestor window id, property) -> [window, type, bytes, offset]
        self.transfers = {}
        self.served = 0  # texts handed out whole
        self.length = 0  # characters of the text held
        self.lost = set()  # selections the program has taken since

    def own(self, text, time):
        """Takes both selections with this text (time: a server timestamp)."""
        self.data = text.encode("utf-8")
        self.length = len(text)
        self.lost = set()
        self.owned_at = time
        for selection in self.selections:
            self.window.set_selection_owner(selection, time)
        self.display.flush()

    def handle(self, ev):
        """Serves one X event if it is the clipboard's; answers whether it was."""
        if ev.type == X.SelectionRequest:
            self._request(ev)
            return True
        if ev.type == X.PropertyNotify and ev.state == X.PropertyDelete:
            key = (ev.window.id, ev.atom)
            if key in self.transfers:
                self._next_piece(key)
                return True
        if ev.type == X.SelectionClear:
            self.lost.add(ev.atom)
            return True
        return False

    def held(self, selection):
        """The length of the text a paste of that selection (0: CLIPBOARD, 1: PRIMARY) gets
        from the monkey, or None once the program holds the selection itself."""
        return None if self.selections[selection] in self.lost else self.length

    def busy(self):
        return bool(self.transfers)

    def _request(self, ev):
        prop = ev.property if ev.property != X.NONE else ev.target
        requestor = ev.requestor
        answered = prop
        if ev.selection not in self.selections:
            answered = X.NONE
        elif ev.target == self.targets:
            requestor.change_property(prop, Xatom.ATOM, 32,
                                      [self.targets, self.timestamp] + self.text_types)
        elif ev.target == self.timestamp:
            requestor.change_property(prop, Xatom.INTEGER, 32, [self.owned_at])
        elif ev.target in self.text_types:
            kind = self.text_types[0] if ev.target == self.text_types[1] else ev.target
            if len(self.data) <= PIECE:
                requestor.change_property(prop, kind, 8, self.data)
                self.served += 1
            else:
                requestor.change_attributes(event_mask=X.PropertyChangeMask)
                self.transfers[(requestor.id, prop)] = [requestor, kind, self.data, 0]
                requestor.change_property(prop, self.incr, 32, [len(self.data)])
        else:
            answered = X.NONE
        notify = xevent.SelectionNotify(time=ev.time, requestor=requestor,
                                        selection=ev.selection, target=ev.target,
                                        property=answered)
        requestor.send_event(notify)
        self.display.flush()

    def _next_piece(self, key):
        requestor, kind, data, offset = self.transfers[key]
        piece = data[offset:offset + PIECE]
        requestor.change_property(key[1], kind, 8, piece)
        if piece:
            self.transfers[key][3] = offset + len(piece)
        else:
            del self.transfers[key]
            requestor.change_attributes(event_mask=X.NoEventMask)
            self.served += 1
        self.display.flush()


def hold(text):
    """Owns the clipboard with the text on a connection of its own and serves it from a thread
    of its own (the real-input checks' clipboard owner)."""
    conn = xdisplay.Display()
    own = conn.screen().root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent,
                                           event_mask=X.PropertyChangeMask)
    board = Clipboard(conn, own)
    board.own(text, X.CurrentTime)

    def serve():
        while True:
            select.select([conn.fileno()], [], [], 1)
            while conn.pending_events():
                board.handle(conn.next_event())

    threading.Thread(target=serve, daemon=True).start()
