#include "gui/GuiSession.h"

#include "layer/TextExcerpt.h"
#include "program/Program.h"
#include "qt/Conversions.h"
#include "qt/boxes/MultiLineBox.h"
#include "qt/boxes/MultiLineMapping.h"
#include "qt/boxes/SingleLineBox.h"
#include "qt/controls/ButtonWidget.h"
#include "qt/controls/LabelWidget.h"
#include "qt/tape/TapeView.h"
#include "qt/window/ClientArea.h"
#include "qt/window/FormWindow.h"
#include "scenario/HeadlessSession.h"
#include "scenario/Utf.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace kalpeno::qt {

namespace {

using scenario::ScenarioError;

bool isTextBox(const ControlView& view) {
    return dynamic_cast<const SingleLineBox*>(&view) || dynamic_cast<const MultiLineBox*>(&view);
}

// Where in the line edit a click puts the caret at `position`: the middle of the span of points
// that give that position, or nothing when the position is scrolled out of view.
std::optional<QPoint> pointOfPosition(QLineEdit& edit, int position) {
    const int y = edit.height() / 2;
    std::optional<int> first;
    int last = 0;
    for (int x = 0; x < edit.width(); ++x) {
        if (edit.cursorPositionAt(QPoint(x, y)) == position) {
            first = first.value_or(x);
            last = x;
        }
    }
    if (!first) {
        return std::nullopt;
    }
    return QPoint((*first + last) / 2, y);
}

std::optional<QPoint> pointOfPosition(MultiLineBox& editor, int position) {
    QTextCursor cursor(editor.document());
    cursor.setPosition(position);
    QPoint point = editor.cursorRect(cursor).center();
    if (!editor.viewport()->rect().contains(point)) {
        // Scrolled out of view: the user scrolls to it first.
        editor.verticalScrollBar()->setValue(cursor.block().firstLineNumber());
        point = editor.cursorRect(cursor).center();
    }
    if (!editor.viewport()->rect().contains(point) ||
        editor.cursorForPosition(point).position() != position) {
        return std::nullopt;
    }
    return point;
}

} // namespace

GuiSession::GuiSession(const std::u16string& appDir) : app_(appDir, messageBox_), layer_(app_) {
    messageBox_.onShown = [this](QMessageBox& box) {
        messages_.push_back(toU16(box.text()));
        if (QAbstractButton* ok = box.button(QMessageBox::Ok)) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box.done(0);
        }
    };
    startProgram(app_);
    settle();
}

GuiSession::~GuiSession() = default;

void GuiSession::settle() {
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

FormWindow& GuiSession::shownWindow(const std::u16string& form) {
    if (app_.ended()) {
        throw ScenarioError("the program has ended");
    }
    FormWindow* window = layer_.window(form);
    if (!window || !window->isVisible()) {
        throw ScenarioError("the window " + scenario::toUtf8(form) + " is not shown");
    }
    return *window;
}

ControlView& GuiSession::target(const scenario::ControlPath& path) {
    FormWindow& window = shownWindow(path.form);
    forms::Control* control = window.form() ? window.form()->find(path.name, path.index) : nullptr;
    ControlView* view = control ? window.view(*control) : nullptr;
    if (!view) {
        throw ScenarioError("no control " + scenario::toUtf8(path.name) + " in " +
                            scenario::toUtf8(path.form));
    }
    return *view;
}

void GuiSession::clickAt(QWidget& widget, QPoint point) {
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, point);
    settle();
}

// A click at the control's place reaches whatever is on top there: a marker picture lets it
// through to the letter beneath; a hidden or disabled button is not clicked at all.
void GuiSession::click(const scenario::ControlPath& path) {
    ControlView& view = target(path);
    const forms::ControlKind kind = view.control()->kind();
    if (kind != forms::ControlKind::CommandButton && kind != forms::ControlKind::Image &&
        kind != forms::ControlKind::PictureBox) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a button or a picture");
    }
    QWidget& client = shownWindow(path.form).client();
    const QPoint place = view.widget().geometry().center();
    QWidget* hit = client.childAt(place);
    if (hit && hit->isEnabled()) {
        clickAt(*hit, hit->mapFrom(&client, place));
    }
}

