#pragma once
// A generated session of user events on the calculator window, as a user would produce them:
// calculations of realistic length clicked on the keypad of any calculator, keyboard runs that
// lead from A to B to C with Enter and carry totals on with the recall buttons, Backspace now and
// then, Clear in the middle of a calculation and All clear between runs. The tapes are cleared
// every few calculations, as in real use, so the session is a steady state however long it is.
// No event of the session raises a message box.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kalpeno::bench {

enum class EventKind { Click, Key };

struct ScriptEvent {
    EventKind kind;
    std::u16string_view control; // a control of the calculator window
    int index;                   // element of a control array, or -1
    char32_t key;                // the key of a Key event: a character, 8 Backspace, 13 Enter
};

class SessionScript {
public:
    // Exactly `events` events, the same for the same seed.
    static SessionScript generate(std::size_t events, std::uint32_t seed = 1);

    const std::vector<ScriptEvent>& events() const { return events_; }

private:
    std::vector<ScriptEvent> events_;
};

} // namespace kalpeno::bench
