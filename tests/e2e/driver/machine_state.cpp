#include "tests/e2e/driver/machine_state.h"

#include <shlobj.h>

#include <stdexcept>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"

namespace calmora::e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmoor\\Calmora\\Settings";
// The program's settings live in the 32-bit view of HKEY_LOCAL_MACHINE.
constexpr REGSAM kView = KEY_WOW64_32KEY;
constexpr wchar_t kUserKey[] = L"SOFTWARE\\Quillmoor\\Calmora";
constexpr wchar_t kLastMessageShown[] = L"Last Message Shown";

}  // namespace

RegistryValue TextValue(std::string_view text) {
  RegistryValue value{REG_SZ, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

MachineState::MachineState() {
  Clean();
}

MachineState::~MachineState() {
  Clean();
}

void MachineState::Clean() {
  win32::UniqueRegistryKey software;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | kView, software.put()) ==
      ERROR_SUCCESS) {
    RegDeleteTreeW(software.get(), L"Quillmoor");
  }
  SetFileAttributesW(StartupShortcut().c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(StartupShortcut().c_str());
  DeleteLastMessageShown();
}

CalmoraProcess::EnvironmentChanges MachineState::Environment(
    CalmoraProcess::EnvironmentChanges changes) const {
  changes.emplace(L"ProgramData", data_.Path());
  return changes;
}

CalmoraProcess MachineState::Start(CalmoraProcess::EnvironmentChanges changes,
                                   std::wstring executable, std::wstring workingFolder) const {
  return CalmoraProcess(Environment(std::move(changes)), std::move(executable),
                        std::move(workingFolder));
}

std::wstring MachineState::MessageFolder() const {
  return data_.Path(L"Quillmoor");
}

std::wstring MachineState::MessageFile() const {
  return data_.Path(L"Quillmoor\\UserMessage.txt");
}

void MachineState::StoreMessage(const std::string& bytes) const {
  CreateDirectoryW(MessageFolder().c_str(), nullptr);
  data_.Write(L"Quillmoor\\UserMessage.txt", bytes);
}

std::string MachineState::StoredMessage() const {
  return data_.Read(L"Quillmoor\\UserMessage.txt");
}

bool MachineState::MessageFileExists() const {
  return GetFileAttributesW(MessageFile().c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME MachineState::MessageWriteTime() const {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  GetFileAttributesExW(MessageFile().c_str(), GetFileExInfoStandard, &attributes);
  return attributes.ftLastWriteTime;
}

std::vector<std::wstring> MachineState::MessageFolderNames() const {
  return data_.Names(L"Quillmoor");
}

std::wstring MachineState::StartupShortcut() {
  win32::UniqueTaskMemString folder;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, folder.put()))) {
    throw std::runtime_error("no Startup folder");
  }
  return std::wstring(folder.get()) + L"\\Calmora - Display a Message from a Support Person.lnk";
}

bool MachineState::ShortcutExists() {
  return GetFileAttributesW(StartupShortcut().c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MachineState::PlaceShortcut() {
  const win32::UniqueFile file(CreateFileW(StartupShortcut().c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot place the shortcut");
}

MachineState::ShortcutTarget MachineState::ReadShortcut() {
  const win32::ComApartment apartment;
  win32::ComPtr<IShellLinkW> link;
  win32::ComPtr<IPersistFile> file;
  ShortcutTarget target;
  wchar_t text[MAX_PATH] = {};
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(link.put()))) &&
      SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(file.put()))) &&
      SUCCEEDED(file->Load(StartupShortcut().c_str(), STGM_READ))) {
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) target.path = text;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) target.workingDirectory = text;
  }
  return target;
}

bool MachineState::SettingsKeyExists(const wchar_t* path) {
  win32::UniqueRegistryKey key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | kView, key.put()) == ERROR_SUCCESS;
}

std::optional<RegistryValue> MachineState::Setting() {
  win32::UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ | kView, key.put()) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegistryValue value{0, std::vector<std::uint8_t>(4096)};
  DWORD size = static_cast<DWORD>(value.data.size());
  // The ANSI function gives text back as the bytes the program stored through it.
  const LONG status = RegQueryValueExA(key.get(), "Remove From Startup on Login", nullptr,
                                       &value.type, value.data.data(), &size);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.data.resize(size);
  return value;
}

void MachineState::StoreSetting(const RegistryValue& value) {
  win32::UniqueRegistryKey key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS | kView,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create the settings key");
  }
  // The registry counts a text's terminating NUL when one follows the data in memory, even
  // past the size it was given: a non-NUL byte there keeps "Yes" without its NUL at 3 bytes.
  std::vector<std::uint8_t> buffer = value.data;
  buffer.push_back(0xFF);
  if (RegSetValueExA(key.get(), "Remove From Startup on Login", 0, value.type, buffer.data(),
                     static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot store the setting");
  }
}

void MachineState::DeleteSetting() {
  win32::UniqueRegistryKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_SET_VALUE | kView, key.put()) ==
      ERROR_SUCCESS) {
    RegDeleteValueW(key.get(), L"Remove From Startup on Login");
  }
}

std::optional<std::wstring> MachineState::LastMessageShown() {
  std::wstring text(256, L'\0');
  DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kUserKey, kLastMessageShown, RRF_RT_REG_SZ, nullptr,
                   text.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(size / sizeof(wchar_t) - 1);
  return text;
}

void MachineState::DeleteLastMessageShown() {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kUserKey, kLastMessageShown);
}

}  // namespace calmora::e2e
