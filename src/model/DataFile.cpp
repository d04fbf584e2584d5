// The data file: every item is a record of one line per field between a tag line and a
// closing tag; groups nest their children's records. Lines end in CR LF; text is CP932.
#include <charconv>

#include "base/Convert.h"
#include "model/ExecObj.h"
#include "ui/FileSystem.h"
#include "ui/ImageList.h"
#include "ui/Stream.h"
#include "ui/TreeView.h"
#include "ui/UpdateBracket.h"

namespace lantern {

struct TRecordTags {
  std::string Open, Children, Close;
};

namespace {

const TRecordTags RootTags{"[ROOT]", "[ROOTCOMPOSITE]", "[/ROOT]"};
const TRecordTags FolderTags{"[FOLDER]", "[FOLDERCOMPOSITE]", "[/FOLDER]"};
const TRecordTags RecycledFolderTags{"[RECYCLEDFOLDER]", "[RECYCLEDFOLDERCOMPOSITE]",
                                     "[/RECYCLEDFOLDER]"};
const TRecordTags LauncherTags{"[LAUNCHER]", "", "[/LAUNCHER]"};
const TRecordTags LauncherFolderTags{"[LAUNCHERFOLDER]", "", "[/LAUNCHERFOLDER]"};
const TRecordTags LauncherURLTags{"[LAUNCHERURL]", "", "[/LAUNCHERURL]"};

constexpr int FixedPictures = 5;  // group, current group, trash, current trash, URL

// The field loop of every record: each line up to the terminator goes to the field whose
// position it has (0 = name); positions past the known fields are ignored, and a record that
// ends early keeps its defaults. This is what lets old and new files read each other.
template <typename TApplyField>
void ReadFields(TStream& Stream, const std::string& Terminator, TApplyField Apply,
                bool SkipRootTag = false) {
  // Nothing left at all is no line: a record cut off after its tag keeps every default.
  if (Stream.AtEnd()) return;
  std::string Line = ReadLine(Stream);
  if (SkipRootTag && Line == RootTags.Open) {
    if (Stream.AtEnd()) return;
    Line = ReadLine(Stream);
  }
  for (int Position = 0; Line != Terminator; ++Position) {
    Apply(Position, Line);
    if (Stream.AtEnd()) break;
    Line = ReadLine(Stream);
  }
}

bool ToBool(const std::string& Line) { return (StrToInt(Line) & 0xFF) != 0; }

void WriteInt(TStream& Stream, std::int64_t Value) {
  char Text[24];
  char* End = std::to_chars(Text, Text + sizeof(Text) - 2, Value).ptr;
  *End++ = '\r';
  *End++ = '\n';
  Stream.Write(Text, End - Text);
}
void WriteBool(TStream& Stream, bool Value) { WriteLine(Stream, Value ? "1" : "0"); }

void WriteColorSet(TStream& Stream, TColor Back, TColor SelectedBack, TColor Text,
                   TColor SelectedText) {
  for (TColor c : {Back, SelectedBack, Text, SelectedText}) WriteInt(Stream, c);
}

void WriteFont(TStream& Stream, const TFont& Font) {
  WriteInt(Stream, Font.Size());
  WriteLine(Stream, Font.Name());
  WriteInt(Stream, Font.Style());
}

// Field 0 size, 1 face name, 2 style bits.
void ApplyFont(TFont& Font, int Which, const std::string& Line) {
  switch (Which) {
    case 0:
      Font.SetSize(StrToInt(Line));
      break;
    case 1:
      Font.SetName(Line);
      break;
    case 2:
      Font.SetStyle(static_cast<unsigned>(StrToInt(Line)));
      break;
  }
}

// Field 0 UseOwn, 1-4 the colours, 5-7 the font.
void WriteKindColorSet(TStream& Stream, const TKindColorSet& Set) {
  WriteBool(Stream, Set.UseOwn());
  WriteColorSet(Stream, Set.BackColor(), Set.SelectedBackColor(), Set.FontColor(),
                Set.SelectedFontColor());
  WriteFont(Stream, Set.Font());
}

void ApplyKindColorSet(TKindColorSet& Set, int Which, const std::string& Line) {
  switch (Which) {
    case 0:
      Set.SetUseOwn(ToBool(Line));
      break;
    case 1:
      Set.SetBackColor(StrToInt(Line));
      break;
    case 2:
      Set.SetSelectedBackColor(StrToInt(Line));
      break;
    case 3:
      Set.SetFontColor(StrToInt(Line));
      break;
    case 4:
      Set.SetSelectedFontColor(StrToInt(Line));
      break;
    default:
      ApplyFont(Set.Font(), Which - 5, Line);
      break;
  }
}

TExecItem* CreateForTag(const std::string& Tag, TCompositeItem* Parent) {
  if (Tag == LauncherTags.Open) return new TLauncherExec(Parent);
  if (Tag == LauncherFolderTags.Open) return new TLauncherFolder(Parent);
  if (Tag == LauncherURLTags.Open) return new TLauncherURL(Parent);
  if (Tag == FolderTags.Open) return new TFolder(Parent);
  if (Tag == RecycledFolderTags.Open) return new TRecycledFolder(Parent);
  return nullptr;
}

}  // namespace

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
    // The byte after the line end belongs to it when it is CR or LF as well.
    if (End + 1 < Last) {
      Stream.Skip(End - First + (End[1] == '\r' || End[1] == '\n' ? 2 : 1));
      return Result;
    }
    Stream.Skip(End - First + 1);
    Ahead = Stream.Peek();
    if (!Ahead.empty() && (Ahead[0] == '\r' || Ahead[0] == '\n')) Stream.Skip(1);
    return Result;
  }
}

