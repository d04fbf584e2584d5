// The data file: every item is a record of one line per field between a tag line and a
// closing tag; groups nest their children's records. Lines end in CR LF; text is CP932.
// Each record type's fields are listed once, in file order, for writing and reading alike.
#include <algorithm>
#include <charconv>
#include <memory>

#include "base/Convert.h"
#include "base/Exception.h"
#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/ImageList.h"
#include "ui/Stream.h"
#include "ui/TreeView.h"
#include "ui/UpdateBracket.h"

namespace lantern {

enum class TField : int {
  Name,
  FileName,
  Visible,
  Expanded,
  Current,  // the group is the root's current group
  RunCount,
  FixedPosition,
  Parameters,
  WorkFolder,
  ExplorerOption,
  BackColor,
  SelectedBackColor,
  FontColor,
  SelectedFontColor,
  OwnColors,
};

struct TRecordType {
  std::string Open, Children, Close;  // Children: empty for launchers
  std::vector<TField> Fields;
};

namespace {

using F = TField;

const std::vector<TField> GroupFields{F::Name,      F::Visible,           F::Expanded,
                                      F::Current,   F::BackColor,         F::SelectedBackColor,
                                      F::FontColor, F::SelectedFontColor, F::OwnColors};
const std::vector<TField> LauncherFields{
    F::Name,          F::FileName,          F::Visible,    F::Expanded,  F::RunCount,
    F::FixedPosition, F::Parameters,        F::WorkFolder, F::BackColor, F::SelectedBackColor,
    F::FontColor,     F::SelectedFontColor, F::OwnColors};

// The root's own fields; the common font and the four kind sets follow them.
const TRecordType RootRecord{"[ROOT]",
                             "[ROOTCOMPOSITE]",
                             "[/ROOT]",
                             {F::Name, F::Visible, F::Expanded, F::Current, F::BackColor,
                              F::SelectedBackColor, F::FontColor, F::SelectedFontColor}};
const TRecordType FolderRecord{"[FOLDER]", "[FOLDERCOMPOSITE]", "[/FOLDER]", GroupFields};
const TRecordType RecycledFolderRecord{"[RECYCLEDFOLDER]", "[RECYCLEDFOLDERCOMPOSITE]",
                                       "[/RECYCLEDFOLDER]", GroupFields};
const TRecordType LauncherRecord{"[LAUNCHER]", "", "[/LAUNCHER]", LauncherFields};
const TRecordType LauncherURLRecord{"[LAUNCHERURL]", "", "[/LAUNCHERURL]", LauncherFields};
const TRecordType LauncherFolderRecord{
    "[LAUNCHERFOLDER]",
    "",
    "[/LAUNCHERFOLDER]",
    {F::Name, F::FileName, F::Visible, F::Expanded, F::ExplorerOption, F::RunCount,
     F::FixedPosition, F::BackColor, F::SelectedBackColor, F::FontColor, F::SelectedFontColor,
     F::OwnColors}};

constexpr int FontLines = 3;  // size, face name, style bits
// Font sizes in points that a file may set: far beyond any screen, and small enough that
// every measure made from them (pixel heights, line heights, text widths) fits an int.
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 1638;
constexpr int KindSetLines = 1 + 4 + FontLines;

// The field loop of every record: each line up to the terminator goes to the field whose
// position it has (0 = name); positions past the known fields are ignored, and a record that
// ends early keeps its defaults. This is what lets old and new files read each other.
template <typename TApplyField>
void ReadFields(TStream& Stream, const std::string& Terminator, TApplyField Apply,
                bool SkipRootTag = false) {
  // Nothing left at all is no line: a record cut off after its tag keeps every default.
  if (Stream.AtEnd()) return;
  std::string Line = ReadLine(Stream);
  if (SkipRootTag && Line == RootRecord.Open) {
    if (Stream.AtEnd()) return;
    Line = ReadLine(Stream);
  }
  for (int Position = 0; Line != Terminator; ++Position) {
    Apply(Position, Line);
    if (Stream.AtEnd()) break;
    Line = ReadLine(Stream);
  }
}

// Booleans are the lowest byte of the number, non-zero meaning true.
bool ToBool(const std::string& Line) { return (StrToInt(Line) & 0xFF) != 0; }

void WriteInt(TStream& Stream, std::int64_t Value) {
  char Text[24];
  char* End = std::to_chars(Text, Text + sizeof(Text) - 2, Value).ptr;
  *End++ = '\r';
  *End++ = '\n';
  Stream.Write(Text, End - Text);
}

void WriteBool(TStream& Stream, bool Value) { WriteLine(Stream, Value ? "1" : "0"); }

void WriteFont(TStream& Stream, const TFont& Font) {
  WriteInt(Stream, Font.Size());
  // A face name is no field the tree sets, but it is a line of the file all the same.
  WriteLine(Stream, FieldLine(Font.Name()));
  WriteInt(Stream, Font.Style());
}

void ApplyFont(TFont& Font, int Line, const std::string& Text) {
  switch (Line) {
    case 0: Font.SetSize(std::clamp(StrToInt(Text), MinFontSize, MaxFontSize)); break;
    case 1: Font.SetName(Text); break;
    case 2: Font.SetStyle(static_cast<unsigned>(StrToInt(Text))); break;
  }
}

// A set's colours in the order the file writes them, in an item's fields and a kind's lines.
constexpr TColor TColorSet::*FileColors[] = {&TColorSet::BackColor, &TColorSet::SelectedBackColor,
                                             &TColorSet::FontColor, &TColorSet::SelectedFontColor};
static_assert(static_cast<int>(F::SelectedFontColor) - static_cast<int>(F::BackColor) == 3,
              "the colour fields follow one another in the file's order");

TColor TColorSet::*ColorField(TField Field) {
  return FileColors[static_cast<int>(Field) - static_cast<int>(F::BackColor)];
}

// UseOwn, the four colours, the font.
void WriteKindColorSet(TStream& Stream, const TKindColorSet& Set) {
  WriteBool(Stream, Set.UseOwn());
  for (TColor TColorSet::*Color : FileColors) WriteInt(Stream, Set.Colors().*Color);
  WriteFont(Stream, Set.Font());
}

void ApplyKindColorSet(TKindColorSet& Set, int Line, const std::string& Text) {
  if (Line == 0) {
    Set.SetUseOwn(ToBool(Text));
  } else if (Line <= 4) {
    TColorSet Colors = Set.Colors();
    Colors.*FileColors[Line - 1] = StrToInt(Text);
    Set.SetColors(Colors);
  } else {
    ApplyFont(Set.Font(), Line - 5, Text);
  }
}

bool IsGroupTag(const std::string& Tag) {
  return Tag == FolderRecord.Open || Tag == RecycledFolderRecord.Open;
}

std::unique_ptr<TExecItem> CreateForTag(const std::string& Tag, TCompositeItem* Parent) {
  if (Tag == LauncherRecord.Open) return std::make_unique<TLauncherExec>(Parent);
  if (Tag == LauncherFolderRecord.Open) return std::make_unique<TLauncherFolder>(Parent);
  if (Tag == LauncherURLRecord.Open) return std::make_unique<TLauncherURL>(Parent);
  if (Tag == FolderRecord.Open) return std::make_unique<TFolder>(Parent);
  if (Tag == RecycledFolderRecord.Open) return std::make_unique<TRecycledFolder>(Parent);
  return nullptr;
}

// The number of lines that were read before Stream's position, as ReadLine reads them: the
// line a field failed on is the last of them. Counted again only when a read has failed.
int LinesReadBefore(TStream& Stream) {
  std::string Bytes(static_cast<std::size_t>(Stream.Position()), '\0');
  Stream.Seek(0, TSeekOrigin::Begin);
  Bytes.resize(Stream.Read(Bytes.data(), Bytes.size()));
  TMemoryStream Read(std::move(Bytes));
  int Lines = 0;
  for (; !Read.AtEnd(); ++Lines) ReadLine(Read);
  return Lines;
}

}  // namespace

std::string CannotReadDataLineText(const std::string& Path, int Line, const std::string& Reason) {
  return "データファイル " + Path + " の " + IntToStr(Line) + " 行目を読めません: " + Reason;
}

// A line end is never a byte of a double-byte character (their second bytes start at 0x40),
// so the bytes are replaced where they are. A space rather than nothing: the words on either
// side stay apart, as they were shown.
std::string FieldLine(const std::string& Text) {
  std::string Result = Text;
  for (std::size_t At = Result.find_first_of("\r\n"); At != std::string::npos;
       At = Result.find_first_of("\r\n", At + 1)) {
    if (Result[At] == '\r' && At + 1 < Result.size() && Result[At + 1] == '\n')
      Result.erase(At + 1, 1);
    Result[At] = ' ';
  }
  if (!Result.empty() && Result[0] == '[')
    for (const TRecordType* Type : {&RootRecord, &FolderRecord, &RecycledFolderRecord,
                                    &LauncherRecord, &LauncherURLRecord, &LauncherFolderRecord})
      if (Result == (Type->Children.empty() ? Type->Close : Type->Children)) return Result + ' ';
  return Result;
}

// A line ends at CR LF, or at a CR or an LF alone: "a\n\nb" is three lines, the middle one
// empty, whatever line ends the file was written with.
std::string ReadLine(TStream& Stream) {
  std::string Result;
  for (;;) {
    std::string_view Ahead = Stream.Peek();
    if (Ahead.empty()) return Result;
    const char* First = Ahead.data();
    const char* Last = First + Ahead.size();
    const char* End = First;
    while (End < Last && *End != '\r' && *End != '\n') ++End;
    Result.append(First, End);
    if (End == Last) {
      Stream.Skip(Ahead.size());
      continue;
    }
    const bool Cr = *End == '\r';
    if (!Cr || End + 1 < Last) {
      Stream.Skip(End - First + (Cr && End[1] == '\n' ? 2 : 1));
      return Result;
    }
    // A CR that ends the buffer: its LF, if any, is at the start of the next one.
    Stream.Skip(End - First + 1);
    Ahead = Stream.Peek();
    if (!Ahead.empty() && Ahead[0] == '\n') Stream.Skip(1);
    return Result;
  }
}

void WriteLine(TStream& Stream, const std::string& Text) {
  Stream.WriteText(Text);
  Stream.WriteText("\r\n");
}

// Fields

void TExecItem::WriteField(TStream& Stream, TField Field) {
  switch (Field) {
    case F::Name: WriteLine(Stream, FName); break;
    case F::FileName: WriteLine(Stream, FFileName); break;
    case F::Visible: WriteBool(Stream, FVisible); break;
    case F::Expanded: WriteBool(Stream, FExpanded); break;
    case F::Current: WriteBool(Stream, IsCurrent()); break;
    case F::RunCount: WriteInt(Stream, FRunCount); break;
    case F::FixedPosition: WriteBool(Stream, FFixedPosition); break;
    case F::BackColor:
    case F::SelectedBackColor:
    case F::FontColor:
    case F::SelectedFontColor: WriteInt(Stream, FColors.*ColorField(Field)); break;
    case F::OwnColors: WriteBool(Stream, FOwnColors); break;
    default: WriteLine(Stream, std::string()); break;
  }
}

void TExecItem::ApplyField(TField Field, const std::string& Line) {
  switch (Field) {
    case F::Name: SetName(Line); break;
    case F::FileName: SetFileName(Line); break;
    case F::Visible: SetVisible(ToBool(Line)); break;
    case F::Expanded: SetExpanded(ToBool(Line)); break;
    case F::Current:
      if (ToBool(Line))
        if (TRoot* Root = OwnerRoot()) Root->NoteCurrentFolder(AsGroup());
      break;
    case F::RunCount: SetRunCount(StrToInt(Line)); break;
    case F::FixedPosition: SetFixedPosition(ToBool(Line)); break;
    case F::BackColor:
    case F::SelectedBackColor:
    case F::FontColor:
    case F::SelectedFontColor: Edit(FColors.*ColorField(Field), StrToInt(Line)); break;
    case F::OwnColors: SetOwnColors(ToBool(Line)); break;
    default: break;
  }
}

void TLauncher::WriteField(TStream& Stream, TField Field) {
  switch (Field) {
    case F::Parameters: WriteLine(Stream, FParameters); break;
    case F::WorkFolder: WriteLine(Stream, FWorkFolder); break;
    default: TExecItem::WriteField(Stream, Field); break;
  }
}

void TLauncher::ApplyField(TField Field, const std::string& Line) {
  switch (Field) {
    case F::Parameters: SetParameters(Line); break;
    case F::WorkFolder: SetWorkFolder(Line); break;
    default: TExecItem::ApplyField(Field, Line); break;
  }
}

void TLauncherFolder::WriteField(TStream& Stream, TField Field) {
  if (Field == F::ExplorerOption)
    WriteLine(Stream, FExplorerOption);
  else
    TLauncher::WriteField(Stream, Field);
}

void TLauncherFolder::ApplyField(TField Field, const std::string& Line) {
  if (Field == F::ExplorerOption)
    SetFolderExplorerOption(Line);
  else
    TLauncher::ApplyField(Field, Line);
}

// Records

void TExecItem::SaveRecord(TStream& Stream, const TRecordType& Type) {
  WriteLine(Stream, Type.Open);
  for (TField Field : Type.Fields) WriteField(Stream, Field);
  if (TCompositeItem* Group = AsGroup()) {
    WriteLine(Stream, Type.Children);
    Group->SaveChildren(Stream);
  }
  WriteLine(Stream, Type.Close);
}

void TExecItem::LoadRecord(TStream& Stream, const TRecordType& Type) {
  TCompositeItem* Group = AsGroup();
  ReadFields(Stream, Group ? Type.Children : Type.Close,
             [&](int Position, const std::string& Line) {
               if (Position < static_cast<int>(Type.Fields.size()))
                 ApplyField(Type.Fields[Position], Line);
             });
  if (Group) Group->LoadChildren(Stream);
}

void TCompositeItem::SaveToStream(TStream& Stream) { SaveChildren(Stream); }
void TCompositeItem::LoadFromStream(TStream& Stream) { LoadChildren(Stream); }

void TCompositeItem::SaveChildren(TStream& Stream) {
  for (TExecItem* Child : FChildren.Snapshot()) Child->SaveToStream(Stream);
}

void TCompositeItem::LoadChildren(TStream& Stream) {
  const int ChildDepth = Depth() + 1;
  while (!Stream.AtEnd()) {
    std::string Line = ReadLine(Stream);
    // Any closing tag ends the children, and so does a blank line.
    if (Line.empty() || Line.compare(0, 2, "[/") == 0) break;
    // Refused before the group is made: the reading goes no deeper than the limit.
    if (ChildDepth > MaxGroupDepth && IsGroupTag(Line)) throw Exception(GroupTooDeepText());
    std::unique_ptr<TExecItem> Child = CreateForTag(Line, this);
    if (!Child) continue;  // unknown lines between records are skipped
    // Added first, so that it is shown at once and its setters know where it lives.
    Add(std::move(Child))->LoadFromStream(Stream);
  }
}

void TFolder::SaveToStream(TStream& Stream) { SaveRecord(Stream, FolderRecord); }
void TFolder::LoadFromStream(TStream& Stream) { LoadRecord(Stream, FolderRecord); }
void TRecycledFolder::SaveToStream(TStream& Stream) { SaveRecord(Stream, RecycledFolderRecord); }
void TRecycledFolder::LoadFromStream(TStream& Stream) { LoadRecord(Stream, RecycledFolderRecord); }
void TLauncher::SaveToStream(TStream& Stream) { SaveRecord(Stream, LauncherRecord); }
void TLauncher::LoadFromStream(TStream& Stream) { LoadRecord(Stream, LauncherRecord); }
void TLauncherURL::SaveToStream(TStream& Stream) { SaveRecord(Stream, LauncherURLRecord); }
void TLauncherURL::LoadFromStream(TStream& Stream) { LoadRecord(Stream, LauncherURLRecord); }
void TLauncherFolder::SaveToStream(TStream& Stream) { SaveRecord(Stream, LauncherFolderRecord); }
void TLauncherFolder::LoadFromStream(TStream& Stream) { LoadRecord(Stream, LauncherFolderRecord); }

// The root: its own fields, the common menu font, the four kind sets, then the children.

void TRoot::SaveToStream(TStream& Stream) {
  WriteLine(Stream, RootRecord.Open);
  for (TField Field : RootRecord.Fields) WriteField(Stream, Field);
  WriteFont(Stream, FFont);
  for (const TKindColorSet* Set :
       {&FGroupColors, &FLauncherColors, &FFolderLauncherColors, &FURLLauncherColors})
    WriteKindColorSet(Stream, *Set);
  WriteLine(Stream, RootRecord.Children);
  SaveChildren(Stream);
  WriteLine(Stream, RootRecord.Close);
}

void TRoot::LoadFromStream(TStream& Stream) {
  TKindColorSet* Kinds[] = {&FGroupColors, &FLauncherColors, &FFolderLauncherColors,
                            &FURLLauncherColors};
  const int OwnFields = static_cast<int>(RootRecord.Fields.size());
  const int KindsStart = OwnFields + FontLines;
  ReadFields(
      Stream, RootRecord.Children,
      [&](int Position, const std::string& Line) {
        if (Position < OwnFields)
          ApplyField(RootRecord.Fields[Position], Line);
        else if (Position < KindsStart)
          ApplyFont(FFont, Position - OwnFields, Line);
        else if (Position < KindsStart + 4 * KindSetLines)
          ApplyKindColorSet(*Kinds[(Position - KindsStart) / KindSetLines],
                            (Position - KindsStart) % KindSetLines, Line);
      },
      true);
  LoadChildren(Stream);
}

void TRoot::NoteCurrentFolder(TCompositeItem* AGroup) {
  if (FLoading)
    FLoadedCurrent = AGroup;
  else
    SetCurrentFolder(AGroup);
}

void TRoot::LoadFromFile(const std::string& FileName) {
  TFileStream Stream(FileName, TFileMode::OpenRead);
  try {
    LoadTree(Stream);
  } catch (const EConvertError& E) {
    throw EConvertError(CannotReadDataLineText(FileName, LinesReadBefore(Stream), E.Message()));
  }
}

void TRoot::LoadTree(TStream& Stream) {
  FDeferIcons = true;
  FPendingIcons = 0;
  struct TEndLoading {
    TRoot& Root;
    ~TEndLoading() {
      Root.FDeferIcons = false;
      Root.FLoading = false;
      Root.FLoadedCurrent = nullptr;
    }
  } EndLoading{*this};
  TTreeView* Tree = TreeView();
  TUpdateBracket<TTreeNodes> Bracket(Tree ? &Tree->Items() : nullptr);
  Clear();
  ForgetPictures();
  // What was read is shown, and its current group ordered, as after a complete read, also
  // when reading stopped part-way: the first save after the load is then already what
  // every later save writes.
  auto ShowWhatWasRead = [this] {
    FLoading = false;
    if (FLoadedCurrent) SetCurrentFolder(FLoadedCurrent);
    FillListView(FCurrentFolder);
    if (TTreeNode* Node = FCurrentFolder ? FCurrentFolder->TreeNode() : nullptr) {
      Node->SetSelected(true);
      Node->SetFocused(true);
    }
  };
  FLoading = true;
  FLoadedCurrent = nullptr;
  try {
    LoadFromStream(Stream);
  } catch (...) {
    ShowWhatWasRead();
    throw;
  }
  ShowWhatWasRead();
  SetMenuDirty(true);
}

void TRoot::SaveToFile(const std::string& FileName) {
  SaveFileAtomically(FileName, [this](TStream& Stream) { SaveToStream(Stream); });
}

}  // namespace lantern
