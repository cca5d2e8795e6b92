// The program's way into the registry: a value read and written as text, and a key created.
// Callers name the root, the key path and the value; this module knows nothing of the program's
// own settings. A registry failure is never an error here: a read gives empty text, a write
// gives false and a key creation gives nothing.
#pragma once

#include <string>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/registry_api.h"

namespace calmora {

class Registry {
 public:
  Registry(RegistryApi& api, const AnsiCodePage& ansi);

  // Makes sure the key exists, creating every missing level; an existing key and its values are
  // left as they are.
  void CreateRegistryKey(RegistryKey root, std::wstring_view keyPath) const;

  // The value's text as `TextFromValueData` gives it; empty when the key or value is missing or
  // unreadable, or the data is longer than 1024 bytes.
  std::wstring ReadRegistryValue(RegistryKey root, std::wstring_view keyPath,
                                 std::wstring_view valueName) const;

  // Stores `text` in the value, keeping the type of an existing value and creating a missing one
  // as REG_SZ. True when the registry accepted the new data. False, with nothing written, when
  // the key is missing or may not be changed, when the existing or the new data is longer than
  // 1024 bytes, or when the text has no form of the value's type (see `ValueDataFromText`).
  bool WriteRegistryValue(RegistryKey root, std::wstring_view keyPath, std::wstring_view valueName,
                          std::wstring_view text) const;

 private:
  RegistryApi& api_;
  const AnsiCodePage& ansi_;
};

}  // namespace calmora
