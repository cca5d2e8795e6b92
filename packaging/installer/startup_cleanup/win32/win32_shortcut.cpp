#include "packaging/installer/startup_cleanup/win32/win32_shortcut.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cwchar>
#include <iterator>
#include <vector>

#include "packaging/installer/startup_cleanup/win32/full_path.h"
#include "packaging/installer/startup_cleanup/win32/open_without_links.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::startup_cleanup::win32 {
namespace {

using calmora::win32::ComPtr;
using calmora::win32::SystemErrorText;
using calmora::win32::UniqueFile;

// A shortcut is a few kilobytes; a larger file of that name is no shortcut of Calmora's, and is
// not worth SYSTEM's memory.
constexpr DWORD kLargestShortcut = 64 * 1024;

std::wstring Because(DWORD error) {
  return L": error " + std::to_wstring(error) + L", " + SystemErrorText(error);
}

std::wstring HexCode(HRESULT result) {
  wchar_t code[16];
  swprintf(code, std::size(code), L"0x%08lX", static_cast<unsigned long>(result));
  return code;
}

class Win32OpenShortcut final : public OpenShortcut {
 public:
  Win32OpenShortcut(UniqueFile file, std::wstring path, Log log)
      : file_(std::move(file)), path_(std::move(path)), log_(std::move(log)) {}

  bool IsLink() override {
    BY_HANDLE_FILE_INFORMATION info{};
    // Unknown counts as a link: the file is then left alone.
    return !GetFileInformationByHandle(file_.get(), &info) ||
           (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || info.nNumberOfLinks > 1;
  }

  std::wstring FinalPath() override { return startup_cleanup::win32::FinalPath(file_.get()); }

  std::optional<std::wstring> Target() override {
    std::vector<BYTE> bytes;
    if (const std::optional<std::wstring> refusal = ReadAll(bytes)) {
      log_(L"skipped " + path_ + L": " + *refusal);
      return std::nullopt;
    }
    ComPtr<IStream> stream;
    *stream.put() = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistStream> persist;
    HRESULT result = stream ? S_OK : E_OUTOFMEMORY;
    if (SUCCEEDED(result)) {
      result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(link.put()));
    }
    if (SUCCEEDED(result)) result = link->QueryInterface(IID_PPV_ARGS(persist.put()));
    if (SUCCEEDED(result)) result = persist->Load(stream.get());
    // Only read, never resolved: nothing is searched for.
    std::wstring target(32768, L'\0');
    if (SUCCEEDED(result)) {
      result = link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0);
    }
    target.resize(wcsnlen(target.c_str(), target.size()));
    if (result != S_OK || target.empty()) {
      log_(L"skipped " + path_ + L": not readable as a shortcut to a file (" + HexCode(result) +
           L")");
      return std::nullopt;
    }
    return target;
  }

  std::uint32_t Delete() override {
    // The name goes when the handle closes; nobody else has the file open for writing or
    // deleting meanwhile, as the share mode allowed readers only.
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(file_.get(), FileDispositionInfo, &disposition,
                                      sizeof disposition)
               ? ERROR_SUCCESS
               : GetLastError();
  }

 private:
  // The whole file from the start, or why not.
  std::optional<std::wstring> ReadAll(std::vector<BYTE>& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size)) {
      return L"its size cannot be read" + Because(GetLastError());
    }
    if (size.QuadPart > kLargestShortcut) return L"larger than any shortcut";
    // One byte more than the size said: a file that grew anyway is noticed, not read on.
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    DWORD total = 0;
    for (DWORD read = 1; read != 0 && total < bytes.size(); total += read) {
      if (!ReadFile(file_.get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total,
                    &read, nullptr)) {
        return L"cannot be read" + Because(GetLastError());
      }
    }
    if (total == bytes.size()) return L"it changed while it was read";
    bytes.resize(total);
    return std::nullopt;
  }

  UniqueFile file_;
  std::wstring path_;
  Log log_;
};

}  // namespace

OpenedShortcut OpenShortcutFile(const std::wstring& path, const Log& log) {
  // DELETE now, so that the file deleted is the file checked; readers only beside it, so that
  // nobody writes, renames or deletes it meanwhile.
  OpenedWithoutLinks opened =
      OpenWithoutFollowingLinks(path, GENERIC_READ | DELETE, FILE_SHARE_READ);
  if (!opened.link.empty()) {
    return {nullptr, OpenedShortcut::Refusal::kLinkOnTheWay, std::move(opened.link)};
  }
  if (opened.oplocked) return {nullptr, OpenedShortcut::Refusal::kOplocked};
  if (!opened.file) {
    // Most profiles have no such shortcut, and many no such folder: nothing to report.
    if (opened.error != ERROR_FILE_NOT_FOUND && opened.error != ERROR_PATH_NOT_FOUND) {
      log(L"skipped " + path + L": cannot be opened" + Because(opened.error));
    }
    return {};
  }
  return {std::make_unique<Win32OpenShortcut>(std::move(opened.file), path, log)};
}

}  // namespace calmora::startup_cleanup::win32
