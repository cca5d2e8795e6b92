// The atomic save. Renaming a complete temporary file over the old one is the only step that
// changes what the path holds, and a rename that replaces is atomic, unlike ReplaceFileW, which
// under Wine is two renames with the file missing in between. ReplaceFileW also kept the old
// file's security descriptor and attributes: the temporary file is given those instead, the
// descriptor exactly as it was, so that a save never changes who may read the message or whose it
// is. It gets them before it holds a byte of the new text: a save killed halfway leaves that text
// readable only by those who could read the old.
//
// The message folder may belong to a standard user, who can swap it for a link at any moment
// while an administrator's save runs. So the folder is opened once, refused when it is a link or
// leads elsewhere, and every step after that goes through its handle, never by its path again.
#include "platform/win32/file_replacement.h"

#include <windows.h>

#include <sddl.h>
#include <winternl.h>

#include <algorithm>
#include <memory>

#include "platform/win32/opened_folder.h"
#include "platform/win32/scoped_privilege.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"

namespace calmora::win32 {
namespace {

constexpr std::wstring_view kTemporarySuffix = L".saving";
// What a temporary file takes on of the old file's attributes; read-only is not among them. The
// archive attribute is set on every saved file instead, so that backups see the change.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Another program may hold the old file open for a moment (a second Calmora starting, a virus
// scanner): the rename is tried again for up to this long before the save fails.
constexpr int kRenameAttempts = 20;
constexpr DWORD kRenamePause = 25;
// What a save keeps of the old file's security descriptor: all but the audit list, which only
// SeSecurityPrivilege may read.
constexpr SECURITY_INFORMATION kKeptSecurity =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

// What the old file is besides its bytes: its attributes, and its security descriptor (owner,
// group, access list and the access list's control flags), self-relative.
struct Identity {
  DWORD attributes = 0;
  UniqueLocalMemory security;
};

// Nothing when there is no file yet: a first save has nothing to keep. A link at the name is
// read as itself: the rename replaces the link, not what it points to.
std::unique_ptr<Identity> ReadIdentity(const OpenedFolder& folder, const std::wstring& name) {
  const std::wstring path = folder.PathOf(name);
  DWORD error = ERROR_SUCCESS;
  const UniqueFile file =
      folder.Open(name,
                  {READ_CONTROL | FILE_READ_ATTRIBUTES,
                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN},
                  error);
  if (!file) {
    if (error == ERROR_FILE_NOT_FOUND) return nullptr;
    ThrowError(error, path);
  }
  auto identity = std::make_unique<Identity>();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) ThrowLastError(path);
  identity->attributes = info.dwFileAttributes;
  DWORD size = 0;
  GetKernelObjectSecurity(file.get(), kKeptSecurity, nullptr, 0, &size);
  identity->security.reset(LocalAlloc(LMEM_FIXED, size));
  if (!identity->security ||
      !GetKernelObjectSecurity(file.get(), kKeptSecurity, identity->security.get(), size, &size)) {
    ThrowLastError(path);
  }
  return identity;
}

// An access list that lets the saving account alone in: what a temporary file is born with when
// it is to take on an old file's security, so that no one else can open it before it has that
// security, and the saver can still clear it away when the save is killed in between.
UniqueLocalMemory SaverOnlySecurity() {
  UniqueHandle token;
  alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  wchar_t* sid = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) ||
      !GetTokenInformation(token.get(), TokenUser, user, sizeof user, &size) ||
      !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid)) {
    ThrowLastError();
  }
  const UniqueLocalMemory sidText(sid);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const std::wstring saverOnly = L"D:P(A;;FA;;;" + std::wstring(sid) + L")";
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(saverOnly.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    ThrowLastError();
  }
  return UniqueLocalMemory(descriptor);
}

