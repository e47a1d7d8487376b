// What becomes of Enter, Space and other keys around an input method's compositions and commits.
#include "qt/boxes/InputMethodGuard.h"

#include <gtest/gtest.h>

#include <optional>

namespace kalpeno::qt::test {

namespace {

using Fate = InputMethodGuard::KeyFate;
using std::chrono::milliseconds;

struct KeyCase {
    const char* name;
    char32_t key;
    bool composing;
    std::optional<int> msSinceCommit; // none: no composition was committed
    Fate expected;
};

TEST(InputMethodGuardTest, DecidesWhatAKeyDoes) {
    for (const KeyCase& c : {
             KeyCase{"Enter while composing commits", 13, true, std::nullopt, Fate::Commit},
             KeyCase{"Space while composing converts", 32, true, std::nullopt, Fate::Drop},
             KeyCase{"a digit while composing is typed", U'5', true, std::nullopt, Fate::Type},
             KeyCase{"Enter just after a commit made it", 13, false, 30, Fate::Drop},
             KeyCase{"Space just after a commit made it", 32, false, 30, Fate::Drop},
             KeyCase{"Enter a while after a commit is typed", 13, false, 150, Fate::Type},
             KeyCase{"a digit just after a commit is typed", U'5', false, 30, Fate::Type},
             KeyCase{"Enter with no commit is typed", 13, false, std::nullopt, Fate::Type},
         }) {
        InputMethodGuard guard;
        const auto start = InputMethodGuard::Clock::time_point{};
        if (c.msSinceCommit) {
            guard.committed(QStringLiteral("一"), start);
        }
        const auto now = start + milliseconds(c.msSinceCommit.value_or(0));
        EXPECT_EQ(guard.key({c.key}, c.composing, now), c.expected) << c.name;
    }
}

// Only one key is taken for the commit's own; the text committed is a repeat only for a moment.
TEST(InputMethodGuardTest, OneKeyAndOneMomentBelongToACommit) {
    InputMethodGuard guard;
    const auto start = InputMethodGuard::Clock::time_point{};
    guard.committed(QStringLiteral("一"), start);
    EXPECT_EQ(guard.justCommitted(start + milliseconds(30)), QStringLiteral("一"));
    EXPECT_EQ(guard.justCommitted(start + milliseconds(150)), std::nullopt);
    EXPECT_EQ(guard.key({13}, false, start + milliseconds(30)), Fate::Drop);
    EXPECT_EQ(guard.key({13}, false, start + milliseconds(40)), Fate::Type);
}

} // namespace

} // namespace kalpeno::qt::test
