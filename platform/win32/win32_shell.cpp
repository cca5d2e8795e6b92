#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

std::wstring StartupFolderPath(KNOWN_FOLDER_FLAG flags) {
  UniqueTaskMemString folder;
  CheckHresult(SHGetKnownFolderPath(FOLDERID_Startup, flags, nullptr, folder.put()));
  std::wstring path = folder.get();
  // The program joins its own "\" to the folder, so a drive root's backslash is dropped.
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

std::wstring Win32Shell::StartupFolder() const {
  // Named, not checked: a user without the folder has no shortcut to find or remove. Nor is it
  // made here, as a mere look must change nothing.
  return StartupFolderPath(KF_FLAG_DONT_VERIFY);
}

std::wstring Win32Shell::EnsureStartupFolder() {
  return StartupFolderPath(KF_FLAG_CREATE);
}

void Win32Shell::SaveShortcut(const std::wstring& linkPath, const ShortcutProperties& properties) {
  ComPtr<IShellLinkW> link;
  CheckHresult(
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.put())),
      linkPath);
  // The link object only holds these in memory; the file appears at Save.
  CheckHresult(link->SetPath(properties.targetPath.c_str()), linkPath);
  CheckHresult(link->SetIconLocation(properties.iconPath.c_str(), properties.iconIndex), linkPath);
  CheckHresult(link->SetDescription(properties.description.c_str()), linkPath);
  CheckHresult(link->SetWorkingDirectory(properties.workingDirectory.c_str()), linkPath);

  ComPtr<IPersistFile> file;
  CheckHresult(link->QueryInterface(IID_PPV_ARGS(file.put())), linkPath);
  CheckHresult(file->Save(linkPath.c_str(), TRUE), linkPath);
}

}  // namespace calmora::win32
