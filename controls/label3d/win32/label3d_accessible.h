// What accessibility clients read of a 3-D label, and of a control that a label names where the
// system cannot annotate the control's own object (Wine): the system's own proxy for the window's
// client area, with the name, the role, a link's state and default action answered here, alike
// for clients bound early and late. Clients in other processes get it through WM_GETOBJECT.
#pragma once

#include <windows.h>

#include "controls/label3d/label_properties.h"

namespace calmora::win32 {

// True when WM_GETOBJECT's object id asks for the window's client area.
bool AsksForClientObject(LPARAM objectId);

// The answer to WM_GETOBJECT for the client area of `label`: named by its caption; a link, linked
// and with clicking it as its default action, or static text, as `role` says. Zero when no object
// could be made: the client then falls back to the system's proxy.
LRESULT LabelAccessibleObject(HWND label, WPARAM flags, LabelRole role);

// The same for a control that `label` names, as a standard label names the control after it:
// its name is the label's caption, and everything else is what the system says of the control.
LRESULT LabelledAccessibleObject(HWND control, WPARAM flags, HWND label);

}  // namespace calmora::win32
