#include "qt/window/FormWindow.h"

#include "forms/CaptionControl.h"
#include "layer/Presentation.h"
#include "layer/UserEvents.h"
#include "qt/Conversions.h"
#include "qt/boxes/LineEditStyle.h"
#include "qt/boxes/MultiLineBox.h"
#include "qt/boxes/SingleLineBox.h"
#include "qt/controls/Artwork.h"
#include "qt/controls/ButtonWidget.h"
#include "qt/controls/ControlAccessible.h"
#include "qt/controls/LabelWidget.h"
#include "qt/controls/PictureWidget.h"
#include "qt/tape/TapeView.h"
#include "qt/window/ClientArea.h"
#include "qt/window/DesignFonts.h"
#include "qt/window/MenuBarKeys.h"
#include "qt/window/MenuBarStyle.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QVBoxLayout>

namespace kalpeno::qt {

namespace {

// The form's default font, which buttons and labels without a font of their own use.
QFont formFont(DesignFonts& fonts) {
    return fonts.font(u"ＭＳ Ｐゴシック", 9);
}

QString menuText(const std::u16string& caption) {
    return toQString(layer::menuText(caption));
}

// The widget of one control; none for a timer, which shows nothing.
ControlView* createView(forms::Control& control, UserEvents& events, Artwork& artwork,
                        LineEditStyle& lineEdits, QWidget* parent) {
    switch (control.kind()) {
    case forms::ControlKind::TextBox: {
        auto& box = static_cast<forms::TextBox&>(control);
        if (box.multiLine()) {
            return new MultiLineBox(box, events, parent);
        }
        auto* edit = new SingleLineBox(box, events, parent);
        edit->setStyle(&lineEdits);
        return edit;
    }
    case forms::ControlKind::ListBox:
        return new TapeView(static_cast<forms::ListBox&>(control), events, parent);
    case forms::ControlKind::Label:
        return new LabelWidget(static_cast<forms::Label&>(control), events, parent);
    case forms::ControlKind::CommandButton:
        return new ButtonWidget(static_cast<forms::CommandButton&>(control), events, parent);
    case forms::ControlKind::Image:
    case forms::ControlKind::PictureBox:
        return new PictureWidget(control, artwork, events, parent);
    case forms::ControlKind::Timer:
        break;
    }
    return nullptr;
}

// The design's key as Qt's.
QKeySequence keySequence(const forms::Shortcut& shortcut) {
    QKeyCombination combination(static_cast<Qt::Key>(shortcut.key));
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, shortcut.control);
    modifiers.setFlag(Qt::AltModifier, shortcut.alt);
    modifiers.setFlag(Qt::ShiftModifier, shortcut.shift);
    return QKeySequence(QKeyCombination(modifiers, combination.key()));
}

} // namespace

FormWindow::FormWindow(forms::Form& form, UserEvents& events, Artwork& artwork, DesignFonts& fonts,
                       LineEditStyle& lineEdits, MenuBarStyle& menuBars)
    : QWidget(nullptr, Qt::Window), form_(&form), events_(events) {
    installControlAccessibility();
    setWindowTitle(toQString(form.caption()));
    setWindowIcon(artwork.icon(form.icon()));
    setFont(formFont(fonts));
    setWindowFlag(Qt::WindowMaximizeButtonHint, form.resizable());
    client_ =
        new ClientArea(QSize(toPixels(form.ScaleWidth()), toPixels(form.ScaleHeight())), this);
    QMenuBar* bar = nullptr;
    if (!form.menus().empty()) {
        bar = new QMenuBar(this);
        bar->setNativeMenuBar(false);
        bar->setStyle(&menuBars);
        createMenus(*bar);
    }
    createControls(artwork, fonts, lineEdits);
    createShortcuts(bar);
    applyTabOrder();
    layOut(bar);
    client_->onResize = [this](QSize) { sizeReport_.report(); };
}

FormWindow::~FormWindow() = default;

void FormWindow::createMenus(QMenuBar& bar) {
    for (const auto& item : form_->menus()) {
        addMenuItem(*item, &bar, nullptr);
    }
}

