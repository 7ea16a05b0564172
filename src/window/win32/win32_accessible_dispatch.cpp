#include "window/win32/win32_accessible_dispatch.h"

namespace pm {

DISPID accessible_member(const wchar_t* name) {
    static constexpr struct {
        const wchar_t* name;
        DISPID id;
    } members[] = {
        {L"accParent", DISPID_ACC_PARENT},
        {L"accChildCount", DISPID_ACC_CHILDCOUNT},
        {L"accChild", DISPID_ACC_CHILD},
        {L"accName", DISPID_ACC_NAME},
        {L"accValue", DISPID_ACC_VALUE},
        {L"accDescription", DISPID_ACC_DESCRIPTION},
        {L"accRole", DISPID_ACC_ROLE},
        {L"accState", DISPID_ACC_STATE},
        {L"accHelp", DISPID_ACC_HELP},
        {L"accHelpTopic", DISPID_ACC_HELPTOPIC},
        {L"accKeyboardShortcut", DISPID_ACC_KEYBOARDSHORTCUT},
        {L"accFocus", DISPID_ACC_FOCUS},
        {L"accSelection", DISPID_ACC_SELECTION},
        {L"accDefaultAction", DISPID_ACC_DEFAULTACTION},
        {L"accSelect", DISPID_ACC_SELECT},
        {L"accLocation", DISPID_ACC_LOCATION},
        {L"accNavigate", DISPID_ACC_NAVIGATE},
        {L"accHitTest", DISPID_ACC_HITTEST},
        {L"accDoDefaultAction", DISPID_ACC_DODEFAULTACTION},
    };
    if (!name) return DISPID_UNKNOWN;
    for (const auto& member : members) {
        if (CompareStringOrdinal(name, -1, member.name, -1, TRUE) == CSTR_EQUAL) return member.id;
    }
    return DISPID_UNKNOWN;
}

HRESULT property_child(const DISPPARAMS* params, decltype(&VariantChangeType) change_type, VARIANT& child,
                       UINT* bad_argument) {
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    if (!params) return E_INVALIDARG;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params->cArgs > 1) return DISP_E_BADPARAMCOUNT;
    if (params->cArgs == 0) return S_OK;
    // Passed by reference (as VBScript does with a variable), or left out as DISPATCH's optional parameters
    // are: VT_ERROR with DISP_E_PARAMNOTFOUND.
    VARIANT* given = params->rgvarg;  // not const: mingw-w64 declares VariantChangeType without it
    if (given->vt == (VT_BYREF | VT_VARIANT) && given->pvarVal) given = given->pvarVal;
    if (given->vt == VT_EMPTY || (given->vt == VT_ERROR && given->scode == DISP_E_PARAMNOTFOUND)) return S_OK;
    VARIANT converted;
    converted.vt = VT_EMPTY;
    if (FAILED(change_type(&converted, given, 0, VT_I4))) {
        if (bad_argument) *bad_argument = 0;
        return DISP_E_TYPEMISMATCH;
    }
    child = converted;
    return S_OK;
}

}  // namespace pm
