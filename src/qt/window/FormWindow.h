#pragma once

#include "forms/Form.h"
#include "layer/SizeReport.h"
#include "qt/controls/ControlView.h"

#include <QWidget>

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace kalpeno::qt {

class Artwork;
class DesignFonts;
class LineEditStyle;
class ClientArea;
class MenuBarStyle;
class ControlView;

// The window of one loaded form, built from the form's design data as the model holds it: its
// caption and icon, its menu bar, and a client area of the design size with one widget per
// control at its design place (twips at 15 to a pixel), in the design's tab order. A form that
// is not resizable gets a window of fixed size. Closing the window asks the model to close the
// form; the window goes when the model unloads the form. The keyboard reaches the menu bar with
// F10 or a lone Alt, and a control's design key clicks it from anywhere in the window.
class FormWindow : public QWidget {
public:
    FormWindow(forms::Form& form, UserEvents& events, Artwork& artwork, DesignFonts& fonts,
               LineEditStyle& lineEdits, MenuBarStyle& menuBars);
    ~FormWindow() override;

    // Null once the form is unloaded.
    forms::Form* form() const { return form_; }
    // The form is being unloaded: nothing may refer to it or its controls any more.
    void detach();

    void mirrorMenu(const forms::MenuItem& item);

    ControlView* view(const forms::Control& control) const;
    // The view whose widget this is, or null.
    ControlView* viewOf(const QWidget* widget) const;
    QAction* action(const forms::MenuItem& item) const;
    ClientArea& client() const { return *client_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus(QMenuBar& bar);
    void addMenuItem(forms::MenuItem& item, QMenuBar* bar, QMenu* menu);
    void createControls(Artwork& artwork, DesignFonts& fonts, LineEditStyle& lineEdits);
    void describe(const forms::Control& control, QWidget& widget);
    void createShortcuts(QMenuBar* bar);
    void applyTabOrder();
    void layOut(QMenuBar* bar);
    std::pair<int, int> clientTwips() const;

    forms::Form* form_;
    UserEvents& events_;
    ClientArea* client_ = nullptr;
    std::map<const forms::Control*, ControlView*> views_;
    std::map<const QWidget*, ControlView*> viewsByWidget_;
    std::map<const forms::MenuItem*, QAction*> actions_;
    // The model learns each new size of the client area (also one the window manager gives
    // while a message box waits).
    layer::SizeReport sizeReport_{events_, [this] { return form_; },
                                  [this] { return clientTwips(); }};
};

} // namespace kalpeno::qt
