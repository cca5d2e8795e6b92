// Files and folders through kernel32's wide-character functions.
#pragma once

#include "platform/file_system.h"

namespace calmora::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  bool FolderExists(const std::wstring& path) const override;
  bool FileExists(const std::wstring& path) const override;
  void CreateFolder(const std::wstring& path) override;
  void Copy(const std::wstring& source, const std::wstring& destination) override;
  void Delete(const std::wstring& path) override;
  std::unique_ptr<ByteReader> OpenForReading(const std::wstring& path) override;
  void ReplaceContents(const std::wstring& path, std::string_view bytes) override;
  bool CreateEmptyFileIfNone(const std::wstring& path) override;
};

}  // namespace calmora::win32
