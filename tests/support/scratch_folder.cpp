#include "tests/support/scratch_folder.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace calmora::testing {

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  root_ = std::wstring(temp) + L"calmora-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  RemoveTree(root_);
  if (!CreateDirectoryW(root_.c_str(), nullptr)) throw std::runtime_error("no scratch folder");
}

ScratchFolder::~ScratchFolder() {
  RemoveTree(root_);
}

std::wstring ScratchFolder::Path(const std::wstring& name) const {
  return name.empty() ? root_ : root_ + L"\\" + name;
}

void ScratchFolder::Write(const std::wstring& name, const std::string& bytes) const {
  std::ofstream out(std::filesystem::path(Path(name)), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("scratch write failed");
}

std::string ScratchFolder::Read(const std::wstring& name) const {
  std::ifstream in(std::filesystem::path(Path(name)), std::ios::binary);
  if (!in) throw std::runtime_error("scratch file missing");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::wstring> ScratchFolder::Names(const std::wstring& folder) const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((Path(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace calmora::testing
