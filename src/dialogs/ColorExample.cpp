// Color.dat: entries of seven CR LF lines, "[COLOREXAMPLE]", the name, the back, font,
// selected back and selected font colours as signed decimals, "[/COLOREXAMPLE]". No header
// and no count, so an empty list is an empty file.
#include "dialogs/ColorExample.h"

#include "base/Convert.h"
#include "base/Path.h"
#include "model/ExecObj.h"
#include "ui/FileSystem.h"
#include "ui/System.h"

namespace lantern {

namespace {
const char OpenTag[] = "[COLOREXAMPLE]";
const char CloseTag[] = "[/COLOREXAMPLE]";

std::string NextLine(TStream& Stream, int& Line) {
  ++Line;
  return ReadLine(Stream);
}

std::string CannotReadLineText(const std::string& Path, int Line, const std::string& Reason) {
  return "色の例のファイル " + Path + " の " + IntToStr(Line) + " 行目を読めません: " + Reason;
}
}  // namespace

void TColorExample::LoadFromText(TStream& Stream, int& Line) {
  FName = NextLine(Stream, Line);
  // Past the end the reader gives empty lines, which are no numbers: a cut entry fails.
  for (TColor* Color : {&FColors.BackColor, &FColors.FontColor, &FColors.SelectedBackColor,
                        &FColors.SelectedFontColor})
    *Color = StrToInt(NextLine(Stream, Line));
  // Lines a later version may add before the closing tag are passed over.
  std::string Last;
  while (Last != CloseTag && !Stream.AtEnd()) Last = NextLine(Stream, Line);
}

void TColorExample::SaveToText(TStream& Stream) const {
  WriteLine(Stream, OpenTag);
  WriteLine(Stream, FName);
  for (TColor Color :
       {FColors.BackColor, FColors.FontColor, FColors.SelectedBackColor, FColors.SelectedFontColor})
    WriteLine(Stream, IntToStr(Color));
  WriteLine(Stream, CloseTag);
}

int TColorExampleList::Add(std::unique_ptr<TColorExample> Example) {
  FItems.push_back(std::move(Example));
  return Count() - 1;
}

std::unique_ptr<TColorExample> TColorExampleList::Delete(int Index) {
  std::unique_ptr<TColorExample> Example = std::move(FItems.at(Index));
  FItems.erase(FItems.begin() + Index);
  return Example;
}

int TColorExampleList::IndexOf(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[i]->Name() == Name) return i;
  return -1;
}

void TColorExampleList::LoadFromFile(const std::string& Path) {
  // Only a missing file is no error; a folder in its place fails to open below.
  if (!FileSystem().FileExists(Path) && !FileSystem().DirectoryExists(Path)) return;
  TFileStream Stream(Path, TFileMode::OpenRead);
  LoadFromStream(Stream, Path);
}

void TColorExampleList::LoadFromStream(TStream& Stream, const std::string& Path) {
  int Line = 0;
  while (!Stream.AtEnd()) {
    if (NextLine(Stream, Line) != OpenTag) continue;
    auto Example = std::make_unique<TColorExample>();
    try {
      Example->LoadFromText(Stream, Line);
    } catch (const EConvertError& e) {
      throw EColorExampleError(CannotReadLineText(Path, Line, e.Message()));
    }
    Add(std::move(Example));
  }
}

void TColorExampleList::SaveToFile(const std::string& Path) const {
  SaveFileAtomically(Path, [this](TStream& Stream) {
    for (const auto& Example : FItems) Example->SaveToText(Stream);
  });
}

std::string ColorExampleFileName() {
  return ExtractFilePath(System().ProgramFileName()) + "Color.dat";
}

}  // namespace lantern
