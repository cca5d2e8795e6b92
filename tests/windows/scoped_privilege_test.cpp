// A privilege switched on for one scope, against the process's real token.
#include "platform/win32/scoped_privilege.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace calmora::win32 {
namespace {

// Whether the process's token holds `name` switched on; nothing when it does not hold it.
std::optional<bool> PrivilegeOn(const wchar_t* name) {
  LUID luid{};
  UniqueHandle token;
  DWORD size = 0;
  if (!LookupPrivilegeValueW(nullptr, name, &luid) ||
      !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
    ADD_FAILURE() << "the token cannot be read: " << GetLastError();
    return std::nullopt;
  }
  GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &size);
  std::vector<char> buffer(size);
  const auto* held = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer.data());
  if (!GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), size, &size)) {
    ADD_FAILURE() << "the token's privileges cannot be read: " << GetLastError();
    return std::nullopt;
  }
  for (DWORD i = 0; i < held->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& privilege = held->Privileges[i];
    if (privilege.Luid.LowPart == luid.LowPart && privilege.Luid.HighPart == luid.HighPart) {
      return (privilege.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  return std::nullopt;
}

void Switch(const wchar_t* name, bool on) {
  TOKEN_PRIVILEGES wanted{1, {{{}, on ? static_cast<DWORD>(SE_PRIVILEGE_ENABLED) : 0}}};
  UniqueHandle token;
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, name, &wanted.Privileges[0].Luid));
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, token.put()));
  ASSERT_TRUE(AdjustTokenPrivileges(token.get(), FALSE, &wanted, 0, nullptr, nullptr));
}

TEST(ScopedPrivilege, IsOnForItsScopeAndThenAsItWasBefore) {
  const std::optional<bool> atStart = PrivilegeOn(SE_RESTORE_NAME);
  if (!atStart) {
    GTEST_SKIP() << "this account's token does not hold SeRestorePrivilege (a standard user's "
                    "does not): there is nothing to switch on";
  }
  for (const bool before : {false, true}) {
    SCOPED_TRACE(before ? "on before" : "off before");
    Switch(SE_RESTORE_NAME, before);
    ASSERT_EQ(PrivilegeOn(SE_RESTORE_NAME), before);
    {
      const ScopedPrivilege restore(SE_RESTORE_NAME);
      EXPECT_EQ(PrivilegeOn(SE_RESTORE_NAME), true);
    }
    EXPECT_EQ(PrivilegeOn(SE_RESTORE_NAME), before);
  }
  Switch(SE_RESTORE_NAME, *atStart);
}

}  // namespace
}  // namespace calmora::win32
