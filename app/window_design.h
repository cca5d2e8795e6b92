// The vocabulary of the windows' designs: what each kind of control is given when it is made.
// Rectangles are twips in the window's client area, converted to pixels at the window's DPI.
#pragma once

#include <string_view>

#include "controls/design_types.h"
#include "controls/label3d/label_properties.h"

namespace calmora {

struct WindowDesign {
  std::wstring_view caption;
  int clientWidth;  // twips
  int clientHeight;
};

struct TextBoxDesign {
  TwipsRect rect;
  int tabIndex;
  FontSpec font;
  Color backColor;
  Color foreColor;
};

struct ButtonDesign {
  std::wstring_view caption;
  TwipsRect rect;
  int tabIndex;
};

struct CheckBoxDesign {
  std::wstring_view caption;
  TwipsRect rect;
  int tabIndex;
};

struct LabelDesign {
  TwipsRect rect;
  int tabIndex;
  LabelPropertyBag properties;
  // A label that the window acts on when it is clicked is a link to accessibility clients.
  LabelRole role;
};

}  // namespace calmora
