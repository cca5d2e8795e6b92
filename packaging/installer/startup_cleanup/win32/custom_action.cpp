// The custom action in the package's Binary table. Windows Installer runs it without
// impersonation, so as SYSTEM, on a full uninstall only, once the uninstall has succeeded (at
// commit; Calmora.exe is gone by then); CustomActionData names the Calmora.exe removed and the
// uninstalling user's AppData folder. Whatever happens, it reports success: a Startup shortcut
// that could not be cleaned must never fail the uninstall.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

#include "packaging/installer/startup_cleanup/startup_cleanup.h"
#include "packaging/installer/startup_cleanup/win32/win32_machine.h"
#include "platform/win32/com_ptr.h"

namespace {

using calmora::startup_cleanup::Describe;
using calmora::startup_cleanup::FolderReport;
using calmora::startup_cleanup::LogTemplate;
using calmora::startup_cleanup::ParseCustomActionData;
using calmora::startup_cleanup::RemoveStartupShortcuts;

// A line in the installation log (msiexec /l*v). The installer formats a record's text, its
// fields' values too, so the line goes in as the template, escaped: formatted once, on Windows
// as under Wine, it reads as it is.
void Log(MSIHANDLE install, const std::wstring& line) {
  // An MSI handle is a number, not a pointer: it has an owner of its own.
  struct Record {
    MSIHANDLE handle = MsiCreateRecord(1);
    Record() = default;
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    ~Record() {
      if (handle) MsiCloseHandle(handle);
    }
  } record;
  if (!record.handle) return;
  const std::wstring text = L"Calmora startup cleanup: " + LogTemplate(line);
  MsiRecordSetStringW(record.handle, 0, text.c_str());
  MsiProcessMessage(install, INSTALLMESSAGE_INFO, record.handle);
}

// The property in full, however long: a redirected AppData folder may be a deep path.
std::wstring CustomActionData(MSIHANDLE install) {
  std::wstring data(MAX_PATH * 2, L'\0');
  DWORD length = static_cast<DWORD>(data.size());
  // Too small, the call gives the length without the terminator, which the buffer needs too.
  UINT status = MsiGetPropertyW(install, L"CustomActionData", data.data(), &length);
  if (status == ERROR_MORE_DATA) {
    data.resize(++length);
    status = MsiGetPropertyW(install, L"CustomActionData", data.data(), &length);
  }
  if (status != ERROR_SUCCESS) return {};
  data.resize(length);
  return data;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall RemoveProfileStartupShortcuts(MSIHANDLE install) {
  try {
    const std::wstring data = CustomActionData(install);
    const auto request = ParseCustomActionData(data);
    if (!request) {
      Log(install, L"no program named in CustomActionData \"" + data + L"\"; nothing done");
      return ERROR_SUCCESS;
    }
    Log(install, L"removing the Startup shortcuts to " + request->program);
    const calmora::win32::ComApartment apartment;
    calmora::startup_cleanup::win32::Win32Machine machine(
        [install](const std::wstring& line) { Log(install, line); });
    for (const FolderReport& report : RemoveStartupShortcuts(machine, *request)) {
      Log(install, Describe(report));
    }
  } catch (...) {
    Log(install, L"stopped by an unexpected error; the uninstall goes on");
  }
  return ERROR_SUCCESS;
}
