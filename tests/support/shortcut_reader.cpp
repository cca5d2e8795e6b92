#include "tests/support/shortcut_reader.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "platform/win32/com_ptr.h"

namespace calmora::testing {
namespace {

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) throw std::runtime_error(std::string("reading a shortcut: ") + what);
}

}  // namespace

ShortcutProperties ReadShortcut(const std::wstring& linkPath) {
  win32::ComPtr<IShellLinkW> link;
  Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         link.put_void()),
        "CoCreateInstance");
  win32::ComPtr<IPersistFile> file;
  Check(link->QueryInterface(IID_IPersistFile, file.put_void()), "QueryInterface");
  Check(file->Load(linkPath.c_str(), STGM_READ), "Load");

  wchar_t target[MAX_PATH] = {};
  wchar_t icon[MAX_PATH] = {};
  wchar_t description[INFOTIPSIZE] = {};
  wchar_t workingDirectory[MAX_PATH] = {};
  int iconIndex = -1;
  // The raw path: as it was stored, with nothing expanded or resolved.
  Check(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH), "GetPath");
  Check(link->GetIconLocation(icon, MAX_PATH, &iconIndex), "GetIconLocation");
  Check(link->GetDescription(description, INFOTIPSIZE), "GetDescription");
  Check(link->GetWorkingDirectory(workingDirectory, MAX_PATH), "GetWorkingDirectory");
  return {target, icon, iconIndex, description, workingDirectory};
}

}  // namespace calmora::testing
