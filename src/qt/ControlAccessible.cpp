#include "qt/ControlAccessible.h"

#include "qt/FormWindow.h"
#include "qt/PictureWidget.h"

#include <QAccessibleWidget>
#include <QLineEdit>

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

// A one-line box that shows a value the user cannot type into: its text can be read, from any
// offset, and its selection and caret are reported; nothing can be edited through it.
class ReadOnlyBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyBoxAccessible(QLineEdit& box)
        : QAccessibleWidget(&box, QAccessible::EditableText), box_(box) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = false;
        state.readOnly = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) {
            return box_.text();
        }
        return QAccessibleWidget::text(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box_.hasSelectedText()) {
            *startOffset = box_.selectionStart();
            *endOffset = box_.selectionEnd();
        }
    }
    int selectionCount() const override { return box_.hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { box_.deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        box_.setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box_.cursorPosition(); }
    void setCursorPosition(int) override {} // the caret is the model's
    QString text(int startOffset, int endOffset) const override {
        return box_.text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(box_.text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override {
        return box_.cursorPositionAt(box_.mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = std::max(characterCount(), offset);
        return {};
    }

private:
    QLineEdit& box_;
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
        // Asked first while the box is still being built (making it read-only is announced), so
        // by what it is by then.
        auto* box = qobject_cast<QLineEdit*>(object);
        if (box && box->isReadOnly()) {
            return new ReadOnlyBoxAccessible(*box);
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
    auto* box = qobject_cast<QLineEdit*>(&widget);
    if (!box || !box->isReadOnly()) {
        return;
    }
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(box);
    if (made && !dynamic_cast<ReadOnlyBoxAccessible*>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace kalpeno::qt
