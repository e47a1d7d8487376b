#pragma once

#include <QString>

#include <chrono>
#include <optional>
#include <vector>

namespace kalpeno::qt {

// The entry boxes' guesses about an input method's keys, in one place. While a composition is
// open, Enter commits it and Space converts it: neither reaches the calculator. An input method
// may pass the key that committed a composition on to the box as well, a moment later: an Enter
// or a Space that soon after a commit is that key and is dropped. And as the focus moves, Qt asks
// the input method to commit, which may then commit the same text again into whatever has the
// focus next: the text committed just before the focus left is told to the model's events, which
// drop such a repeat.
class InputMethodGuard {
public:
    using Clock = std::chrono::steady_clock;
    // What becomes of a key: typed into the model, the composition committed, or nothing.
    enum class KeyFate { Type, Commit, Drop };

    // A key press whose meaning is `keys` (13 Enter, 32 Space), at `now`.
    KeyFate key(const std::vector<char32_t>& keys, bool composing, Clock::time_point now);
    // A composition was committed as `text`.
    void committed(QString text, Clock::time_point now);
    // The focus leaves with nothing being composed: the text a composition committed just before,
    // which may come again elsewhere, or nothing.
    std::optional<QString> justCommitted(Clock::time_point now) const;

    // A key that arrives this soon after a commit is the one that made it.
    static constexpr std::chrono::milliseconds keyOfCommit{100};

private:
    bool soonAfterCommit(Clock::time_point now) const {
        return committedAt_ && now - *committedAt_ < keyOfCommit;
    }

    QString lastCommit_;
    std::optional<Clock::time_point> committedAt_;
};

} // namespace kalpeno::qt
