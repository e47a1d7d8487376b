#include "qt/controls/ControlAccessible.h"

#include "qt/boxes/SingleLineBox.h"
#include "qt/controls/PictureWidget.h"
#include "qt/window/FormWindow.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace kalpeno::qt {

namespace {

class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(FormWindow& window)
        : QAccessibleWidget(&window, QAccessible::Window) {}
};

class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(PictureWidget& picture)
        : QAccessibleWidget(&picture,
                            picture.clickable() ? QAccessible::Button : QAccessible::Graphic),
          picture_(picture) {}

    QStringList actionNames() const override {
        return picture_.clickable() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            picture_.activate();
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name != pressAction() || picture_.shortcut().isEmpty()) {
            return {};
        }
        return {picture_.shortcut()};
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Accelerator) {
            return picture_.shortcut();
        }
        return QAccessibleWidget::text(type);
    }

private:
    PictureWidget& picture_;
};

// A one-line box: its text is the model's, also where the box shows a window of a long text,
// and can be read from any offset; its selection and caret are reported. Nothing can be edited
// through it. A read-only box (a total box, an operand display) says it is one.
class LineBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LineBoxAccessible(SingleLineBox& box)
        : QAccessibleWidget(&box, QAccessible::EditableText), box_(box) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box_.isReadOnly();
        state.readOnly = box_.isReadOnly();
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) {
            return toQString(box_.shownText());
        }
        return QAccessibleWidget::text(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box_.hasSelectedText()) {
            const std::size_t anchor = box_.shownAnchor();
            const std::size_t caret = box_.shownCaret();
            *startOffset = static_cast<int>(std::min(anchor, caret));
            *endOffset = static_cast<int>(std::max(anchor, caret));
        }
    }
    int selectionCount() const override { return box_.hasSelectedText() ? 1 : 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return static_cast<int>(box_.shownCaret()); }
    void setCursorPosition(int) override {} // the caret is the model's
    QString text(int startOffset, int endOffset) const override {
        return toQString(box_.shownText()).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box_.shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override {
        return static_cast<int>(
            box_.modelPosition(box_.cursorPositionAt(box_.mapFromGlobal(point))));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = std::max(characterCount(), offset);
        return {};
    }

private:
    SingleLineBox& box_;
};

// Asked for each class of an object from the most derived one up.
QAccessibleInterface* controlFactory(const QString& className, QObject* object) {
    if (className == QLatin1StringView("QWidget")) {
        if (auto* window = dynamic_cast<FormWindow*>(object)) {
            return new WindowAccessible(*window);
        }
        if (auto* picture = dynamic_cast<PictureWidget*>(object)) {
            return new PictureAccessible(*picture);
        }
    } else if (className == QLatin1StringView("QLineEdit")) {
        if (auto* box = dynamic_cast<SingleLineBox*>(object)) {
            return new LineBoxAccessible(*box);
        }
    }
    return nullptr;
}

} // namespace

void installControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    (void)installed;
}

void controlBuilt(QWidget& widget) {
    auto* box = dynamic_cast<SingleLineBox*>(&widget);
    if (!box) {
        return;
    }
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(box);
    if (made && !dynamic_cast<LineBoxAccessible*>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace kalpeno::qt