void GuiSession::menu(const std::u16string& form, const std::u16string& item) {
    FormWindow& window = shownWindow(form);
    forms::MenuItem* command = window.form() ? window.form()->findMenu(item) : nullptr;
    QAction* action = command ? window.action(*command) : nullptr;
    if (!action || !command->items().empty()) {
        throw ScenarioError(scenario::toUtf8(item) + " is no menu command of " +
                            scenario::toUtf8(form));
    }
    action->trigger();
    settle();
}

void GuiSession::key(const scenario::ControlPath& path, char32_t key) {
    ControlView& view = target(path);
    if (!isTextBox(view)) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a text box");
    }
    QWidget& box = view.widget();
    if (key == 8) {
        QTest::keyClick(&box, Qt::Key_Backspace);
    } else if (key == 13) {
        QTest::keyClick(&box, Qt::Key_Return);
    } else {
        const Qt::Key code =
            key < 0x80 ? static_cast<Qt::Key>(QChar::toUpper(key)) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, &box, code, QString::fromUcs4(&key, 1), Qt::NoModifier);
    }
    settle();
}

// Ctrl+V with the text on the clipboard.
void GuiSession::paste(const scenario::ControlPath& path, const std::u16string& text) {
    ControlView& view = target(path);
    if (!isTextBox(view)) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a text box");
    }
    QGuiApplication::clipboard()->setText(toQString(text));
    QTest::keyClick(&view.widget(), Qt::Key_V, Qt::ControlModifier);
    settle();
}

// A click into the box where the caret is to go; a place scrolled out of view is reached from
// the start of the text with the arrow keys.
void GuiSession::clickIntoBox(ControlView& view, std::size_t position) {
    std::optional<QPoint> point;
    QWidget* receiver = &view.widget();
    int shownPosition = 0;
    if (auto* edit = dynamic_cast<SingleLineBox*>(&view)) {
        shownPosition = static_cast<int>(std::min(position, edit->shownText().size()));
        const long inExcerpt = layer::TextExcerpt::within(
            position, edit->modelPosition(0), static_cast<std::size_t>(edit->text().size()));
        if (inExcerpt >= 0) {
            point = pointOfPosition(*edit, static_cast<int>(inExcerpt));
        }
    } else if (auto* editor = dynamic_cast<MultiLineBox*>(&view)) {
        shownPosition = ShownPositions(editor->shownText()).editor(position);
        point = pointOfPosition(*editor, shownPosition);
        receiver = editor->viewport();
    }
    if (point) {
        clickAt(*receiver, *point);
        return;
    }
    clickAt(*receiver, QPoint(1, 1));
    // Home in a line edit, Ctrl+Home in a multi-line box: the start of the text.
    QTest::keyClick(&view.widget(), Qt::Key_Home,
                    receiver == &view.widget() ? Qt::NoModifier : Qt::ControlModifier);
    for (int i = 0; i < shownPosition; ++i) {
        QTest::keyClick(&view.widget(), Qt::Key_Right);
    }
    settle();
}

void GuiSession::caret(const scenario::ControlPath& path, std::optional<std::size_t> position) {
    ControlView& view = target(path);
    if (!isTextBox(view)) {
        throw ScenarioError(scenario::toUtf8(path.name) + " is not a text box");
    }
    const auto* box = static_cast<const forms::TextBox*>(view.control());
    clickIntoBox(view, position.value_or(box->text().size()));
}

// A button takes the focus by Tab only: Tab is pressed until it has it.
void GuiSession::tabTo(ControlView& view) {
    QWidget& widget = view.widget();
    QWidget* window = widget.window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        settle();
    }
    const std::size_t presses = view.control()->form().tabOrder().size() + 1;
    for (std::size_t i = 0; i < presses && QApplication::focusWidget() != &widget; ++i) {
        QWidget* from = QApplication::focusWidget();
        QTest::keyClick(from ? from : window, Qt::Key_Tab);
        settle();
    }
}

