// The platform services that the windows' handlers work with. The program builds one set at
// start-up; tests hand in fakes.
#pragma once

#include "platform/ansi_code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/font_table.h"
#include "platform/program_location.h"
#include "platform/registry_api.h"
#include "platform/shell.h"

namespace calmora {

struct Services {
  const Environment& environment;
  FileSystem& files;
  const AnsiCodePage& ansi;
  const ProgramLocation& program;
  RegistryApi& registryApi;
  Shell& shell;
  FontTable& fonts;
};

}  // namespace calmora
