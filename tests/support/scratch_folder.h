// A fresh folder under the temporary folder for one test, removed with everything in it.
#pragma once

#include <string>
#include <vector>

namespace calmora::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  std::wstring Path(const std::wstring& name = {}) const;
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::string Read(const std::wstring& name) const;
  // The names directly inside the folder, or inside `folder` within it, sorted.
  std::vector<std::wstring> Names(const std::wstring& folder = {}) const;

 private:
  std::wstring root_;
};

// Removes a folder and everything below it; missing is fine.
void RemoveTree(const std::wstring& path);

}  // namespace calmora::testing
