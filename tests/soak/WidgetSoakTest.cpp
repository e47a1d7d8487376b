// Random user events on the real widgets (Qt's offscreen platform), through the session the
// scenario runner uses for --gui: real clicks and key presses. After every event the program's
// rules must hold (InvariantChecker watches the model), and every few events each box and tape
// on screen must show exactly what the model holds.
#include "forms/Application.h"
#include "forms/ListBox.h"
#include "forms/TextBox.h"
#include "fuzz/InvariantChecker.h"
#include "gui/QtSession.h"
#include "program/Program.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <span>
#include <vector>

namespace kalpeno::fuzz {
namespace {

constexpr std::size_t widgetSoakEvents = 50'000;
constexpr std::size_t compareEvery = 50;

struct Target {
    scenario::ControlPath path;
    forms::ControlKind kind;
};

struct Command {
    std::u16string form;
    std::u16string item;
};

void addCommands(const std::u16string& form, std::span<const forms::MenuDesign> menus,
                 std::vector<Command>& out) {
    for (const forms::MenuDesign& menu : menus) {
        if (menu.items.empty()) {
            out.push_back({form, std::u16string(menu.name)});
        }
        addCommands(form, menu.items, out);
    }
}

constexpr std::array<char32_t, 24> keys{U'0', U'1', U'2',  U'5',  U'9',    U'.',  U'+',  U'-',
                                        U'*', U'/', 8,     13,    32,      U'３', U'＋', 0x3000,
                                        U'a', U'=', U'あ', U'漢', 0x1F600, 9,     27,    U','};

class WidgetSoak : public ::testing::Test {
protected:
    WidgetSoak() {
        for (std::u16string_view name : {u"Kalpeno", u"frmHelp", u"frmVersion4"}) {
            const forms::FormDesign& design = *findDesign(name);
            for (const forms::ControlDesign& c : design.controls) {
                targets_.push_back(
                    {{std::u16string(name), std::u16string(c.name), c.index}, c.kind});
            }
            addCommands(std::u16string(name), design.menus, commands_);
        }
    }

    void start() {
        session_.reset();
        session_ = qt::makeQtSession(u"/nonexistent/kalpeno-widget-soak");
        watched_ = nullptr;
        watch();
    }

    // The checker follows the calculator window's program; a new one after each start.
    void watch() {
        const calculator::Kalpeno* window = session_->calculatorWindow();
        if (window && &window->app() != watched_) {
            watched_ = &window->app();
            watched_->addObserver(checker_);
        }
    }

    const Target& anyTarget() { return targets_[random_() % targets_.size()]; }

    void oneEvent() {
        const unsigned kind = random_() % 20;
        ++delivered_;
        try {
            if (kind < 9) {
                session_->click(anyTarget().path);
            } else if (kind < 15) {
                session_->key(anyTarget().path, keys[random_() % keys.size()]);
            } else if (kind == 15) {
                session_->caret(anyTarget().path, random_() % 12);
            } else if (kind == 16) {
                session_->focus(anyTarget().path);
            } else if (kind < 19) {
                const Command& c = commands_[random_() % commands_.size()];
                session_->menu(c.form, c.item);
            } else if (random_() % 4 != 0) {
                std::u16string text;
                for (unsigned n = 1 + random_() % 12; n > 0; --n) {
                    text += static_cast<char16_t>(keys[random_() % keys.size()]);
                }
                session_->paste(anyTarget().path, text);
            } else {
                static const std::array<std::u16string, 3> forms{u"Kalpeno", u"frmHelp",
                                                                 u"frmVersion4"};
                session_->close(forms[random_() % forms.size()]);
            }
        } catch (const scenario::ScenarioError&) {
            // Not reachable now (a window not shown, a label clicked): the user could not either.
            --delivered_;
        }
    }

    // What the widgets show must be what the model holds.
    void compareWithModel() {
        const calculator::Kalpeno* window = session_->calculatorWindow();
        if (!window) {
            return;
        }
        for (const Target& t : targets_) {
            if (t.path.form != u"Kalpeno") {
                continue;
            }
            if (t.kind == forms::ControlKind::TextBox) {
                const auto seen = session_->read(t.path, scenario::Aspect::Text);
                ASSERT_EQ(seen.text, window->textBox(t.path.name).text())
                    << "box " << std::string(t.path.name.begin(), t.path.name.end());
            } else if (t.kind == forms::ControlKind::ListBox) {
                const auto seen = session_->read(t.path, scenario::Aspect::Lines);
                ASSERT_EQ(seen.lines, window->listBox(t.path.name).lines())
                    << "tape " << std::string(t.path.name.begin(), t.path.name.end());
            }
        }
    }

    std::mt19937 random_{7031};
    std::vector<Target> targets_;
    std::vector<Command> commands_;
    InvariantChecker checker_;
    forms::Application* watched_ = nullptr;
    std::unique_ptr<scenario::Session> session_;
    std::size_t delivered_ = 0;
    std::size_t messages_ = 0;
};

TEST_F(WidgetSoak, RandomEventsOnTheWidgetsKeepTheRulesAndTheMirror) {
    start();
    std::size_t starts = 1;
    for (std::size_t event = 1; event <= widgetSoakEvents; ++event) {
        oneEvent();
        for (const std::u16string& message : session_->takeMessages()) {
            checker_.showMessage(message, u"Kalpeno");
            ++messages_;
        }
        if (session_->ended()) {
            start();
            ++starts;
            continue;
        }
        watch();
        if (const calculator::Kalpeno* window = session_->calculatorWindow()) {
            checker_.checkState(*window);
        }
        ASSERT_FALSE(checker_.failure()) << *checker_.failure() << " after " << event << " events";
        if (event % compareEvery == 0) {
            ASSERT_NO_FATAL_FAILURE(compareWithModel()) << "after " << event << " events";
        }
    }
    session_.reset();
    // The run must have reached the program's corners, not idled on refused events.
    EXPECT_GT(starts, 10u);
    EXPECT_GT(delivered_, widgetSoakEvents / 4);
    EXPECT_GT(messages_, 100u);
    RecordProperty("delivered", static_cast<int>(delivered_));
    RecordProperty("messages", static_cast<int>(messages_));
    RecordProperty("starts", static_cast<int>(starts));
}

} // namespace
} // namespace kalpeno::fuzz