void WriteLine(TStream& Stream, const std::string& Text) {
  Stream.WriteText(Text);
  Stream.WriteText("\r\n");
}

// Colours

void TExecItem::WriteColors(TStream& Stream) const {
  WriteColorSet(Stream, FBackColor, FSelectedBackColor, FFontColor, FSelectedFontColor);
}

void TExecItem::ApplyColor(int Which, const std::string& Line) {
  TColor Value = StrToInt(Line);
  switch (Which) {
    case 0:
      FBackColor = Value;
      break;
    case 1:
      FSelectedBackColor = Value;
      break;
    case 2:
      FFontColor = Value;
      break;
    case 3:
      FSelectedFontColor = Value;
      break;
  }
}

// Groups

void TCompositeItem::SaveToStream(TStream& Stream) {
  for (TExecItem* Child : FChildren.Snapshot()) Child->SaveToStream(Stream);
}

void TCompositeItem::LoadFromStream(TStream& Stream) {
  while (!Stream.AtEnd()) {
    std::string Line = ReadLine(Stream);
    // Any closing tag ends the children, and so does a blank line.
    if (Line.empty() || Line.compare(0, 2, "[/") == 0) break;
    TExecItem* Child = CreateForTag(Line, this);
    if (!Child) continue;  // unknown lines between records are skipped
    // Added first, so that it is shown at once and its setters know where it lives.
    Add(Child);
    Child->LoadFromStream(Stream);
  }
}

void TCompositeItem::SaveGroupRecord(TStream& Stream, const TRecordTags& Tags) {
  WriteLine(Stream, Tags.Open);
  WriteLine(Stream, FName);
  WriteBool(Stream, FVisible);
  WriteBool(Stream, FExpanded);
  WriteBool(Stream, IsCurrent());
  WriteColors(Stream);
  WriteBool(Stream, FOwnColors);
  WriteLine(Stream, Tags.Children);
  TCompositeItem::SaveToStream(Stream);
  WriteLine(Stream, Tags.Close);
}

