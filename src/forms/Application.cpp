#include "forms/Application.h"

#include "forms/system/System.h"

#include <algorithm>

namespace kalpeno::forms {

namespace {

constexpr std::u16string_view messageBoxTitle = u"Kalpeno";

// App.Path ends in the system's folder separator only at a root ("/", "C:\").
std::u16string normalisedPath(std::u16string path) {
    while (!path.empty() && path.back() == system::folderSeparator() && !system::isRoot(path)) {
        path.pop_back();
    }
    return path;
}

} // namespace

// Marks one user event. Forms unloaded while it runs stay allocated until the outermost event
// has finished, so a handler may unload its own form.
class Application::Dispatch {
public:
    explicit Dispatch(Application& app) : app_(app) { ++app_.dispatchDepth_; }
    ~Dispatch() {
        if (--app_.dispatchDepth_ == 0) {
            app_.discarded_.clear();
        }
    }
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

private:
    Application& app_;
};

// While it lasts, changes of texts, carets and captions are collected, each told once at its end
// (a paste changes the same boxes once per character). Other changes are told as they happen.
class Application::Coalesce {
public:
    explicit Coalesce(Application& app) : app_(app) { ++app_.coalescing_; }
    ~Coalesce() {
        if (--app_.coalescing_ > 0) {
            return;
        }
        std::vector<std::pair<Control*, Property>> changes;
        changes.swap(app_.coalesced_);
        for (const auto& [control, property] : changes) {
            if (app_.isLoaded(control->form())) {
                app_.notifyControl(*control, property);
            }
        }
    }
    Coalesce(const Coalesce&) = delete;
    Coalesce& operator=(const Coalesce&) = delete;

private:
    Application& app_;
};

Application::Application(std::u16string appPath, MessageBoxPort& messageBox)
    : path_(normalisedPath(std::move(appPath))), messageBox_(messageBox) {}

Application::~Application() {
    observers_.clear();
    ended_ = true;
    ++dispatchDepth_;
    while (!forms_.empty()) {
        unload(*forms_.back());
    }
}

void Application::registerForm(std::u16string name, FormFactory factory) {
    factories_[std::move(name)] = std::move(factory);
}

void Application::addObserver(ModelObserver& observer) {
    observers_.push_back(&observer);
}

// While observers are being told of a change, a removed one only leaves its place empty, so
// telling them needs no copy of the list on every change.
void Application::removeObserver(ModelObserver& observer) {
    if (notifying_ > 0) {
        std::replace(observers_.begin(), observers_.end(), &observer,
                     static_cast<ModelObserver*>(nullptr));
    } else {
        std::erase(observers_, &observer);
    }
}

template <class F> void Application::notify(F&& call) {
    ++notifying_;
    const std::size_t told = observers_.size(); // one added while telling hears the next change
    for (std::size_t i = 0; i < told; ++i) {
        if (observers_[i]) {
            call(*observers_[i]);
        }
    }
    if (--notifying_ == 0) {
        std::erase(observers_, nullptr);
    }
}

void Application::notifyControl(Control& control, Property property) {
    if (coalescing_ > 0 && (property == Property::Text || property == Property::Caret ||
                            property == Property::Caption)) {
        const std::pair change{&control, property};
        if (std::find(coalesced_.begin(), coalesced_.end(), change) == coalesced_.end()) {
            coalesced_.push_back(change);
        }
        return;
    }
    notify([&](ModelObserver& o) { o.controlChanged(control, property); });
}

void Application::notifyMenu(MenuItem& item) {
    notify([&](ModelObserver& o) { o.menuChanged(item); });
}

void Application::start(std::u16string_view formName) {
    Dispatch dispatch(*this);
    show(formName);
}

void Application::End() {
    if (ended_) {
        return;
    }
    ended_ = true;
    ++dispatchDepth_; // nothing is freed while a handler of a discarded form may still run
    while (!forms_.empty()) {
        unload(*forms_.back());
    }
    --dispatchDepth_;
    notify([](ModelObserver& o) { o.programEnded(); });
}

Form* Application::loaded(std::u16string_view name) const {
    for (const auto& form : forms_) {
        if (form->name() == name) {
            return form.get();
        }
    }
    return nullptr;
}

bool Application::isLoaded(const Form& form) const {
    return std::any_of(forms_.begin(), forms_.end(),
                       [&](const auto& f) { return f.get() == &form; });
}

std::vector<Form*> Application::loadedForms() const {
    std::vector<Form*> result;
    for (const auto& form : forms_) {
        result.push_back(form.get());
    }
    return result;
}

Form& Application::load(std::u16string_view name) {
    auto factory = factories_.find(name);
    if (factory == factories_.end()) {
        throw std::logic_error("no form of that name");
    }
    forms_.push_back(factory->second(*this));
    Form& form = *forms_.back();
    notify([&](ModelObserver& o) { o.formLoaded(form); });
    form.Form_Load();
    return form;
}

Form& Application::form(std::u16string_view name) {
    if (Form* form = loaded(name)) {
        return *form;
    }
    return load(name);
}

void Application::show(std::u16string_view name) {
    if (ended_) {
        return; // a handler that ended the program loads and shows nothing more
    }
    Form& target = form(name);
    if (ended_ || !isLoaded(target)) {
        return; // its load handler ended the program or unloaded it
    }
    if (target.visible()) {
        activate(target);
        return;
    }
    target.setVisible(true);
    activation_.push_back(&target);
    notify([&](ModelObserver& o) { o.formShown(target); });
    target.Form_Resize();
    setFocusTo(target.tabOrder().empty() ? nullptr : target.tabOrder().front());
}

void Application::activate(Form& form) {
    std::erase(activation_, &form);
    activation_.push_back(&form);
    Control* control = form.lastFocus();
    if (!control && !form.tabOrder().empty()) {
        control = form.tabOrder().front();
    }
    setFocusTo(control);
}

void Application::unload(Form& form) {
    auto owned =
        std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == &form; });
    if (owned == forms_.end()) {
        return;
    }
    const bool wasShown = form.visible();
    notify([&](ModelObserver& o) { o.formUnloading(form); });
    form.setVisible(false);
    discarded_.push_back(std::move(*owned));
    forms_.erase(owned);
    std::erase(activation_, &form);
    if (focus_ && &focus_->form() == &form) {
        focus_ = nullptr;
        if (activation_.empty()) {
            notify([](ModelObserver& o) { o.focusChanged(nullptr); });
        } else {
            activate(*activation_.back());
        }
    }
    if (dispatchDepth_ == 0) {
        discarded_.clear();
    }
    if (wasShown) {
        endIfNothingShown();
    }
}

