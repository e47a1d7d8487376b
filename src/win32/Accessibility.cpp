#include "win32/Accessibility.h"

#include <initguid.h>

#include <string>

// The annotation service's class, its interface and the properties it takes, as oleacc.h names
// them (MinGW's import library holds them as data of oleacc.dll, which does not export them).
DEFINE_GUID(kalpenoAccPropServices, 0xb5f8350b, 0x0548, 0x48b1, 0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4,
            0xa5, 0xe7);
DEFINE_GUID(kalpenoIAccPropServices, 0x6e26e776, 0x04f0, 0x495d, 0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e,
            0x31, 0x69);
DEFINE_GUID(kalpenoAccName, 0x608d3df8, 0x8128, 0x4aa7, 0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72,
            0x91);
DEFINE_GUID(kalpenoAccDescription, 0x4d48dfe4, 0xbd3f, 0x491f, 0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20,
            0xc5, 0x88);

namespace kalpeno::win32 {

Accessibility::~Accessibility() {
    if (services_) {
        services_->Release();
    }
    if (SUCCEEDED(com_)) {
        CoUninitialize();
    }
}

void Accessibility::clientAsked() {
    if (started_) {
        return;
    }
    started_ = true;
    com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CoCreateInstance(kalpenoAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kalpenoIAccPropServices,
                     reinterpret_cast<void**>(&services_));
    for (const auto& [control, texts] : texts_) { // an empty text was never annotated
        if (!texts.name.empty()) {
            annotate(control, kalpenoAccName, texts.name);
        }
        if (!texts.description.empty()) {
            annotate(control, kalpenoAccDescription, texts.description);
        }
    }
}

void Accessibility::name(HWND control, std::u16string_view text) {
    if (control) {
        texts_[control].name = text;
    }
    annotate(control, kalpenoAccName, text);
}

void Accessibility::description(HWND control, std::u16string_view text) {
    if (control) {
        texts_[control].description = text;
    }
    annotate(control, kalpenoAccDescription, text);
}

void Accessibility::annotate(HWND control, const MSAAPROPID& property, std::u16string_view text) {
    if (!services_ || !control) {
        return;
    }
    if (text.empty()) {
        MSAAPROPID properties[] = {property};
        services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties, 1);
        return;
    }
    const std::wstring value(text.begin(), text.end());
    if (services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, value.c_str()) ==
        E_NOTIMPL) {
        // A service that is there but keeps nothing (Wine's): asked no more.
        services_->Release();
        services_ = nullptr;
    }
}

void Accessibility::forget(HWND control) {
    texts_.erase(control);
    if (!services_ || !control) {
        return;
    }
    MSAAPROPID properties[] = {kalpenoAccName, kalpenoAccDescription};
    services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties, 2);
}

} // namespace kalpeno::win32
