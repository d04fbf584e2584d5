#include "shell/DropTarget.h"

#include <cstdlib>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/Thread.h"

namespace lantern {

// ---- TDropTarget ----

TDropTarget::TDropTarget() : FPeer(CreateDropTargetPeer(*this)) {
  FScrollTimer.SetInterval(100);
  FScrollTimer.SetEnabled(false);
  FScrollTimer.OnTimer = [this](TTimer*) { ScrollTimerTick(); };
}

TDropTarget::~TDropTarget() {
  RemoveQueuedCalls(this);
  FScrollTimer.SetEnabled(false);
  // Destruction does not raise: a refused revocation only lets the window go.
  try {
    RevokeTarget();
  } catch (const Exception&) {
  }
}

void* TDropTarget::Window() const { return FTarget ? FTarget->Handle() : nullptr; }

void TDropTarget::SetShowImage(bool Value) {
  FShowImage = Value;
  if (FDataObject && FPeer) FPeer->ShowDragImage(Value);
}

void TDropTarget::RegisterTarget(TWinControl* Control, const std::string& Name) {
  if (Control == FTarget) return;
  if (FTarget) RevokeTarget();
  FTarget = Control;
  FTargetName = Name;
  if (!Control) return;
  if (FPeer && Control->Handle() && !FPeer->Register(Control->Handle())) {
    FTarget = nullptr;
    throw Exception("Failed to Register " + Name);
  }
  FRegistered = true;
}

void TDropTarget::RevokeTarget() {
  FRegistered = false;
  void* Handle = Window();
  TWinControl* Was = FTarget;
  FTarget = nullptr;
  if (Was && Handle && FPeer && !FPeer->Revoke(Handle))
    throw Exception("Failed to Unregister " + FTargetName);
}

TDropPoint TDropTarget::ToClient(TDropPoint Screen) const {
  return FPeer && Window() ? FPeer->ScreenToClient(Window(), Screen) : Screen;
}

namespace {

unsigned ShiftOfKeys(unsigned KeyState) {
  return (KeyState & MkShift ? unsigned(ssShift) : 0u) |
         (KeyState & MkControl ? unsigned(ssCtrl) : 0u);
}

}  // namespace

void TDropTarget::LeaveImage() {
  if (FDragImageShown && FPeer) FPeer->LeaveDragImage(Window());
  FDragImageShown = false;
}

void TDropTarget::OleDragEnter(std::unique_ptr<TDropData> DataObject, unsigned KeyState,
                               TDropPoint Screen, unsigned& Effect) {
  ClearData();
  FDataObject = std::move(DataObject);
  TDropPoint Point = ToClient(Screen);
  FLastPoint = Point;
  FDragImageShown = FShowImage && FPeer && Window() && FPeer->EnterDragImage(Window(), Point);
  try {
    if (!FDataObject || !HasAcceptedFormat()) {
      FDataObject.reset();
      Effect = DropEffectNone;
      return;
    }
    FScrollHorizontal = FScrollVertical = false;
    FScrollMargin = 0;
    if (FPeer && Window()) {
      FScrollMargin = std::abs(FPeer->FontHeight(Window()));
      unsigned Style = FPeer->WindowStyle(Window());
      FScrollHorizontal = (Style & WsHScroll) != 0;
      FScrollVertical = (Style & WsVScroll) != 0;
    }
    if (GetDataOnEnter) FetchData();
    unsigned Shift = ShiftOfKeys(KeyState);
    Effect = ChooseDropEffect(Shift, Point, Effect);
    Enter(Shift, Point, Effect);
  } catch (...) {
    ClearData();
    FDataObject.reset();
    Effect = DropEffectNone;
    throw;
  }
}

void TDropTarget::OleDragOver(unsigned KeyState, TDropPoint Screen, unsigned& Effect) {
  TDropPoint Point = ToClient(Screen);
  bool Scrolling = false;
  if (FDataObject) {
    unsigned Shift = ShiftOfKeys(KeyState);
    Effect = ChooseDropEffect(Shift, Point, Effect);
    DragOver(Shift, Point, Effect);
    Scrolling = (FScrollHorizontal || FScrollVertical) && (Effect & DropEffectScroll);
    FScrollTimer.SetEnabled(Scrolling);
  } else {
    Effect = DropEffectNone;
  }
  if (FDragImageShown && Point != FLastPoint && !Scrolling && FPeer)
    FPeer->MoveDragImage(Window(), Point);
  FLastPoint = Point;
}

void TDropTarget::OleDragLeave() {
  ClearData();
  FScrollTimer.SetEnabled(false);
  FDataObject.reset();
  LeaveImage();
  Leave();
}

void TDropTarget::OleDrop(unsigned KeyState, TDropPoint Screen, unsigned& Effect) {
  // The drag image goes also when nothing is held: OLE ends the drag with Drop, not DragLeave.
  FScrollTimer.SetEnabled(false);
  LeaveImage();
  if (!FDataObject) {
    Effect = DropEffectNone;
    return;
  }
  try {
    unsigned Shift = ShiftOfKeys(KeyState);
    TDropPoint Point = ToClient(Screen);
    Effect = ChooseDropEffect(Shift, Point, Effect);
    // An effect that allows nothing reads nothing.
    if ((Effect & ~DropEffectScroll) != DropEffectNone && (GetDataOnEnter || FetchData()))
      Drop(Shift, Point, Effect);
    else
      Effect = DropEffectNone;
  } catch (...) {
    Effect = DropEffectNone;
    ClearData();
    FDataObject.reset();
    throw;
  }
  ClearData();
  FDataObject.reset();
}

unsigned TDropTarget::ChooseDropEffect(unsigned Shift, TDropPoint Point, unsigned Offered) {
  unsigned Allowed = Offered;
  if (!(Dragtypes & dtCopy)) Allowed &= ~DropEffectCopy;
  if (!(Dragtypes & dtMove)) Allowed &= ~DropEffectMove;
  if (!(Dragtypes & dtLink)) Allowed &= ~DropEffectLink;
  if (OnGetDropEffect) {
    unsigned Effect = Allowed;
    OnGetDropEffect(this, Shift, Point, Effect);
    return Effect;
  }
  const bool ShiftDown = (Shift & ssShift) != 0, CtrlDown = (Shift & ssCtrl) != 0;
  unsigned Result = DropEffectNone;
  if (ShiftDown && CtrlDown && (Allowed & DropEffectLink))
    Result = DropEffectLink;
  else if (ShiftDown && !CtrlDown && (Allowed & DropEffectMove))
    Result = DropEffectMove;
  else if (Allowed & DropEffectCopy)
    Result = DropEffectCopy;
  else if (Allowed & DropEffectMove)
    Result = DropEffectMove;
  else if (Allowed & DropEffectLink)
    Result = DropEffectLink;
  if (FScrollHorizontal || FScrollVertical) {
    int Width = 0, Height = 0;
    if (FPeer && Window()) FPeer->ClientSize(Window(), Width, Height);
    if ((FScrollHorizontal && (Point.X < FScrollMargin || Point.X > Width - FScrollMargin)) ||
        (FScrollVertical && (Point.Y < FScrollMargin || Point.Y > Height - FScrollMargin)))
      Result |= DropEffectScroll;
  }
  return Result;
}

void TDropTarget::ScrollTimerTick() {
  if (!FPeer || !Window()) return;
  if (FDragImageShown) FPeer->LeaveDragImage(Window());
  int Width = 0, Height = 0;
  FPeer->ClientSize(Window(), Width, Height);
  const TDropPoint P = FLastPoint;
  if (P.Y < FScrollMargin)
    FPeer->Scroll(Window(), WmVScroll, SbLineUp);
  else if (P.Y > Height - FScrollMargin)
    FPeer->Scroll(Window(), WmVScroll, SbLineDown);
  if (P.X < FScrollMargin)
    FPeer->Scroll(Window(), WmHScroll, SbLineUp);
  else if (P.X > Width - FScrollMargin)
    FPeer->Scroll(Window(), WmHScroll, SbLineDown);
  if (FDragImageShown) FDragImageShown = FPeer->EnterDragImage(Window(), P);
}

void TDropTarget::Enter(unsigned Shift, TDropPoint Point, unsigned& Effect) {
  if (OnEnter) OnEnter(this, Shift, Point, Effect);
}

void TDropTarget::DragOver(unsigned Shift, TDropPoint Point, unsigned& Effect) {
  if (OnDragOver) OnDragOver(this, Shift, Point, Effect);
}

void TDropTarget::Drop(unsigned Shift, TDropPoint Point, unsigned& Effect) {
  if (OnDrop) OnDrop(this, Shift, Point, Effect);
}

void TDropTarget::Leave() {
  if (OnLeave) OnLeave(this);
}

// ---- TDropFileTarget ----

namespace {

TFormatEtc FixedFormat(unsigned Format) {
  TFormatEtc Result;
  Result.Format = Format;
  return Result;
}

// The refusal of a dropped internet shortcut ("FileContents") without a URL line.
constexpr const char* NoShortcutURLText = "インターネットショートカットに URL がありません";

// The refusal of a URL that the shell would read otherwise than it is stored.
void CheckURL(const std::string& URL) {
  if (!IsAcceptableURL(URL))
    throw Exception(
        "URLに制御文字が含まれているため、ランチャにできません。\r\n" +
        Abbreviate(ReplaceChar(ReplaceChar(ReplaceChar(URL, '\0', ' '), '\r', ' '), '\n', ' '),
                   200));
}

// The same for a link's name, which would become the launcher's name.
void CheckLinkName(const std::string& Name) {
  if (!IsAcceptableLinkName(Name))
    throw Exception("リンクの名前に制御文字が含まれているため、ランチャにできません。\r\n" +
                    Abbreviate(ReplaceChar(ReplaceChar(Name, '\r', ' '), '\n', ' '), 200));
}

}  // namespace

TDropFileTarget::TDropFileTarget() {
  Dragtypes = dtLink;
  const TClipboardFormats& Formats = ClipboardFormats();
  FURLFormat = FixedFormat(Formats.UniformResourceLocator);
  FContentsFormat = FixedFormat(Formats.FileContents);
  FContentsFormat.Index = 0;
  FDescriptorFormat = FixedFormat(Formats.FileGroupDescriptor);
}

TDropFileTarget::~TDropFileTarget() = default;

bool TDropFileTarget::HasAcceptedFormat() {
  TDropData* Data = DataObject();
  if (!Data) return false;
  if (Data->QueryGetData(FixedFormat(CfHDrop))) return true;
  std::vector<TFormatEtc> Formats;
  if (!Data->EnumFormats(Formats)) return false;
  for (const TFormatEtc& F : Formats)
    if (!F.TargetDevice && F.Aspect == DvAspectContent && (F.Tymed & TymedHGlobal) &&
        (F.Format == FURLFormat.Format || F.Format == FContentsFormat.Format ||
         F.Format == CfHDrop || F.Format == CfText))
      return true;
  return false;
}

bool TDropFileTarget::FetchData() {
  TDropData* Data = DataObject();
  if (!Data) return false;
  std::string URL, Name, Block;
  bool Result = false;
  using TGet = TDropData::TGet;
  // Steps 1 to 3: a URL from the first of the URL block, CF_TEXT and "FileContents".
  const struct {
    TFormatEtc Format;
    bool Contents;
  } Sources[] = {{FURLFormat, false}, {FixedFormat(CfText), false}, {FContentsFormat, true}};
  for (const auto& Source : Sources) {
    TGet Got = Data->GetData(Source.Format, Block);
    if (Got == TGet::OtherMedium) return false;
    if (Got == TGet::Failed) continue;
    if (!Source.Contents)
      URL = BlockText(Block.data(), Block.size());
    else if (!ContentsURL(Block.data(), Block.size(), URL))
      throw Exception(NoShortcutURLText);
    CheckURL(URL);
    Result = true;
    break;
  }
  if (!Result) {
    // Step 4: a file list.
    TGet Got = Data->GetData(FixedFormat(CfHDrop), Block);
    if (Got == TGet::OtherMedium) return false;
    if (Got == TGet::Global) {
      std::vector<std::string> Names, Unusable;
      ReadDropFiles(Block.data(), Block.size(), Names, WideToCp932, &Unusable);
      // A name without a CP932 form would name another file: the whole drop is refused.
      if (!Unusable.empty()) {
        std::string Text;
        for (const std::string& U : Unusable) Text += "\r\n" + Abbreviate(U, 300);
        throw Exception(
            "次のファイルの名前には Shift-JIS で表せない文字が含まれているため、ランチャにできま"
            "せん。" +
            Text);
      }
      if (Names.empty()) return false;
      for (const std::string& FileName : Names) {
        std::string FileURL;
        if (UpperCaseAscii(ExtractFileExt(FileName)) == ".URL" && ReadUrlFile(FileName, FileURL)) {
          // Without its extension ".url", four single-byte characters.
          std::string Base = ExtractFileName(FileName);
          FDropped.push_back({true, Base.substr(0, Base.size() - 4), FileURL});
        } else {
          FDropped.push_back({false, FileName, ""});
        }
      }
      return true;
    }
  }
  // Step 5: the name, from the descriptor or else the URL itself.
  TGet Got = Data->GetData(FDescriptorFormat, Block);
  if (Got == TGet::OtherMedium) return false;
  if (Got != TGet::Global || !DescriptorName(Block.data(), Block.size(), Name)) {
    Name = URL;
  } else {
    CheckLinkName(Name);
    Name = LinkName(Name);
  }
  // Step 6.
  if (!Name.empty()) {
    FDropped.push_back({true, Name, URL});
    Result = true;
  }
  return Result;
}

void TDropFileTarget::Drop(unsigned Shift, TDropPoint Point, unsigned& Effect) {
  TDropTarget::Drop(Shift, Point, Effect);
  if (FDropped.empty()) return;
  QueueCall(this, [this, Dropped = std::move(FDropped)] {
    for (const TDropped& D : Dropped)
      Application().Guard([&] {
        if (!D.IsURL && OnDropFile)
          OnDropFile(this, D.Name);
        else if (D.IsURL && OnDropURL)
          OnDropURL(this, D.Name, D.URL);
      });
  });
  FDropped.clear();
}

}  // namespace lantern
