// CalmoraAtLogin.exe: started at each user's login by the machine's Run key, it starts Calmora.exe
// when the message is one the user has not been shown yet. It has no window and shows nothing
// itself, not even when it fails: its exit code (LoginOutcome) is all it says.
#include <windows.h>

#include "login/new_message_at_login.h"
#include "platform/win32/startup_folder_on_demand.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_location.h"
#include "platform/win32/win32_programs.h"
#include "platform/win32/win32_registry_api.h"
#include "platform/win32/win32_sha256.h"

namespace {

// Beyond every LoginOutcome: something failed that the decision does not absorb.
constexpr int kFailedExitCode = 100;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace calmora;
  // No box for a drive without a disk or an unreadable file: a login must not stop at a question.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  try {
    const win32::Win32Environment environment;
    win32::Win32FileSystem files;
    const win32::Win32AnsiCodePage ansi;
    const win32::Win32ProgramLocation program;
    win32::Win32RegistryApi registryApi;
    // Only a new message asks for the Startup folder: the other logins never load the shell.
    const win32::StartupFolderOnDemand shell;
    const win32::Win32Sha256 sha256;
    win32::Win32Programs programs;
    return static_cast<int>(ShowNewMessageAtLogin(
        {environment, files, ansi, program, registryApi, shell, sha256, programs}));
  } catch (...) {
    return kFailedExitCode;
  }
}
