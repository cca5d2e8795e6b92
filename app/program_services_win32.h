// The platform services that the program runs with: the real ones, over the native API.
#pragma once

#include "app/services.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_font_table.h"
#include "platform/win32/win32_program_location.h"
#include "platform/win32/win32_registry_api.h"
#include "platform/win32/win32_shell.h"

namespace calmora {

struct ProgramServices {
  ProgramServices() = default;
  ProgramServices(const ProgramServices&) = delete;
  ProgramServices& operator=(const ProgramServices&) = delete;

  win32::Win32Environment environment;
  win32::Win32FileSystem files;
  win32::Win32AnsiCodePage ansi;
  win32::Win32ProgramLocation program;
  win32::Win32RegistryApi registryApi;
  win32::Win32Shell shell;
  win32::Win32FontTable fonts;
  Services services{environment, files, ansi, program, registryApi, shell, fonts};
};

}  // namespace calmora
