// The message window's colours: the design's own, or in a high-contrast theme the theme's.
#pragma once

#include "controls/design_types.h"
#include "controls/label3d/label_appearance.h"

namespace calmora {

// The system colours that a high-contrast theme sets and the message window paints with.
struct SystemColors {
  Color window;      // COLOR_WINDOW
  Color windowText;  // COLOR_WINDOWTEXT
  Color hotLight;    // COLOR_HOTLIGHT, the colour of what a click acts on
};

struct MessageWindowColors {
  Color window;
  LabelColors heading;
  LabelColors subHeading;
  Color messageBoxBack;
  Color messageBoxText;
  bool operator==(const MessageWindowColors&) const = default;
};

// Without high contrast, exactly the design's colours. With it, the theme's: the window and the
// message box in its window colours, the heading in its link colour and the sub-heading in its
// text colour, both flat, since a 3-D effect in the theme's few colours would only blur them.
MessageWindowColors ChooseMessageWindowColors(bool highContrast, const SystemColors& system);

}  // namespace calmora
