/* The numbers by which the program finds its own resources; read by the resource compiler as
   well as by C++, so plain definitions only. */
#pragma once

/* The application icon. The lowest icon number is the one the shell shows for the file. */
#define IDI_CALMORA 1
/* The Options window's icon, kept as the bytes of its .ico file (RCDATA), not as an icon group:
   the application icon stays the executable's only icon resource. Load it with
   calmora::win32::LoadIcoResource. */
#define IDR_OPTIONS_ICON 2
