#pragma once

#include "qt/boxes/EntryBox.h"

#include "qt/boxes/MultiLineMapping.h"

#include <QPlainTextEdit>
#include <QPoint>

#include <optional>
#include <string>

namespace kalpeno::qt {

// A multi-line text box (the Help window's text): a plain-text editor with the model's text and
// caret (EntryBox.h says how typing reaches the model). It shows the model's CR LF line
// ends as paragraph ends, or in a long text as line ends inside paragraphs, and a long line as
// several paragraphs (MultiLineMapping.h).
class MultiLineBox : public EntryBox<QPlainTextEdit> {
public:
    MultiLineBox(forms::TextBox& box, UserEvents& events, QWidget* parent);

    // The text the editor shows, in the model's form.
    std::u16string shownText() const;

protected:
    void showText() override;
    void showCaret() override;
    void reportCaret() override;
    std::size_t caretInModel() const override;
    std::size_t modelPositionAt(QPoint point) override;
    void selectByThirdClick(QPoint point) override;
    bool hasSelection() const override { return textCursor().hasSelection(); }
    void clearSelection() override;

    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void replaceChangedPart(const QString& shown, const QString& wanted);
    void replaceChangedLines(std::u16string_view wanted);
    // The editor's positions of the text it shows.
    const ShownPositions& positions() const;
    int caretInEditor() const;

    // The model's text the editor was last set from, while the editor is known to show it; its
    // positions are worked out when first asked for.
    std::optional<std::u16string> shownModel_;
    mutable std::optional<ShownPositions> positions_;
};

} // namespace kalpeno::qt
