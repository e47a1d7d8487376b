#pragma once

#include <windows.h>

#include <oleacc.h>

#include <map>
#include <string>
#include <string_view>

namespace kalpeno::win32 {

// The names and descriptions of the design data on the native controls, as annotations of their
// own accessible objects (IAccPropServices): the controls keep their roles, values and states,
// and a screen reader, through MSAA or UI Automation, reads the design's name. Where the system
// has no annotation service, the controls keep the names it gives them.
//
// The texts are kept here until a client first asks one of the program's windows for its
// accessible object (WM_GETOBJECT); only then are COM and the service started and told them all,
// so that a window shows without waiting for what only assistive technology uses.
class Accessibility {
public:
    Accessibility() = default;
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // An empty text takes the annotation back.
    void name(HWND control, std::u16string_view text);
    void description(HWND control, std::u16string_view text);
    void forget(HWND control);
    // A window received WM_GETOBJECT: before it answers, the annotations are in place.
    void clientAsked();

private:
    struct Texts {
        std::u16string name;
        std::u16string description;
    };
    void annotate(HWND control, const MSAAPROPID& property, std::u16string_view text);

    std::map<HWND, Texts> texts_;
    bool started_ = false;
    HRESULT com_ = E_FAIL;
    IAccPropServices* services_ = nullptr;
};

} // namespace kalpeno::win32