void GuiSession::focus(const scenario::ControlPath& path) {
    ControlView& view = target(path);
    QWidget& widget = view.widget();
    if (view.control()->tabIndex() < 0 || !widget.isVisible() || !widget.isEnabled()) {
        return; // it takes no focus
    }
    if (auto* edit = dynamic_cast<SingleLineBox*>(&view)) {
        clickIntoBox(view, edit->shownCaret());
    } else if (auto* editor = dynamic_cast<MultiLineBox*>(&view)) {
        clickIntoBox(view,
                     ShownPositions(editor->shownText()).model(editor->textCursor().position()));
    } else if (auto* list = dynamic_cast<TapeView*>(&view)) {
        clickAt(*list->viewport(), QPoint(2, list->viewport()->height() - 2));
    } else {
        tabTo(view);
    }
}

void GuiSession::close(const std::u16string& form) {
    shownWindow(form).close();
    settle();
}

scenario::Observation GuiSession::read(const scenario::ControlPath& path, scenario::Aspect aspect) {
    scenario::Observation seen;
    FormWindow* window = layer_.window(path.form);
    forms::Control* control =
        window && window->form() ? window->form()->find(path.name, path.index) : nullptr;
    ControlView* view = control ? window->view(*control) : nullptr;
    if (!view) {
        return seen;
    }
    QWidget& widget = view->widget();
    switch (aspect) {
    case scenario::Aspect::Text:
        if (auto* edit = dynamic_cast<SingleLineBox*>(view)) {
            seen.text = edit->shownText();
        } else if (auto* editor = dynamic_cast<MultiLineBox*>(view)) {
            seen.text = editor->shownText();
        }
        break;
    case scenario::Aspect::Caption:
        if (auto* label = dynamic_cast<LabelWidget*>(view)) {
            seen.text = toU16(label->text());
        } else if (auto* button = dynamic_cast<ButtonWidget*>(view)) {
            seen.text = toU16(button->text().replace(QStringLiteral("&&"), QStringLiteral("&")));
        }
        break;
    case scenario::Aspect::Lines:
        if (auto* list = dynamic_cast<TapeView*>(view)) {
            std::vector<std::u16string> lines;
            for (int row = 0; row < list->count(); ++row) {
                lines.push_back(toU16(list->line(row)));
            }
            seen.lines = std::move(lines);
        }
        break;
    case scenario::Aspect::Visible:
        seen.flag = widget.isVisibleTo(window);
        break;
    case scenario::Aspect::Enabled:
        seen.flag = widget.isEnabled();
        break;
    case scenario::Aspect::BackColour:
        if (widget.testAttribute(Qt::WA_SetPalette)) {
            seen.colour = toColour(widget.palette().color(view->colourRole()));
        }
        break;
    }
    return seen;
}

std::optional<bool> GuiSession::formLoaded(const std::u16string& form) {
    return layer_.window(form) != nullptr;
}

std::optional<bool> GuiSession::formVisible(const std::u16string& form) {
    const FormWindow* window = layer_.window(form);
    return window && window->isVisible();
}

std::u16string GuiSession::focusName() {
    QWidget* focused = QApplication::focusWidget();
    ControlView* view = focused ? layer_.viewOf(focused) : nullptr;
    if (!view || !view->control()) {
        return {};
    }
    return scenario::displayName(*view->control());
}

std::vector<std::u16string> GuiSession::takeMessages() {
    return std::exchange(messages_, {});
}

bool GuiSession::ended() {
    return app_.ended();
}

const calculator::Kalpeno* GuiSession::calculatorWindow() {
    return dynamic_cast<const calculator::Kalpeno*>(app_.loaded(u"Kalpeno"));
}

} // namespace kalpeno::qt
