#include "qt/boxes/KeyTranslation.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <array>
#include <span>

namespace kalpeno::qt {

namespace {

constexpr char32_t backspace = 8;
constexpr char32_t enter = 13;

constexpr std::array navigationKeys{
    QKeySequence::MoveToNextChar,
    QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToNextLine,
    QKeySequence::MoveToPreviousLine,
    QKeySequence::MoveToNextPage,
    QKeySequence::MoveToPreviousPage,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,
    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument,
    QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextChar,
    QKeySequence::SelectPreviousChar,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,
    QKeySequence::SelectNextLine,
    QKeySequence::SelectPreviousLine,
    QKeySequence::SelectNextPage,
    QKeySequence::SelectPreviousPage,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfBlock,
    QKeySequence::SelectEndOfBlock,
    QKeySequence::SelectStartOfDocument,
    QKeySequence::SelectEndOfDocument,
    QKeySequence::SelectAll,
    QKeySequence::Deselect,
};

// Edits that would change the text without the key-press handler.
constexpr std::array refusedKeys{
    QKeySequence::Cut,
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::Delete,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
};

// The single-key combinations the platform binds to some standard keys, looked up once: every
// key press into a box asks about forty of them, and Qt builds each list anew when asked.
class Bindings {
public:
    explicit Bindings(std::span<const QKeySequence::StandardKey> keys) {
        for (const QKeySequence::StandardKey key : keys) {
            for (const QKeySequence& sequence : QKeySequence::keyBindings(key)) {
                if (sequence.count() == 1) {
                    combinations_.push_back(sequence[0].toCombined());
                }
            }
        }
        std::sort(combinations_.begin(), combinations_.end());
    }

    // As QKeyEvent::matches: the keypad and group switch modifiers make no difference.
    bool match(const QKeyEvent& event) const {
        const int searched = (event.modifiers().toInt() | event.key()) &
                             ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
        return std::binary_search(combinations_.begin(), combinations_.end(), searched);
    }

private:
    std::vector<int> combinations_;
};

// Typed text as the model's keys: control characters are no text.
std::vector<char32_t> typedKeys(const QString& text) {
    std::vector<char32_t> keys;
    for (const char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c != 0x7F) {
            keys.push_back(c);
        }
    }
    return keys;
}

} // namespace

KeyMeaning keyMeaning(const QKeyEvent& event) {
    static const Bindings paste(std::array{QKeySequence::Paste});
    static const Bindings copy(std::array{QKeySequence::Copy});
    static const Bindings navigation(navigationKeys);
    static const Bindings refused(refusedKeys);
    if (paste.match(event)) {
        return {KeyEffect::Paste, {}};
    }
    if (copy.match(event)) {
        return {KeyEffect::Copy, {}};
    }
    if (navigation.match(event)) {
        return {KeyEffect::Navigation, {}};
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool command = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = event.key();
    if (key == Qt::Key_Backspace) {
        return command ? KeyMeaning{KeyEffect::Refused, {}}
                       : KeyMeaning{KeyEffect::Keys, {backspace}};
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return command ? KeyMeaning{KeyEffect::Refused, {}} : KeyMeaning{KeyEffect::Keys, {enter}};
    }
    // The keypad's decimal key gives "." whatever the keyboard layout makes of it.
    if ((modifiers & Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        return {KeyEffect::Keys, {U'.'}};
    }
    if (key == Qt::Key_Delete || key == Qt::Key_Insert || refused.match(event)) {
        return {KeyEffect::Refused, {}};
    }
    std::vector<char32_t> keys = typedKeys(event.text());
    if (keys.empty()) {
        return {KeyEffect::Unhandled, {}};
    }
    // A character typed with Ctrl, Alt or Meta is a command the program does not have.
    return command ? KeyMeaning{KeyEffect::Refused, {}}
                   : KeyMeaning{KeyEffect::Keys, std::move(keys)};
}

QInputMethodEvent preeditOnly(const QInputMethodEvent& event) {
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& attribute : event.attributes()) {
        if (attribute.type != QInputMethodEvent::Selection) {
            attributes.push_back(attribute);
        }
    }
    return QInputMethodEvent(event.preeditString(), attributes);
}

} // namespace kalpeno::qt
