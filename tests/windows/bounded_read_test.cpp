// Reading a message no longer than its limit from a source that tells no size, or grows while it
// is read: an anonymous pipe, whose bytes written after a pause arrive as another program's
// appended bytes do.
#include "platform/win32/bounded_read.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/runtime_error.h"
#include "platform/win32/unique_handle.h"

namespace calmora::win32 {
namespace {

std::string ReadWithin(HANDLE source, std::size_t limit) {
  try {
    return ReadAllWithin(source, limit, L"pipe");
  } catch (const RuntimeError& error) {
    return error.Number() == ERROR_FILE_TOO_LARGE ? "too large"
                                                  : "error " + std::to_string(error.Number());
  }
}

TEST(BoundedRead, StopsOneBytePastTheLimitWhereNoSizeIsToldOrTheSourceGrows) {
  const struct {
    std::string first, later, read;
  } rows[] = {{"0123", "", "0123"}, {"01234", "", "too large"}, {"0123", "4", "too large"}};
  for (const auto& row : rows) {
    UniqueHandle reader, writer;
    ASSERT_TRUE(CreatePipe(reader.put(), writer.put(), nullptr, 0));
    std::thread writing([&] {
      DWORD written = 0;
      WriteFile(writer.get(), row.first.data(), static_cast<DWORD>(row.first.size()), &written,
                nullptr);
      if (!row.later.empty()) {
        Sleep(200);  // the first bytes are read by then
        WriteFile(writer.get(), row.later.data(), static_cast<DWORD>(row.later.size()), &written,
                  nullptr);
      }
      writer.reset();
    });
    EXPECT_EQ(ReadWithin(reader.get(), 4), row.read) << row.first << " then " << row.later;
    writing.join();
  }
}

}  // namespace
}  // namespace calmora::win32