// The temporary file, open for writing and renaming, shared with no one: another process
// clearing leftovers cannot delete it while this save is in progress. Deleted when the save does
// not get as far as the rename.
class TemporaryFile {
 public:
  // `saverOnly` keeps everyone but the saver out until the file is given a security of its own;
  // without it, the file gets the folder's inherited security.
  TemporaryFile(const OpenedFolder& folder, const std::wstring& name, bool saverOnly) {
    const UniqueLocalMemory born = saverOnly ? SaverOnlySecurity() : UniqueLocalMemory();
    ULONGLONG stamp = GetTickCount64();
    for (;;) {
      const std::wstring temporary = name + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(stamp) + std::wstring(kTemporarySuffix);
      // Its creator gets the access asked for, whatever the new file's access list says. A link
      // that another user left at the name is not followed: the name counts as taken.
      DWORD error = ERROR_SUCCESS;
      file_ = folder.Open(temporary,
                          {GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC | WRITE_OWNER, 0,
                           FILE_CREATE, FILE_ATTRIBUTE_NORMAL, born.get()},
                          error);
      if (file_) return;
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        ThrowError(error, folder.PathOf(name));
      }
      ++stamp;
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  // Where it cannot be marked for deletion, the next save clears it.
  ~TemporaryFile() {
    if (!file_) return;
    FILE_DISPOSITION_INFO dispose{TRUE};
    SetFileInformationByHandle(file_.get(), FileDispositionInfo, &dispose, sizeof dispose);
  }

  HANDLE get() const { return file_.get(); }

  // After the rename the file is the saved file: it is closed, and no longer deleted.
  void Keep(const std::wstring& path) {
    if (!CloseHandle(file_.release())) ThrowLastError(path);
  }

 private:
  UniqueFile file_;
};

void WriteAll(HANDLE file, std::string_view bytes, const std::wstring& path) {
  while (!bytes.empty()) {
    const DWORD asked = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), asked, &written, nullptr)) ThrowLastError(path);
    // A short write (a full disk, a quota) is a failed save, not a shorter message.
    if (written != asked) ThrowError(ERROR_HANDLE_DISK_FULL, path);
    bytes.remove_prefix(written);
  }
}

void TakeOnIdentity(const TemporaryFile& temporary, const Identity* old, const std::wstring& path) {
  FILE_BASIC_INFO basic{};  // zero times: left as they are
  basic.FileAttributes = (old ? old->attributes & kKeptAttributes : 0) | FILE_ATTRIBUTE_ARCHIVE;
  if (!SetFileInformationByHandle(temporary.get(), FileBasicInfo, &basic, sizeof basic)) {
    ThrowLastError(path);
  }
  if (!old) return;
  // A volume without access lists (FAT on a stick, say) has no security to keep.
  DWORD volumeFlags = 0;
  if (GetVolumeInformationByHandleW(temporary.get(), nullptr, 0, nullptr, nullptr, &volumeFlags,
                                    nullptr, 0) &&
      !(volumeFlags & FILE_PERSISTENT_ACLS)) {
    return;
  }
  // The old descriptor is set as it is, by handle: its inherited entries and its protected and
  // auto-inherited flags stay as they were, and nothing is worked out afresh from the folder.
  // Giving the file an owner other than the saver takes SeRestorePrivilege switched on, which even
  // an administrator's token has off: it is on for this one call where the token holds it
  // (administrators, backup operators, SYSTEM).
  const PSECURITY_DESCRIPTOR descriptor = old->security.get();
  {
    const ScopedPrivilege restore(SE_RESTORE_NAME);
    if (SetKernelObjectSecurity(temporary.get(), kKeptSecurity, descriptor)) return;
  }
  // For anyone else the new file stays theirs, with the old group and access list unchanged, so
  // that nobody loses the access they had.
  if (!SetKernelObjectSecurity(
          temporary.get(), GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor)) {
    ThrowLastError(path);
  }
}

