// Lantern.exe's entry: the command line as CP932 text, then the program.
#include <string>
#include <vector>

#include "main/Main.h"
#include "ui/win32/WideText.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> Args;
  std::vector<std::u16string> Unusable;
  for (int i = 1; i < argc; ++i) {
    std::string Arg;
    if (lantern::FromWideExact(argv[i], Arg))
      Args.push_back(Arg);
    else
      Unusable.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  }
  return lantern::LanternEntry(Args, Unusable);
}
