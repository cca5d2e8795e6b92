#include "app/message_window/message_window_colors.h"

#include "app/message_window/calmora_form_design.h"

namespace calmora {

MessageWindowColors ChooseMessageWindowColors(bool highContrast, const SystemColors& system) {
  namespace design = calmora_form_design;
  if (!highContrast) {
    return {design::kBackColor,
            DesignColors(ParseLabelProperties(design::kCalmoraLabel.properties)),
            DesignColors(ParseLabelProperties(design::kYourTechLabel.properties)),
            design::kUserMessageText.backColor, design::kUserMessageText.foreColor};
  }
  return {system.window,
          {system.hotLight, system.window, std::nullopt},
          {system.windowText, system.window, std::nullopt},
          system.window,
          system.windowText};
}

}  // namespace calmora