// The program ends when its last shown window goes: forms that are only loaded hidden would
// otherwise keep an invisible program running that the user cannot reach.
void Application::endIfNothingShown() {
    if (ended_ || !activation_.empty()) {
        return;
    }
    End();
}

void Application::setFocus(Control& control) {
    if (ended_ || !isLoaded(control.form())) {
        return;
    }
    if (control.form().visible()) {
        std::erase(activation_, &control.form());
        activation_.push_back(&control.form());
    }
    setFocusTo(&control);
}

void Application::setFocusTo(Control* control) {
    if (control) {
        control->form().setLastFocus(control);
    }
    if (control == focus_) {
        return;
    }
    focus_ = control;
    notify([&](ModelObserver& o) { o.focusChanged(control); });
}

void Application::msgBox(std::u16string_view text) {
    ++messagesShown_;
    messageBox_.showMessage(text, messageBoxTitle);
}

bool Application::reachable(const Control& control) const {
    return !ended_ && isLoaded(control.form()) && control.form().visible() && control.visible() &&
           control.enabled();
}

bool Application::click(Control& control) {
    const bool picture =
        control.kind() == ControlKind::Image || control.kind() == ControlKind::PictureBox;
    // A picture that is hidden or has no handler of its own lets a click at its place through to
    // the picture beneath it, as on screen.
    if (picture && (!control.visible() || !control.onClick)) {
        Control* beneath = pictureBeneath(control);
        return beneath ? click(*beneath) : reachable(control);
    }
    if (!reachable(control)) {
        return false;
    }
    Dispatch dispatch(*this);
    if (control.onClick) {
        control.onClick();
    }
    return true;
}

