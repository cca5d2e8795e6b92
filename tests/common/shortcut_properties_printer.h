// Shortcut properties shown field by field, rather than as raw bytes, when a comparison fails.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

#include "platform/shell.h"

namespace calmora {

inline void PrintTo(const ShortcutProperties& shortcut, std::ostream* out) {
  *out << ::testing::PrintToString(std::tuple(shortcut.targetPath, shortcut.iconPath,
                                              shortcut.iconIndex, shortcut.description,
                                              shortcut.workingDirectory));
}

}  // namespace calmora
