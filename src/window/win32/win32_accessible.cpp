#include "window/win32/win32_accessible.h"

#include <new>
#include <optional>
#include <string>

#include "platform/win32/win32_api.h"
#include "window/win32/win32_accessible_children.h"
#include "window/win32/win32_accessible_dispatch.h"
#include "window/win32/win32_control.h"

namespace pm {

namespace {

// Active Accessibility and COM come in with the first request of a screen reader, not as imports: most
// starts never see one, and oleacc with the DLLs it brings along would add to every start's time and
// memory. Loaded once, kept to the end (objects handed out may outlive any window).
struct Api {
    decltype(&CreateStdAccessibleObject) create_standard = nullptr;
    decltype(&LresultFromObject) lresult_from_object = nullptr;
    decltype(&SysAllocStringLen) alloc_string = nullptr;
    decltype(&VariantClear) variant_clear = nullptr;
    decltype(&VariantChangeType) variant_change_type = nullptr;
    ObjectFromWindowFn object_from_window = nullptr;

    bool complete() const {
        return create_standard && lresult_from_object && alloc_string && variant_clear &&
               variant_change_type && object_from_window;
    }
};

// Null when the system lacks any of it; the system's own objects answer then.
const Api* api() {
    static const Api loaded = [] {
        Api a;
        HMODULE oleacc = win32::system_library(L"oleacc.dll");
        HMODULE oleaut32 = win32::system_library(L"oleaut32.dll");
        a.create_standard =
            win32::library_function<decltype(a.create_standard)>(oleacc, "CreateStdAccessibleObject");
        a.lresult_from_object =
            win32::library_function<decltype(a.lresult_from_object)>(oleacc, "LresultFromObject");
        a.object_from_window =
            win32::library_function<decltype(a.object_from_window)>(oleacc, "AccessibleObjectFromWindow");
        a.alloc_string = win32::library_function<decltype(a.alloc_string)>(oleaut32, "SysAllocStringLen");
        a.variant_clear = win32::library_function<decltype(a.variant_clear)>(oleaut32, "VariantClear");
        a.variant_change_type =
            win32::library_function<decltype(a.variant_change_type)>(oleaut32, "VariantChangeType");
        return a;
    }();
    return loaded.complete() ? &loaded : nullptr;
}

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// VariantInit, without oleaut32: an empty VARIANT is all that it makes.
void make_empty(VARIANT& v) {
    v.vt = VT_EMPTY;
}

// A BSTR for the caller to free; S_FALSE for an empty text, as MSAA has it.
HRESULT give_text(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = api()->alloc_string(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

LRESULT Win32Accessible::answer(HWND window, WPARAM wparam) {
    if (!Win32Control::served_by(window)) return 0;
    const Api* system = api();
    if (!system) return 0;
    win32::enter_com();
    IAccessible* standard = nullptr;
    if (FAILED(system->create_standard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))) ||
        !standard) {
        return 0;
    }
    auto* object = new (std::nothrow) Win32Accessible(window, standard);
    if (!object) {
        standard->Release();
        return 0;
    }
    // LresultFromObject takes a reference of its own for the client; a new object is made for every
    // request, so the window keeps none.
    const LRESULT result =
        system->lresult_from_object(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(object));
    object->Release();
    return result > 0 ? result : 0;
}

Win32Accessible::Win32Accessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}

Win32Accessible::~Win32Accessible() {
    standard_->Release();
}

HRESULT Win32Accessible::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
    } else if (iid == __uuidof(IEnumVARIANT)) {
        // Clients get the child windows only through an enumerator: get_accChild answers nothing for them.
        *object = new_child_windows(window_, static_cast<IAccessible*>(this), api()->object_from_window);
        return *object ? S_OK : E_OUTOFMEMORY;
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG Win32Accessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG Win32Accessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT Win32Accessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT Win32Accessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

// Late-bound clients find IAccessible's members by name. Parameters have no names here.
HRESULT Win32Accessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID{}) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    ids[0] = accessible_member(names[0]);
    return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// The properties the control answers are read through our own methods, as through the vtable; the rest,