void TCompositeItem::LoadGroupRecord(TStream& Stream, const TRecordTags& Tags) {
  ReadFields(Stream, Tags.Children, [this](int Position, const std::string& Line) {
    switch (Position) {
      case 0:
        SetName(Line);
        break;
      case 1:
        SetVisible(ToBool(Line));
        break;
      case 2:
        SetExpanded(ToBool(Line));
        break;
      case 3:
        if (ToBool(Line))
          if (TRoot* Root = OwnerRoot()) Root->SetCurrentFolder(this);
        break;
      case 4:
      case 5:
      case 6:
      case 7:
        ApplyColor(Position - 4, Line);
        break;
      case 8:
        SetOwnColors(ToBool(Line));
        break;
    }
  });
  TCompositeItem::LoadFromStream(Stream);
}

void TFolder::SaveToStream(TStream& Stream) { SaveGroupRecord(Stream, FolderTags); }
void TFolder::LoadFromStream(TStream& Stream) { LoadGroupRecord(Stream, FolderTags); }
void TRecycledFolder::SaveToStream(TStream& Stream) { SaveGroupRecord(Stream, RecycledFolderTags); }
void TRecycledFolder::LoadFromStream(TStream& Stream) {
  LoadGroupRecord(Stream, RecycledFolderTags);
}

// The root: its own fields, the common menu colours and font, and the four kind sets.

void TRoot::SaveToStream(TStream& Stream) {
  WriteLine(Stream, RootTags.Open);
  WriteLine(Stream, FName);
  WriteBool(Stream, FVisible);
  WriteBool(Stream, FExpanded);
  WriteBool(Stream, FCurrentFolder == this);
  WriteColors(Stream);
  WriteFont(Stream, FFont);
  for (const TKindColorSet* Set :
       {&FGroupColors, &FLauncherColors, &FFolderLauncherColors, &FURLLauncherColors})
    WriteKindColorSet(Stream, *Set);
  WriteLine(Stream, RootTags.Children);
  TCompositeItem::SaveToStream(Stream);
  WriteLine(Stream, RootTags.Close);
}

void TRoot::LoadFromStream(TStream& Stream) {
  TKindColorSet* Kinds[] = {&FGroupColors, &FLauncherColors, &FFolderLauncherColors,
                            &FURLLauncherColors};
  ReadFields(
      Stream, RootTags.Children,
      [&](int Position, const std::string& Line) {
        switch (Position) {
          case 0:
            SetName(Line);
            break;
          case 1:
            SetVisible(ToBool(Line));
            break;
          case 2:
            SetExpanded(ToBool(Line));
            break;
          case 3:
            if (ToBool(Line)) SetCurrentFolder(this);
            break;
          case 4:
          case 5:
          case 6:
          case 7:
            ApplyColor(Position - 4, Line);
            break;
          case 8:
          case 9:
          case 10:
            ApplyFont(FFont, Position - 8, Line);
            break;
          default:
            if (Position < 11 + 4 * 8)
              ApplyKindColorSet(*Kinds[(Position - 11) / 8], (Position - 11) % 8, Line);
            break;
        }
      },
      true);
  TCompositeItem::LoadFromStream(Stream);
}

void TRoot::LoadFromFile(const std::string& FileName) {
  TFileStream Stream(FileName, TFileMode::OpenRead);
  {
    TTreeView* Tree = TreeView();
    TUpdateBracket<TTreeNodes> Bracket(Tree ? &Tree->Items() : nullptr);
    Clear();
    if (TImageList* Images = ImageList())
      while (Images->Count() > FixedPictures) Images->Delete(Images->Count() - 1);
    LoadFromStream(Stream);
    FillListView(FCurrentFolder);
    if (TTreeNode* Node = FCurrentFolder ? FCurrentFolder->TreeNode() : nullptr) {
      Node->SetSelected(true);
      Node->SetFocused(true);
    }
  }
  SetMenuDirty(true);
}