void FormWindow::addMenuItem(forms::MenuItem& item, QMenuBar* bar, QMenu* menu) {
    if (!item.items().empty()) {
        QMenu* submenu =
            bar ? bar->addMenu(menuText(item.caption())) : menu->addMenu(menuText(item.caption()));
        actions_[&item] = submenu->menuAction();
        for (const auto& child : item.items()) {
            addMenuItem(*child, nullptr, submenu);
        }
    } else {
        QAction* action = bar ? bar->addAction(menuText(item.caption()))
                              : menu->addAction(menuText(item.caption()));
        actions_[&item] = action;
        forms::MenuItem* command = &item;
        connect(action, &QAction::triggered, this, [this, command] {
            if (form_) {
                events_.chooseMenu(*command);
            }
        });
    }
    actions_[&item]->setEnabled(item.enabled());
}

void FormWindow::createControls(Artwork& artwork, DesignFonts& fonts, LineEditStyle& lineEdits) {
    for (const auto& control : form_->controls()) {
        ControlView* view = createView(*control, events_, artwork, lineEdits, client_);
        if (!view) {
            continue;
        }
        QWidget& widget = view->widget();
        widget.setObjectName(toQString(control->qualifiedName()));
        describe(*control, widget);
        if (!control->font().face.empty()) {
            widget.setFont(fonts.font(control->font())); // else the window's font
        }
        view->mirrorAll();
        controlBuilt(widget);
        views_[control.get()] = view;
        viewsByWidget_[&widget] = view;
    }
}

// The name and description read by assistive technology, and the tooltip of a control that has a
// key. Set before the control is mirrored: a label's name follows its caption from then on.
void FormWindow::describe(const forms::Control& control, QWidget& widget) {
    widget.setAccessibleName(toQString(layer::spokenName(control)));
    const std::u16string description = layer::spokenDescription(control);
    if (!description.empty()) {
        widget.setAccessibleDescription(toQString(description));
    }
    const std::u16string tip = layer::toolTip(control);
    if (!tip.empty()) {
        widget.setToolTip(toQString(tip));
    }
}

// The design's keys, each a click on its control from anywhere in the window; F10 and a lone Alt
// for the menu bar. The model decides about the click as about one made with the mouse (a hidden or
// disabled control is not reached).
void FormWindow::createShortcuts(QMenuBar* bar) {
    for (const auto& control : form_->controls()) {
        if (control->shortcut().empty()) {
            continue;
        }
        auto* key = new QShortcut(keySequence(control->shortcut()), this);
        forms::Control* target = control.get();
        connect(key, &QShortcut::activated, this, [this, target] {
            if (form_) {
                events_.click(*target);
            }
        });
    }
    if (bar) {
        new MenuBarKeys(*this, *bar);
    }
}

// The design's tab order is the focus order; what is not in it takes no focus from the keyboard.
void FormWindow::applyTabOrder() {
    for (const auto& [control, view] : views_) {
        if (!layer::takesFocus(*control)) {
            view->widget().setFocusPolicy(Qt::NoFocus);
        }
    }
    QWidget* previous = nullptr;
    for (const forms::Control* control : form_->tabOrder()) {
        ControlView* next = view(*control);
        if (!next) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, &next->widget());
        }
        previous = &next->widget();
    }
}

void FormWindow::layOut(QMenuBar* bar) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (bar) {
        layout->setMenuBar(bar);
    }
    layout->addWidget(client_);
    if (form_->resizable()) {
        client_->setMinimumSize(1, 1);
    } else {
        client_->setFixedSize(client_->sizeHint());
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    resize(sizeHint());
}

std::pair<int, int> FormWindow::clientTwips() const {
    return {toTwips(client_->width()), toTwips(client_->height())};
}

void FormWindow::detach() {
    for (auto& [control, view] : views_) {
        view->detach();
    }
    form_ = nullptr;
}

void FormWindow::mirrorMenu(const forms::MenuItem& item) {
    if (QAction* shown = action(item)) {
        shown->setEnabled(item.enabled());
    }
}

ControlView* FormWindow::view(const forms::Control& control) const {
    auto found = views_.find(&control);
    return found == views_.end() ? nullptr : found->second;
}

ControlView* FormWindow::viewOf(const QWidget* widget) const {
    auto found = viewsByWidget_.find(widget);
    return found == viewsByWidget_.end() ? nullptr : found->second;
}

QAction* FormWindow::action(const forms::MenuItem& item) const {
    auto found = actions_.find(&item);
    return found == actions_.end() ? nullptr : found->second;
}

// The window itself never closes: the model unloads the form, and the window goes with it.
void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (form_) {
        events_.close(*form_);
    }
}

} // namespace kalpeno::qt
