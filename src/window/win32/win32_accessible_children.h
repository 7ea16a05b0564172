// The children of a control's window as clients walk them (AccessibleChildren): the client object of each
// shown child window, which is ours where a control has it. The standard object's own enumerator hands
// out the children's window objects, which know nothing of the controls.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <oleacc.h>

namespace pm {

using ObjectFromWindowFn = decltype(&AccessibleObjectFromWindow);

// A new enumerator of `parent`'s shown child windows, with one reference for the caller; null when memory
// runs out. It is a part of `owner`, the accessible object of `parent`, and keeps it: asked for any
// interface but IEnumVARIANT it answers as `owner`, so that a client that got the enumerator from the
// object can get back from it to the object, and both have one identity (IUnknown).
IEnumVARIANT* new_child_windows(HWND parent, IUnknown* owner, ObjectFromWindowFn object_from_window);

}  // namespace pm
