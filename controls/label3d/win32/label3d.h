// The 3-D label: a child window that draws its caption with a 3-D effect, takes its design as
// a property bag, tells its parent about clicks, and carries its caption as its window text.
// Screen readers and UI automation read it as what its design says it is (label3d_accessible.h).
#pragma once

#include <windows.h>

#include "controls/label3d/label_appearance.h"
#include "controls/label3d/label_properties.h"

namespace calmora::win32 {

// The WM_COMMAND notification code a label sends its parent when the user clicks it.
inline constexpr WORD kLabelClicked = 0;

// Creates a label at `bounds` (pixels in the parent's client area) for a parent shown at `dpi`.
// The label keeps its own copy of what the bag says. A bag it cannot accept (an unknown name,
// a value of the wrong type) is a RuntimeError.
HWND CreateLabel3d(HWND parent, int controlId, const RECT& bounds, LabelPropertyBag properties,
                   LabelRole role, UINT dpi);

// The label builds its font again at `dpi`: for a monitor with another DPI, or for a font that
// has been added to the process since.
void ReloadLabel3dFont(HWND label, UINT dpi);

// The label draws in `colors` from now on instead of its design's (DesignColors gives those back).
void SetLabel3dColors(HWND label, const LabelColors& colors);

// Clicks the label once the current message is done, as the mouse would: its parent hears of it
// then. False when the label is gone.
bool PostLabel3dClick(HWND label);

}  // namespace calmora::win32
