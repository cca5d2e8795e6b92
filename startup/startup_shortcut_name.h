// The startup shortcut's file name. The program makes and removes it in the current user's
// Startup folder; the package's uninstall looks for it in every profile's.
#pragma once

#include <string_view>

namespace calmora {

inline constexpr std::wstring_view kStartupShortcutFileName =
    L"Calmora - Display a Message from a Support Person.lnk";

}  // namespace calmora
