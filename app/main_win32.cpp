// Calmora's start: the message window is the program. It is made, loaded and shown; the program
// ends when it unloads, or when a run-time error ends it.
#include <windows.h>

#include <commctrl.h>

#include "app/event_dispatch_win32.h"
#include "app/message_loop_win32.h"
#include "app/message_window/calmora_form_win32.h"
#include "app/options_window/options_form_win32.h"
#include "app/program_services_win32.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/redirection_trust.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace calmora;
  // Before anything opens a file.
  win32::IgnoreJunctionsMadeByStandardUsers();
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const win32::ComApartment com;

  ProgramServices platform;
  const Services& services = platform.services;

  // A click on the heading shows Options modally over the message window, which owns it and so
  // takes it down when it unloads.
  OptionsForm options(services);
  CalmoraForm form(services, [&options](HWND messageWindow) { options.ShowModal(messageWindow); });
  Dispatch([&] { form.CreateAndLoad(); });
  form.ShowCentred();
  return RunMessageLoop();
}
