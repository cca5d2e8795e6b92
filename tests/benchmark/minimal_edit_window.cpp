// The floor the benchmark measures Calmora against: a Win32 program that does nothing but show
// one window with one multi-line edit box, with Calmora's manifest and its message box's size and
// font. Given a file, it reads it as ANSI text into the box before the window shows.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring ReadAnsiFile(const wchar_t* path) {
  const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  const int length = static_cast<int>(read);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), length);
  return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = L"MinimalEditWindow";
  RegisterClassExW(&windowClass);
  const HWND window =
      CreateWindowExW(0, L"MinimalEditWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 656, 492, nullptr, nullptr, instance, nullptr);
  // Calmora's message box at 96 dots per inch: 593 x 257 pixels, Arial 12 pt.
  const HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_EDITW, L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 24, 128,
      593, 257, window, nullptr, instance, nullptr);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  LOGFONTW font{};
  font.lfHeight = -MulDiv(12, static_cast<int>(GetDpiForWindow(window)), 72);
  font.lfWeight = FW_NORMAL;
  lstrcpyW(font.lfFaceName, L"Arial");
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectW(&font)), FALSE);
  std::wstring path = commandLine;
  if (path.size() > 1 && path.front() == L'"') path = path.substr(1, path.size() - 2);
  if (!path.empty()) SetWindowTextW(edit, ReadAnsiFile(path.c_str()).c_str());
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