Control* Application::pictureBeneath(const Control& control) const {
    const Bounds& b = control.bounds();
    const int x = b.left + b.width / 2;
    const int y = b.top + b.height / 2;
    for (const auto& other : control.form().controls()) {
        const Bounds& o = other->bounds();
        if (other.get() != &control && other->onClick && other->visible() &&
            (other->kind() == ControlKind::Image || other->kind() == ControlKind::PictureBox) &&
            x >= o.left && x < o.left + o.width && y >= o.top && y < o.top + o.height) {
            return other.get();
        }
    }
    return nullptr;
}

bool Application::chooseMenu(MenuItem& item) {
    if (ended_ || !isLoaded(item.form()) || !item.form().visible() || !item.enabled()) {
        return false;
    }
    Dispatch dispatch(*this);
    if (item.onClick) {
        item.onClick();
    }
    return true;
}

bool Application::pressKey(TextBox& box, char32_t key) {
    if (!reachable(box)) {
        return false;
    }
    Dispatch dispatch(*this);
    typeKey(box, key);
    return true;
}

Application::KeyOutcome Application::typeKey(TextBox& box, char32_t key) {
    if (!box.onKeyPress) {
        box.insertKey(key);
        return KeyOutcome::Inserted;
    }
    const char32_t folded = KeyRouting::fold(key);
    const std::int16_t original = KeyRouting::keyAscii(folded);
    std::int16_t keyAscii = original;
    const std::size_t messagesBefore = messagesShown_;
    box.onKeyPress(keyAscii);
    const bool told = messagesShown_ != messagesBefore;
    if (keyAscii == 0 || ended_ || !isLoaded(box.form())) {
        return told ? KeyOutcome::Told : KeyOutcome::Swallowed;
    }
    box.insertKey(keyAscii == original ? folded
                                       : static_cast<char32_t>(static_cast<char16_t>(keyAscii)));
    return told ? KeyOutcome::Told : KeyOutcome::Inserted;
}

bool Application::paste(TextBox& box, std::u16string_view text) {
    if (!reachable(box)) {
        return false;
    }
    Dispatch dispatch(*this);
    Coalesce coalesce(*this);
    if (box.multiLine()) {
        box.insertText(text);
        return true;
    }
    for (std::size_t i = 0; i < text.size() && reachable(box); ++i) {
        char32_t c = text[i];
        if (c == U'\r' || c == U'\n') {
            break;
        }
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x20 || c == 0x7F) {
            continue; // control characters are no text
        }
        if (typeKey(box, c) == KeyOutcome::Told) {
            break;
        }
    }
    return true;
}

bool Application::moveCaret(TextBox& box, std::size_t caret) {
    if (!reachable(box)) {
        return false;
    }
    Dispatch dispatch(*this);
    setFocus(box);
    box.setCaret(caret);
    return true;
}

bool Application::giveFocus(Control& control) {
    if (!reachable(control) || control.tabIndex() < 0) {
        return false;
    }
    Dispatch dispatch(*this);
    setFocus(control);
    return true;
}

bool Application::close(Form& form) {
    if (ended_ || !isLoaded(form) || !form.visible()) {
        return false;
    }
    Dispatch dispatch(*this);
    unload(form);
    return true;
}

bool Application::resize(Form& form, int width, int height) {
    if (ended_ || !isLoaded(form)) {
        return false;
    }
    if (form.ScaleWidth() == width && form.ScaleHeight() == height) {
        return true;
    }
    Dispatch dispatch(*this);
    form.setClientSize(width, height);
    form.Form_Resize();
    return true;
}

} // namespace kalpeno::forms
