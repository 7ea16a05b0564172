// IAccessible for late-bound clients (scripts, some screen readers), which find its members through
// IDispatch: by name, and by DISPID with their parameters in a DISPPARAMS.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <oleacc.h>

namespace pm {

// The DISPID of the IAccessible member `name` (in any letter case), as oleacc's type library numbers them;
// DISPID_UNKNOWN for any other name.
DISPID accessible_member(const wchar_t* name);

// The child that a property get in `params` asks about, as VT_I4 in `child`: CHILDID_SELF where the one
// optional parameter is left out, the parameter converted by `change_type` otherwise. A DISP_E_ error for
// named parameters, too many or one of another type (`bad_argument` then names it).
HRESULT property_child(const DISPPARAMS* params, decltype(&VariantChangeType) change_type, VARIANT& child,
                       UINT* bad_argument);

}  // namespace pm