// POSIX semantics let the rename replace a file that another program has open for reading;
// where the system does not offer them (before Windows 10 1709, Wine), a plain replacing rename.
constexpr DWORD kReplacePosixStyle =
    FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;

void RenameInOneStep(HANDLE file, const OpenedFolder& folder, const std::wstring& name) {
  for (int attempt = 1;; ++attempt) {
    DWORD error = folder.MoveHere(file, name, kReplacePosixStyle);
    if (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
        error == ERROR_INVALID_FUNCTION) {
      error = folder.MoveHere(file, name, 0);
    }
    if (error == ERROR_SUCCESS) return;
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!held || attempt == kRenameAttempts) ThrowError(error, folder.PathOf(name));
    Sleep(kRenamePause);
  }
}

bool IsNumber(std::wstring_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// "<name>.<digits>-<digits>.saving": the only names this program's saves give their files.
bool IsTemporaryName(std::wstring_view candidate, const std::wstring& fileName) {
  const std::wstring prefix = fileName + L".";
  if (candidate.size() <= prefix.size() + kTemporarySuffix.size() ||
      !candidate.starts_with(prefix) || !candidate.ends_with(kTemporarySuffix)) {
    return false;
  }
  candidate.remove_prefix(prefix.size());
  candidate.remove_suffix(kTemporarySuffix.size());
  const auto dash = candidate.find(L'-');
  return dash != std::wstring_view::npos && IsNumber(candidate.substr(0, dash)) &&
         IsNumber(candidate.substr(dash + 1));
}

// A save in progress keeps its file open and unshared, so opening it to delete it fails and it is
// left be. What remains are the files of saves that were killed.
void RemoveLeftovers(const OpenedFolder& folder, const std::wstring& fileName) {
  // A link is opened and deleted itself, never what it points to, and a folder is not opened at
  // all, so a name that another user planted here can cost them only that name. Under Wine a Unix
  // link opens what it points to: its final path is elsewhere, and it is left be.
  for (const std::wstring& name : folder.FileNames()) {
    if (!IsTemporaryName(name, fileName)) continue;
    DWORD error = ERROR_SUCCESS;
    const UniqueFile leftover = folder.Open(
        name, {DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN}, error);
    if (!leftover || !folder.Holds(leftover.get(), name)) continue;
    FILE_DISPOSITION_INFO dispose{TRUE};
    SetFileInformationByHandle(leftover.get(), FileDispositionInfo, &dispose, sizeof dispose);
  }
}

}  // namespace

void ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  const auto [folderPath, name] = SplitPath(path);
  const OpenedFolder folder(folderPath);
  const std::unique_ptr<Identity> old = ReadIdentity(folder, name);
  // Windows refuses to rename over a read-only file, and so does this program everywhere: a file
  // someone marked read-only is not replaced.
  if (old && (old->attributes & FILE_ATTRIBUTE_READONLY)) ThrowError(ERROR_ACCESS_DENIED, path);
  TemporaryFile temporary(folder, name, old != nullptr);
  TakeOnIdentity(temporary, old.get(), path);
  WriteAll(temporary.get(), bytes, path);
  if (!FlushFileBuffers(temporary.get())) ThrowLastError(path);
  RenameInOneStep(temporary.get(), folder, name);
  // The rename reaches the disk before the save counts as done.
  FlushFileBuffers(temporary.get());
  temporary.Keep(path);
  RemoveLeftovers(folder, name);
}

bool CreateEmptyFileIfNone(const std::wstring& path) {
  const auto [folderPath, name] = SplitPath(path);
  const OpenedFolder folder(folderPath);
  // FILE_CREATE: the test for a file and the making of one are a single step of the file system.
  DWORD error = ERROR_SUCCESS;
  const UniqueFile file =
      folder.Open(name, {GENERIC_WRITE, 0, FILE_CREATE, FILE_ATTRIBUTE_ARCHIVE}, error);
  if (file) return true;
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
  ThrowError(error, path);
}

}  // namespace calmora::win32
