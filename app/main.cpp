#include <cstdio>

// Entry point. The main form arrives with the application shell; until then
// the program only says so.
int main() {
  std::puts("esctool: the main window is not built yet.");
  return 0;
}
