// Lantern.exe's entry: the command line as CP932 text, then the program.
#include <string>
#include <vector>

#include "main/Main.h"
#include "ui/win32/WideText.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> Args, Unusable;
  for (int i = 1; i < argc; ++i) {
    std::string Arg;
    (lantern::FromWideExact(argv[i], Arg) ? Args : Unusable).push_back(Arg);
  }
  return lantern::LanternEntry(Args, Unusable);
}
