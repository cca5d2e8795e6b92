// The 3-D label: a child window that draws its caption with a 3-D effect, takes its design as
// a property bag, tells its parent about clicks, and carries its caption as its window text so
// that screen readers and UI automation find it by name.
#pragma once

#include <windows.h>

#include "controls/label3d/label_properties.h"

namespace calmora::win32 {

// The WM_COMMAND notification code a label sends its parent when the user clicks it.
inline constexpr WORD kLabelClicked = 0;

// Creates a label at `bounds` (pixels in the parent's client area) for a parent shown at `dpi`.
// The label keeps its own copy of what the bag says. A bag it cannot accept (an unknown name,
// a value of the wrong type) is a RuntimeError.
HWND CreateLabel3d(HWND parent, int controlId, const RECT& bounds, LabelPropertyBag properties,
                   UINT dpi);

// The label builds its font again at `dpi`: for a monitor with another DPI, or for a font that
// has been added to the process since.
void ReloadLabel3dFont(HWND label, UINT dpi);

}  // namespace calmora::win32
