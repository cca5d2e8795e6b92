// Every platform service as an in-memory fake, wired into the Services the handlers take.
#pragma once

#include "app/services.h"
#include "tests/host/fakes/fake_environment.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_font_table.h"
#include "tests/host/fakes/fake_program_location.h"
#include "tests/host/fakes/fake_registry_api.h"
#include "tests/host/fakes/fake_shell.h"
#include "tests/host/fakes/latin1_code_page.h"

namespace calmora::testing {

struct FakeServices {
  FakeEnvironment environment;
  FakeFileSystem files;
  Latin1CodePage ansi;
  FakeProgramLocation program;
  FakeRegistryApi registry;
  FakeShell shell{files};
  FakeFontTable fonts;
  Services services{environment, files, ansi, program, registry, shell, fonts};
};

}  // namespace calmora::testing
