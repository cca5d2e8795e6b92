// Resource numbers shared by the resource script and the code that loads the resources.
#pragma once

#define IDI_CALMORA 1
#define IDI_OPTIONS 2
