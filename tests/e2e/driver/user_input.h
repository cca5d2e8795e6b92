// Real mouse clicks and key presses, through the system's input queue as a person makes them.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace calmora::e2e {

void ClickAt(POINT screen);
// Clicks the middle of a window or control.
void Click(HWND window);
void PressKey(WORD virtualKey);
// Holds the keys down in order and lets them go in reverse, as in Alt+F4.
void PressChord(std::initializer_list<WORD> keys);
// Types text character by character; "\r\n" and "\n" are typed as the Enter key.
void TypeText(std::wstring_view text);

}  // namespace calmora::e2e
