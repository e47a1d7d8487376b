#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string_view>

namespace kalpeno::win32 {

// The names and descriptions of the design data on the native controls, as annotations of their
// own accessible objects (IAccPropServices): the controls keep their roles, values and states,
// and a screen reader, through MSAA or UI Automation, reads the design's name. Where the system
// has no annotation service, the controls keep the names it gives them.
class Accessibility {
public:
    Accessibility();
    ~Accessibility();
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // An empty text takes the annotation back.
    void name(HWND control, std::u16string_view text);
    void description(HWND control, std::u16string_view text);
    void forget(HWND control);

private:
    void annotate(HWND control, const MSAAPROPID& property, std::u16string_view text);

    IAccPropServices* services_ = nullptr;
};

} // namespace kalpeno::win32
