// libFuzzer target for the readers of blocks that other programs drop on the main window: the
// DROPFILES list in both widths, the file group descriptor's name, "FileContents" and a URL
// block's text. libFuzzer hands each input in a buffer of exactly its size, so a read past
// the block's end is caught by AddressSanitizer. Every reader sees every input. Then the
// input is dropped on the window's drop target as a file list and as a link ("FileContents"
// and descriptor), what the drop hands over becomes launchers as the main window makes them,
// and those must read back the same after a save and a load.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/Path.h"
#include "shell/DropBlocks.h"
#include "support/FakeDropData.h"
#include "support/StartedTree.h"
#include "ui/Stream.h"

namespace {

using namespace lantern;

void Drop(TRoot& Root, const std::string& Block, std::vector<unsigned> Formats) {
  auto Data = std::make_unique<TFakeDropData>();
  for (unsigned Format : Formats) Data->Offer(Format, Block);
  TDropFileTarget Target;
  auto Add = [&](std::unique_ptr<TLauncher> Launcher, const std::string& Name,
                 const std::string& Path) {
    Launcher->SetName(Name);
    Launcher->SetFileName(Path);
    Root.Add(std::move(Launcher));
  };
  Target.OnDropFile = [&](TDropFileTarget*, const std::string& Path) {
    Add(std::make_unique<TLauncherExec>(&Root), ExtractFileName(Path), Path);
  };
  Target.OnDropURL = [&](TDropFileTarget*, const std::string& Name, const std::string& URL) {
    Add(std::make_unique<TLauncherURL>(&Root), Name, URL);
  };
  unsigned Effect = DropEffectLink;
  try {
    Target.OleDragEnter(std::move(Data), 0, {0, 0}, Effect);
    Effect = DropEffectLink;
    Target.OleDrop(0, {0, 0}, Effect);
  } catch (const Exception&) {  // a refused drop adds nothing
  }
}

std::string Launchers(TRoot& Root) {
  std::string Text;
  for (TExecItem* Item : Root.Children().Snapshot())
    Text += Item->Name() + "|" + Item->FileName() + "\n";
  return Text;
}

}  // namespace

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
  std::string URL;
  if (ContentsURL(Data, Size, URL) &&
      (URL.size() > Size || URL.find_first_of(std::string("\0\r\n", 3)) != std::string::npos))
    std::abort();
  std::string Text = BlockText(Data, Size);
  if (Text.size() > Size || Text.find('\0') != std::string::npos) std::abort();
  IsAcceptableURL(Text);

  static TProgram* Program = new TProgram;  // kept for speed; emptied for each input
  TRoot& Root = *Program->Root;
  Root.Clear();
  const std::string Block(reinterpret_cast<const char*>(Data), Size);
  Drop(Root, Block, {CfHDrop});
  Drop(Root, Block, {ClipboardFormats().FileContents, ClipboardFormats().FileGroupDescriptor});
  const std::string Dropped = Launchers(Root);
  TMemoryStream Saved;
  Root.SaveToStream(Saved);
  TMemoryStream Stream(Saved.Bytes());
  Root.LoadTree(Stream);
  if (Launchers(Root) != Dropped) std::abort();
  return 0;
}
