#include "qt/KeyTranslation.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>

#include <array>

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

template <std::size_t N>
bool matchesAny(const QKeyEvent& event, const std::array<QKeySequence::StandardKey, N>& keys) {
    for (const QKeySequence::StandardKey key : keys) {
        if (event.matches(key)) {
            return true;
        }
    }
    return false;
}

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
    if (event.matches(QKeySequence::Paste)) {
        return {KeyEffect::Paste, {}};
    }
    if (event.matches(QKeySequence::Copy)) {
        return {KeyEffect::Copy, {}};
    }
    if (matchesAny(event, navigationKeys)) {
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
    if (key == Qt::Key_Delete || key == Qt::Key_Insert || matchesAny(event, refusedKeys)) {
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
