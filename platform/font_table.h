// The fonts that this process draws with.
#pragma once

#include <string>

namespace calmora {

class FontTable {
 public:
  virtual ~FontTable() = default;
  // Makes the faces in the font file available to this process alone: nothing is registered and
  // no other program is told. False when the file holds no font that can be loaded.
  virtual bool AddPrivateFont(const std::wstring& path) = 0;
};

}  // namespace calmora
