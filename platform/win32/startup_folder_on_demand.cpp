#include "platform/win32/startup_folder_on_demand.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

using UniqueModule = UniqueAny<HMODULE, FreeLibrary>;
using GetKnownFolderPath = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
using FreeTaskMemory = void(WINAPI*)(void*);

// From the system folder only, never from the program's folder or the current one.
UniqueModule LoadSystemLibrary(const wchar_t* name) {
  UniqueModule module(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!module) ThrowLastError(name);
  return module;
}

template <typename Function>
Function Find(const UniqueModule& module, const char* name) {
  const FARPROC found = GetProcAddress(module.get(), name);
  if (!found) ThrowLastError();
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

std::wstring StartupFolderOnDemand::StartupFolder() const {
  const UniqueModule shell32 = LoadSystemLibrary(L"shell32.dll");
  const UniqueModule ole32 = LoadSystemLibrary(L"ole32.dll");
  const auto getKnownFolderPath = Find<GetKnownFolderPath>(shell32, "SHGetKnownFolderPath");
  const auto freeTaskMemory = Find<FreeTaskMemory>(ole32, "CoTaskMemFree");
  PWSTR folder = nullptr;
  // Named, not checked or made, as Win32Shell names it for a look.
  const HRESULT result =
      getKnownFolderPath(FOLDERID_Startup, KF_FLAG_DONT_VERIFY, nullptr, &folder);
  std::wstring path = SUCCEEDED(result) && folder ? folder : L"";
  freeTaskMemory(folder);
  CheckHresult(result);
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring StartupFolderOnDemand::EnsureStartupFolder() {
  ThrowError(ERROR_NOT_SUPPORTED);
}

void StartupFolderOnDemand::SaveShortcut(const std::wstring&, const ShortcutProperties&) {
  ThrowError(ERROR_NOT_SUPPORTED);
}

}  // namespace calmora::win32
