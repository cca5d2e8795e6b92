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
                          const ProgramLocation& program, FontTable& fonts) {
  const std::wstring source = SourcePath(program);
  if (!files.FileExists(source)) return;
  const std::wstring destination = DestinationPath(environment);
  if (!files.FileExists(destination)) {
    // Only the copy itself is forgiven: the font only dresses the heading, and the message
    // matters more (see the header). Any other failure is still the program's run-time error.
    try {
      files.Copy(source, destination);
    } catch (const RuntimeError&) {
      // A standard user may not write the font folder: the heading takes its face from the file
      // beside the program, which a process may load privately from any folder.
      fonts.AddPrivateFont(source);
      return;
    }
  }
  fonts.AddPrivateFont(destination);
}

}  // namespace calmora
