// libFuzzer target for the reader of Color.dat, a file users edit by hand. Any bytes must
// neither crash nor leak; a malformed entry stops the reading with the program's error, the
// examples before it kept. What was read, written and read again, gives the same examples.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialogs/ColorExample.h"
#include "ui/Stream.h"

namespace lantern {
namespace {

std::string Describe(const TColorExampleList& List) {
  std::string Text;
  for (int i = 0; i < List.Count(); ++i) {
    const TColorExample& E = *List.Items(i);
    Text += E.Name() + "|" + std::to_string(E.Colors().BackColor) + "|" +
            std::to_string(E.Colors().FontColor) + "|" +
            std::to_string(E.Colors().SelectedBackColor) + "|" +
            std::to_string(E.Colors().SelectedFontColor) + "\n";
  }
  return Text;
}

}  // namespace
}  // namespace lantern

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace lantern;
  TColorExampleList First;
  TMemoryStream Input(std::string(reinterpret_cast<const char*>(Data), Size));
  try {
    First.LoadFromStream(Input, "Color.dat");
  } catch (const EColorExampleError&) {
    // The examples before the bad entry stay; they are written and read below all the same.
  }
  TMemoryStream Written;
  for (int i = 0; i < First.Count(); ++i) First.Items(i)->SaveToText(Written);
  TColorExampleList Second;
  TMemoryStream Again(Written.Bytes());
  try {
    Second.LoadFromStream(Again, "Color.dat");
  } catch (const Exception& E) {
    std::fprintf(stderr, "colorexample_fuzz: the program's own file does not read back: %s\n",
                 E.what());
    std::abort();
  }
  if (Describe(First) != Describe(Second)) {
    std::fprintf(stderr, "colorexample_fuzz: the examples changed in a round trip\n%s---\n%s",
                 Describe(First).c_str(), Describe(Second).c_str());
    std::abort();
  }
  return 0;
}
