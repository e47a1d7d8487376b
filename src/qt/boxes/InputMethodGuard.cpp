#include "qt/boxes/InputMethodGuard.h"

#include <utility>

namespace kalpeno::qt {

InputMethodGuard::KeyFate InputMethodGuard::key(const std::vector<char32_t>& keys, bool composing,
                                                Clock::time_point now) {
    const bool commitKey = keys == std::vector<char32_t>{13} || keys == std::vector<char32_t>{32};
    if (commitKey && composing) {
        return keys.front() == 13 ? KeyFate::Commit : KeyFate::Drop;
    }
    const bool keyOfTheCommit = commitKey && soonAfterCommit(now);
    committedAt_.reset();
    return keyOfTheCommit ? KeyFate::Drop : KeyFate::Type;
}

void InputMethodGuard::committed(QString text, Clock::time_point now) {
    lastCommit_ = std::move(text);
    committedAt_ = now;
}

std::optional<QString> InputMethodGuard::justCommitted(Clock::time_point now) const {
    if (soonAfterCommit(now)) {
        return lastCommit_;
    }
    return std::nullopt;
}

} // namespace kalpeno::qt
