// The yardstick for the login companion's time: a Windows program, linked as the companion is,
// that ends at once. What it takes is the system's own cost of a process.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return 0;
}
