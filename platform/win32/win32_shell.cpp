#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {

std::wstring Win32Shell::StartupFolder() const {
  UniqueTaskMemString folder;
  // The folder is named, not checked: a user without one then has no shortcut to find or remove,
  // and only a save into it fails. Nor is it made here, as a mere look must change nothing.
  CheckHresult(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DONT_VERIFY, nullptr, folder.put()));
  std::wstring path = folder.get();
  // The program joins its own "\" to the folder, so a drive root's backslash is dropped.
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
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