// the standard object's anyway, goes to it.
HRESULT Win32Accessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT* bad_argument) {
    const bool own =
        id == DISPID_ACC_NAME || id == DISPID_ACC_VALUE || id == DISPID_ACC_ROLE || id == DISPID_ACC_STATE;
    if (!own || !(flags & DISPATCH_PROPERTYGET)) {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, bad_argument);
    }
    if (iid != IID{}) return DISP_E_UNKNOWNINTERFACE;
    VARIANT child;
    const HRESULT asked = property_child(params, api()->variant_change_type, child, bad_argument);
    if (FAILED(asked)) return asked;
    VARIANT answer;
    make_empty(answer);
    HRESULT got = E_UNEXPECTED;
    if (id == DISPID_ACC_NAME || id == DISPID_ACC_VALUE) {
        answer.vt = VT_BSTR;
        answer.bstrVal = nullptr;  // an empty text where the method gives none
        got = id == DISPID_ACC_NAME ? get_accName(child, &answer.bstrVal)
                                    : get_accValue(child, &answer.bstrVal);
    } else {
        got = id == DISPID_ACC_ROLE ? get_accRole(child, &answer) : get_accState(child, &answer);
    }
    if (FAILED(got) || !result) {
        api()->variant_clear(&answer);
        return FAILED(got) ? got : S_OK;
    }
    *result = answer;
    return S_OK;
}

// The control whose own window this object serves, when `child` is the object itself; null for a child
// and for a part (a combo box's field), which the standard object describes.
const Win32Control* Win32Accessible::own_control(const VARIANT& child) const {
    const Win32Control* control = is_self(child) ? Win32Control::served_by(window_) : nullptr;
    return control && control->hwnd() == window_ ? control : nullptr;
}

// A combo box's field (a part) is named after the combo box and is otherwise the system's edit box.
HRESULT Win32Accessible::get_accName(VARIANT child, BSTR* name) {
    if (!is_self(child)) return standard_->get_accName(child, name);
    const Win32Control* control = Win32Control::served_by(window_);
    if (!control) return CO_E_OBJNOTCONNECTED;
    return give_text(control->accessible_name(), name);
}

HRESULT Win32Accessible::get_accRole(VARIANT child, VARIANT* role) {
    const Win32Control* control = own_control(child);
    if (!control) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    make_empty(*role);
    role->vt = VT_I4;
    role->lVal = control->accessible_role();
    return S_OK;
}

HRESULT Win32Accessible::get_accValue(VARIANT child, BSTR* value) {
    const Win32Control* control = own_control(child);
    if (!control) return standard_->get_accValue(child, value);
    const std::optional<std::u16string> own = control->accessible_value();
    if (!own) return standard_->get_accValue(child, value);
    return give_text(*own, value);
}

HRESULT Win32Accessible::get_accState(VARIANT child, VARIANT* state) {
    const Win32Control* control = own_control(child);
    if (!control) return standard_->get_accState(child, state);
    if (!state) return E_POINTER;
    VARIANT system;
    make_empty(system);
    const LONG known =
        SUCCEEDED(standard_->get_accState(child, &system)) && system.vt == VT_I4 ? system.lVal : 0;
    api()->variant_clear(&system);
    make_empty(*state);
    state->vt = VT_I4;
    state->lVal = control->accessible_state(known);
    return S_OK;
}

HRESULT Win32Accessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT Win32Accessible::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}
HRESULT Win32Accessible::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}
HRESULT Win32Accessible::get_accDescription(VARIANT child, BSTR* description) {
    return standard_->get_accDescription(child, description);
}
HRESULT Win32Accessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT Win32Accessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT Win32Accessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT Win32Accessible::get_accFocus(VARIANT* focus) {
    return standard_->get_accFocus(focus);
}
HRESULT Win32Accessible::get_accSelection(VARIANT* selection) {
    return standard_->get_accSelection(selection);
}
HRESULT Win32Accessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT Win32Accessible::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT Win32Accessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT Win32Accessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT Win32Accessible::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT Win32Accessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT Win32Accessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT Win32Accessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

HRESULT Win32Accessible::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}
HRESULT Win32Accessible::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

}  // namespace pm
