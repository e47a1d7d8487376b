#pragma once
// The Qt window layer. Data flow: the model (forms::Application) is the single source of truth.
// Each form it loads gets a FormWindow built from the form's design data; every change of the
// model arrives here as a ModelObserver call and is mirrored into the widgets at once. Every user
// action on a widget goes the other way, through UserEvents, as the model's event (click, menu,
// key press, caret, focus, close, resize); the model decides and the widgets show the result.
// The keyboard focus is the model's too: the layer puts Qt's focus where the model has it, and
// tells the model when the user moves it (Tab, a click into a box, another window activated).

#include "forms/Application.h"
#include "forms/ModelObserver.h"
#include "layer/MirroringLayer.h"
#include "layer/UserEvents.h"
#include "qt/boxes/LineEditStyle.h"
#include "qt/controls/Artwork.h"
#include "qt/window/DesignFonts.h"
#include "qt/window/MenuBarStyle.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace kalpeno::qt {

class ControlView;
class FormWindow;
using layer::UserEvents;

} // namespace kalpeno::qt

// Made once, in QtLayer.cpp, where the window type is complete.
extern template class kalpeno::layer::MirroringLayer<kalpeno::qt::FormWindow>;

namespace kalpeno::qt {

class QtLayer : public QObject, public layer::MirroringLayer<FormWindow> {
    Q_OBJECT

public:
    // Shows the forms the application has loaded already and follows it from then on.
    explicit QtLayer(forms::Application& app);
    ~QtLayer() override;

    UserEvents& events() override { return events_; }

    QAction* action(const forms::MenuItem& item) const;

    void formLoaded(forms::Form& form) override;
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void focusChanged(forms::Control* control) override;
    void programEnded() override;

signals:
    // End ran, or the last shown window was closed: the event loop may stop.
    void programFinished();

private:
    static void installFontSubstitutes();
    static QMenu* openContextMenu(const FormWindow& window);
    void showFocus(forms::Control* control);
    void syncFocus() override;
    void userMovedFocus(QWidget* now);
    void reportFocus(QPointer<QWidget> widget);

    UserEvents events_;
    DesignFonts fonts_;
    Artwork artwork_{fonts_};
    LineEditStyle lineEditStyle_; // outlives the windows, whose boxes draw with it
    MenuBarStyle menuBarStyle_;   // the same for their menu bars
    // Windows of unloaded forms, deleted once control is back in the event loop (one of them may
    // be the sender of the event that unloaded its form).
    std::vector<QPointer<FormWindow>> retired_;
};

} // namespace kalpeno::qt
