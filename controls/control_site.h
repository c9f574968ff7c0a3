// What a hosting window tells a control about the place it gives it.
#pragma once

#include <string>

#include "controls/font_style.h"

namespace controls {

struct ControlSite {
  // The instance's name ("cmdStart"): a new Button's caption, and its caption
  // when a stored layout has none.
  std::string name;
  // The host's font: the Font of a control whose stored layout has none.
  FontSpec font;
  // Run mode; false while the host's layout is being designed.
  bool userMode = true;
  // The DPI the host lays itself out at; 0: the window's own.
  unsigned dpi = 0;
};

}  // namespace controls