void TRoot::SaveToFile(const std::string& FileName) {
  const std::string Temporary = FileName + ".tmp";
  try {
    {
      TFileStream Stream(Temporary, TFileMode::Create);
      SaveToStream(Stream);
      Stream.FlushToDisk();
    }
    FileSystem().ReplaceFile(Temporary, FileName);
  } catch (...) {
    FileSystem().RemoveFile(Temporary);
    throw;
  }
}

// Launchers

void TLauncher::SaveLauncherRecord(TStream& Stream, const TRecordTags& Tags) {
  WriteLine(Stream, Tags.Open);
  WriteLine(Stream, FName);
  WriteLine(Stream, FFileName);
  WriteBool(Stream, FVisible);
  WriteBool(Stream, FExpanded);
  WriteInt(Stream, FRunCount);
  WriteBool(Stream, FFixedPosition);
  WriteLine(Stream, FParameters);
  WriteLine(Stream, FWorkFolder);
  WriteColors(Stream);
  WriteBool(Stream, FOwnColors);
  WriteLine(Stream, Tags.Close);
}

void TLauncher::LoadLauncherRecord(TStream& Stream, const TRecordTags& Tags) {
  ReadFields(Stream, Tags.Close, [this](int Position, const std::string& Line) {
    switch (Position) {
      case 0:
        SetName(Line);
        break;
      case 1:
        SetFileName(Line);
        break;
      case 2:
        SetVisible(ToBool(Line));
        break;
      case 3:
        SetExpanded(ToBool(Line));
        break;
      case 4:
        SetRunCount(StrToInt(Line));
        break;
      case 5:
        SetFixedPosition(ToBool(Line));
        break;
      case 6:
        SetParameters(Line);
        break;
      case 7:
        SetWorkFolder(Line);
        break;
      case 8:
      case 9:
      case 10:
      case 11:
        ApplyColor(Position - 8, Line);
        break;
      case 12:
        SetOwnColors(ToBool(Line));
        break;
    }
  });
}

void TLauncher::SaveToStream(TStream& Stream) { SaveLauncherRecord(Stream, LauncherTags); }
void TLauncher::LoadFromStream(TStream& Stream) { LoadLauncherRecord(Stream, LauncherTags); }
void TLauncherURL::SaveToStream(TStream& Stream) { SaveLauncherRecord(Stream, LauncherURLTags); }
void TLauncherURL::LoadFromStream(TStream& Stream) { LoadLauncherRecord(Stream, LauncherURLTags); }

void TLauncherFolder::SaveToStream(TStream& Stream) {
  WriteLine(Stream, LauncherFolderTags.Open);
  WriteLine(Stream, FName);
  WriteLine(Stream, FFileName);
  WriteBool(Stream, FVisible);
  WriteBool(Stream, FExpanded);
  WriteLine(Stream, FExplorerOption);
  WriteInt(Stream, FRunCount);
  WriteBool(Stream, FFixedPosition);
  WriteColors(Stream);
  WriteBool(Stream, FOwnColors);
  WriteLine(Stream, LauncherFolderTags.Close);
}

void TLauncherFolder::LoadFromStream(TStream& Stream) {
  ReadFields(Stream, LauncherFolderTags.Close, [this](int Position, const std::string& Line) {
    switch (Position) {
      case 0:
        SetName(Line);
        break;
      case 1:
        SetFileName(Line);
        break;
      case 2:
        SetVisible(ToBool(Line));
        break;
      case 3:
        SetExpanded(ToBool(Line));
        break;
      case 4:
        SetFolderExplorerOption(Line);
        break;
      case 5:
        SetRunCount(StrToInt(Line));
        break;
      case 6:
        SetFixedPosition(ToBool(Line));
        break;
      case 7:
      case 8:
      case 9:
      case 10:
        ApplyColor(Position - 7, Line);
        break;
      case 11:
        SetOwnColors(ToBool(Line));
        break;
    }
  });
}

}  // namespace lantern
