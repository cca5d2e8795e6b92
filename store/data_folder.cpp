#include "store/data_folder.h"

namespace calmora {

std::wstring ResolveDataFolder(const Environment& environment) {
  std::wstring folder = environment.Read(L"ProgramData");
  if (folder.empty()) folder = environment.Read(L"AllUsersProfile") + L"\\Application Data";
  return folder;
}

std::wstring MessageFolderPath(std::wstring_view dataFolder) {
  return std::wstring(dataFolder) + L"\\Quillmoor";
}

std::wstring MessageFilePath(std::wstring_view dataFolder) {
  return std::wstring(dataFolder) + L"\\Quillmoor\\UserMessage.txt";
}

void EnsureMessageFolder(FileSystem& files, std::wstring_view dataFolder) {
  const std::wstring folder = MessageFolderPath(dataFolder);
  if (!files.FolderExists(folder)) files.CreateFolder(folder);
}

}  // namespace calmora
