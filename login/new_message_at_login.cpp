#include "login/new_message_at_login.h"

#include <exception>
#include <optional>
#include <string>

#include "login/message_fingerprint.h"
#include "settings/registry.h"
#include "startup/startup_shortcut.h"
#include "store/data_folder.h"
#include "store/message_encoding.h"

namespace calmora {
namespace {

// Read as Calmora reads it, through the same bounded read: what it could not read it would not
// show either.
std::optional<std::string> ReadMessageBytes(FileSystem& files, const std::wstring& path) {
  try {
    if (!files.FileExists(path)) return std::nullopt;
    const auto reader = files.OpenForReading(path);
    std::string bytes = reader->ReadAll();
    reader->Close();
    return bytes;
  } catch (const std::exception&) {
    // Empty (a read past the end), unreadable or gone meanwhile: no message.
    return std::nullopt;
  }
}

// Unicode's white space: what shows as an empty box to the user.
bool IsWhiteSpace(wchar_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// Judged on the text as Calmora would show it, in the encoding its bytes show: UTF-16 spaces are
// NUL bytes too, and a NUL byte of an ANSI file shows as a visible character.
bool HoldsOnlyWhiteSpace(std::string_view bytes, const AnsiCodePage& ansi) {
  const MessageEncoding encoding = DetectMessageEncoding(bytes);
  std::wstring text(DecodedLengthLimit(bytes, encoding), L'\0');
  text.resize(DecodeMessage(bytes, encoding, ansi, text));
  for (const wchar_t c : text) {
    if (!IsWhiteSpace(c)) return false;
  }
  return true;
}

// A Startup folder that cannot even be named holds no shortcut.
bool StartupShortcutStartsCalmora(const Shell& shell, const FileSystem& files) {
  try {
    return StartupShortcutExists(shell, files);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

LoginOutcome ShowNewMessageAtLogin(const LoginServices& services) {
  const std::wstring messageFile = MessageFilePath(ResolveDataFolder(services.environment));
  const std::optional<std::string> bytes = ReadMessageBytes(services.files, messageFile);
  if (!bytes || HoldsOnlyWhiteSpace(*bytes, services.ansi)) return LoginOutcome::kNoMessage;

  const std::wstring fingerprint = FingerprintText(services.sha256.Digest(*bytes));
  const Registry registry(services.registryApi, services.ansi);
  if (SameFingerprint(ReadLastMessageShown(registry), fingerprint)) {
    return LoginOutcome::kAlreadyShown;
  }

  // One window at a time: a Calmora that this login starts anyway, or that already runs, shows
  // the message itself.
  const std::wstring folder = services.program.OwnFolder();
  const std::wstring calmora = folder + L"\\Calmora.exe";
  LoginOutcome outcome = LoginOutcome::kStarted;
  if (StartupShortcutStartsCalmora(services.shell, services.files)) {
    outcome = LoginOutcome::kShownByStartupShortcut;
  } else if (services.programs.RunsInThisSession(calmora)) {
    outcome = LoginOutcome::kShownByRunningCalmora;
  } else if (!services.programs.Start(calmora, folder)) {
    return LoginOutcome::kStartFailed;
  }
  RecordLastMessageShown(registry, fingerprint);
  return outcome;
}

}  // namespace calmora
