// libFuzzer target for the readers of blocks that other programs drop on the main window: the
// DROPFILES list in both widths, the file group descriptor's name, "FileContents" and a URL
// block's text. libFuzzer hands each input in a buffer of exactly its size, so a read past
// the block's end is caught by AddressSanitizer. Every reader sees every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/DropBlocks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace lantern;
  std::vector<std::string> List, Unusable;
  bool Any = ReadDropFiles(Data, Size, List, PlatformWideToCp932, &Unusable);
  if (Any != !List.empty()) std::abort();
  for (const std::string& Name : List)
    if (Name.empty() || Name.find('\0') != std::string::npos) std::abort();
  std::string Name;
  if (DescriptorName(Data, Size, Name)) {
    if (Name.size() > 260 || Name.find('\0') != std::string::npos) std::abort();
    if (LinkName(Name).size() > Name.size()) std::abort();
  }
  std::string URL = ContentsURL(Data, Size);
  if (URL.size() > 250 || URL.find_first_of(std::string("\0\r\n", 3)) != std::string::npos)
    std::abort();
  std::string Text = BlockText(Data, Size);
  if (Text.size() > Size || Text.find('\0') != std::string::npos) std::abort();
  IsAcceptableURL(Text);
  return 0;
}
