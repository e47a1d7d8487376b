#include "win32/PictureAccessible.h"

#include "layer/Presentation.h"
#include "win32/PictureView.h"
#include "win32/Wide.h"

namespace kalpeno::win32 {

namespace {

BSTR allocate(const std::u16string& text) {
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
}

// A text answer: S_FALSE and no string for an empty one.
HRESULT answer(const std::u16string& text, BSTR* out) {
    *out = text.empty() ? nullptr : allocate(text);
    return text.empty() ? S_FALSE : S_OK;
}

} // namespace

HRESULT PictureAccessible::QueryInterface(REFIID id, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG PictureAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG PictureAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT PictureAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}
HRESULT PictureAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
HRESULT PictureAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT PictureAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
    return E_NOTIMPL;
}

HRESULT PictureAccessible::check(const VARIANT& child) const {
    if (!picture_ || !picture_->control()) {
        return CO_E_OBJNOTCONNECTED;
    }
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT PictureAccessible::get_accParent(IDispatch** parent) {
    *parent = nullptr;
    if (!picture_) {
        return CO_E_OBJNOTCONNECTED;
    }
    return AccessibleObjectFromWindow(GetParent(picture_->hwnd()), OBJID_CLIENT,
                                      __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

HRESULT PictureAccessible::get_accChildCount(LONG* count) {
    *count = 0;
    return S_OK;
}

HRESULT PictureAccessible::get_accChild(VARIANT, IDispatch** object) {
    *object = nullptr;
    return E_INVALIDARG;
}

HRESULT PictureAccessible::get_accName(VARIANT child, BSTR* name) {
    *name = nullptr;
    const HRESULT valid = check(child);
    return FAILED(valid) ? valid : answer(layer::spokenName(*picture_->control()), name);
}

HRESULT PictureAccessible::get_accValue(VARIANT, BSTR* value) {
    *value = nullptr;
    return S_FALSE;
}

HRESULT PictureAccessible::get_accDescription(VARIANT child, BSTR* description) {
    *description = nullptr;
    const HRESULT valid = check(child);
    return FAILED(valid) ? valid
                         : answer(layer::spokenDescription(*picture_->control()), description);
}

HRESULT PictureAccessible::get_accRole(VARIANT child, VARIANT* role) {
    VariantInit(role);
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    role->vt = VT_I4;
    role->lVal = picture_->clickable() ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_GRAPHIC;
    return S_OK;
}

HRESULT PictureAccessible::get_accState(VARIANT child, VARIANT* state) {
    VariantInit(state);
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    state->vt = VT_I4;
    state->lVal = 0;
    if (!IsWindowVisible(picture_->hwnd())) {
        state->lVal |= STATE_SYSTEM_INVISIBLE;
    }
    if (!IsWindowEnabled(picture_->hwnd())) {
        state->lVal |= STATE_SYSTEM_UNAVAILABLE;
    }
    return S_OK;
}

HRESULT PictureAccessible::get_accHelp(VARIANT, BSTR* help) {
    *help = nullptr;
    return S_FALSE;
}

HRESULT PictureAccessible::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
}

HRESULT PictureAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    *shortcut = nullptr;
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    const forms::Shortcut& key = picture_->control()->shortcut();
    return answer(key.empty() ? u"" : layer::shortcutText(key), shortcut);
}

// A picture never has the focus.
HRESULT PictureAccessible::get_accFocus(VARIANT* focused) {
    VariantInit(focused);
    return S_FALSE;
}

HRESULT PictureAccessible::get_accSelection(VARIANT* selected) {
    VariantInit(selected);
    return S_FALSE;
}

HRESULT PictureAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    *action = nullptr;
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    return answer(picture_->clickable() ? u"押す" : u"", action);
}

HRESULT PictureAccessible::accSelect(long, VARIANT) {
    return E_NOTIMPL;
}

HRESULT PictureAccessible::accLocation(long* left, long* top, long* width, long* height,
                                       VARIANT child) {
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    RECT place{};
    GetWindowRect(picture_->hwnd(), &place);
    *left = place.left;
    *top = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
}

HRESULT PictureAccessible::accNavigate(long, VARIANT, VARIANT* end) {
    VariantInit(end);
    return E_NOTIMPL;
}

HRESULT PictureAccessible::accHitTest(long x, long y, VARIANT* child) {
    VariantInit(child);
    if (!picture_) {
        return CO_E_OBJNOTCONNECTED;
    }
    RECT place{};
    GetWindowRect(picture_->hwnd(), &place);
    if (x < place.left || x >= place.right || y < place.top || y >= place.bottom) {
        return S_FALSE;
    }
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
}

// The click happens once the call has returned: an action never runs inside a screen reader's
// request.
HRESULT PictureAccessible::accDoDefaultAction(VARIANT child) {
    const HRESULT valid = check(child);
    if (FAILED(valid)) {
        return valid;
    }
    if (!picture_->clickable()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    PostMessageW(picture_->hwnd(), WM_APP, 0, 0);
    return S_OK;
}

HRESULT PictureAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT PictureAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace kalpeno::win32
