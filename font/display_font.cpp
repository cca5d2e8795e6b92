#include "font/display_font.h"

#include <string>
#include <string_view>

#include "platform/runtime_error.h"

namespace calmora {
namespace {

constexpr std::wstring_view kFontFile = L"ELEPHNT.TTF";

std::wstring SourcePath(const ProgramLocation& program) {
  return program.OwnFolder() + L"\\" + std::wstring(kFontFile);
}

// "WinDir" is taken as it is: when it is unset the path falls to the root of the current drive.
std::wstring DestinationPath(const Environment& environment) {
  return environment.Read(L"WinDir") + L"\\Fonts\\" + std::wstring(kFontFile);
}

}  // namespace

void ProvisionDisplayFont(FileSystem& files, const Environment& environment,
                          const ProgramLocation& program) {
  if (!files.FileExists(SourcePath(program))) return;
  if (files.FileExists(DestinationPath(environment))) return;
  // Only the copy itself is forgiven: the font only dresses the heading, and the message matters
  // more (see the header). Any other failure is still the program's run-time error.
  const std::wstring source = SourcePath(program);
  const std::wstring destination = DestinationPath(environment);
  try {
    files.Copy(source, destination);
  } catch (const RuntimeError&) {
  }
}

}  // namespace calmora
