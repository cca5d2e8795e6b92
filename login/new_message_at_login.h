// What the login companion, CalmoraAtLogin.exe, decides at each login of a user: whether the
// message is one this user has not been shown yet, and whether Calmora.exe must be started to
// show it. It writes nothing but the user's "Last Message Shown", and waits for nothing.
#pragma once

#include "platform/ansi_code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/program_location.h"
#include "platform/programs.h"
#include "platform/registry_api.h"
#include "platform/sha256.h"
#include "platform/shell.h"

namespace calmora {

struct LoginServices {
  const Environment& environment;
  FileSystem& files;
  const AnsiCodePage& ansi;
  // The companion's own location: Calmora.exe lies beside it.
  const ProgramLocation& program;
  RegistryApi& registryApi;
  const Shell& shell;
  const Sha256& sha256;
  Programs& programs;
};

// What the login came to; the companion's exit code.
enum class LoginOutcome {
  // No message file, or one that cannot be read, is empty or holds only white space.
  kNoMessage = 0,
  // This user was shown the same bytes before.
  kAlreadyShown = 1,
  // Calmora's Startup shortcut starts Calmora at this login anyway: recorded, nothing started.
  kShownByStartupShortcut = 2,
  // Calmora.exe from the companion's folder already runs in this session: recorded.
  kShownByRunningCalmora = 3,
  // Calmora.exe started, and the message recorded.
  kStarted = 4,
  // Calmora.exe would not start: nothing recorded, so the next login tries again.
  kStartFailed = 5,
};

LoginOutcome ShowNewMessageAtLogin(const LoginServices& services);

}  // namespace calmora
