#include "shell/TaskTray.h"

#include <memory>
#include <utility>
#include <vector>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr unsigned ErrorTimeout = 1460;  // ERROR_TIMEOUT: the shell was too busy to answer
constexpr int MaxRetries = 3;
constexpr unsigned IconDataSize = 88;  // the classic NOTIFYICONDATA

// Icon IDs in decimal with their icons, in the order they were made.
std::vector<std::pair<std::string, TTaskTray*>> TrayIconList;
std::unique_ptr<TNotifyWindow> NotifyWindow;
bool TrayBusy = false;  // a callback is being handled (a menu may be open in it)

struct TBusy {
  TBusy() { TrayBusy = true; }
  ~TBusy() { TrayBusy = false; }
};

auto FindEntry(const std::string& ID) {
  auto It = TrayIconList.begin();
  while (It != TrayIconList.end() && It->first != ID) ++It;
  return It;
}

// At most 63 bytes, without cutting a double-byte character in two.
std::string ShortTip(const std::string& Tip) {
  constexpr size_t Max = 63;
  if (Tip.size() <= Max) return Tip;
  size_t Length = 0;
  while (Length < Max) {
    size_t Next = Length + (IsLeadByte(Tip[Length]) ? 2 : 1);
    if (Next > Max) break;
    Length = Next;
  }
  return Tip.substr(0, Length);
}

}  // namespace

// TNotifyWindow

TNotifyWindow::TNotifyWindow()
    : TMessageWindow("TNotifyWindow"), FTaskbarCreated(System().RegisterMessage("TaskbarCreated")) {
  CreateHandle();
}

void TNotifyWindow::WndProc(unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) {
  if (Message == FTaskbarCreated && FTaskbarCreated != 0) {
    // By ID: adding an icon may fail and show an error, during which icons can come and go.
    std::vector<std::string> IDs;
    for (auto& Entry : TrayIconList) IDs.push_back(Entry.first);
    for (const std::string& ID : IDs) {
      auto It = FindEntry(ID);
      if (It != TrayIconList.end()) It->second->Readd();
    }
    return;
  }
  if (Message != WM_TRAYNOTIFY) return;
  int X, Y;
  System().CursorPos(X, Y);
  TTaskTray* Tray = TTaskTray::FindIcon(static_cast<unsigned>(WParam));
  if (!Tray || TrayBusy) return;
  TBusy Busy;
  switch (LParam) {
    case WmMouseMove: Tray->MouseMove(X, Y); break;
    case WmLButtonDown: Tray->MouseDown(TMouseButton::mbLeft, ssLeft, X, Y); break;
    case WmLButtonUp: Tray->MouseUp(TMouseButton::mbLeft, ssLeft, X, Y); break;
    case WmLButtonDblClk: Tray->DblClick(TMouseButton::mbLeft); break;
    case WmRButtonDown: Tray->MouseDown(TMouseButton::mbRight, ssRight, X, Y); break;
    case WmRButtonUp: Tray->MouseUp(TMouseButton::mbRight, ssRight, X, Y); break;
    case WmRButtonDblClk: Tray->DblClick(TMouseButton::mbRight); break;
    case WmMButtonDown: Tray->MouseDown(TMouseButton::mbMiddle, ssMiddle, X, Y); break;
    case WmMButtonUp: Tray->MouseUp(TMouseButton::mbMiddle, ssMiddle, X, Y); break;
    default: break;
  }
}

// TTaskTray

TTaskTray::TTaskTray(TWinControl* AOwner) : FOwner(AOwner) {
  FIconID = TrayIconList.empty() ? 1 : std::stoi(TrayIconList.back().first) + 1;
  TrayIconList.emplace_back(std::to_string(FIconID), this);
}

TTaskTray::~TTaskTray() {
  SetPopupMenuL(nullptr);
  SetPopupMenuR(nullptr);
  DeleteIcon();
  auto It = FindEntry(std::to_string(FIconID));
  if (It != TrayIconList.end()) TrayIconList.erase(It);
  // The notify window goes with the last icon, before the window that owns them.
  if (TrayIconList.empty()) NotifyWindow.reset();
}

TNotifyWindow* TTaskTray::GetNotifyWindow() { return NotifyWindow.get(); }

TTaskTray* TTaskTray::FindIcon(unsigned ID) {
  auto It = FindEntry(std::to_string(ID));
  return It == TrayIconList.end() ? nullptr : It->second;
}

void TTaskTray::SetMenu(TPopupMenu*& Field, TPopupMenu* Value) {
  TPopupMenu* Old = Field;
  Field = Value;
  if (Old && Old != FPopupMenuL && Old != FPopupMenuR) Old->RemoveFreeNotification(this);
  if (Value) Value->FreeNotification(this);
}

void TTaskTray::MenuFreed(TPopupMenu* Menu) {
  if (FPopupMenuL == Menu) FPopupMenuL = nullptr;
  if (FPopupMenuR == Menu) FPopupMenuR = nullptr;
}

void TTaskTray::SetTipString(const std::string& Value) {
  if (Value == FTipString) return;
  FTipString = Value;
  UpdateIcon();
}

void TTaskTray::SetIcon(const TIcon& Value) {
  if (Value.Handle() == FIcon.Handle()) return;
  FIcon = Value;
  if (Value.Empty())
    DeleteIcon();
  else
    UpdateIcon();
}

void TTaskTray::SetIconID(int Value) {
  if (Value <= 0) throw EInvalidOperation("0以下は指定できません");
  if (Value == FIconID) return;
  std::string Text = std::to_string(Value);
  if (FindEntry(Text) != TrayIconList.end())
    throw EInvalidOperation("同じアイコン識別子が有ります");
  if (FRegistered) {
    DeleteIcon();
    FRegistered = true;  // added again below under the new ID
  }
  FindEntry(std::to_string(FIconID))->first = Text;
  FIconID = Value;
  UpdateIcon();
}

void TTaskTray::SetRegistered(bool Value) {
  if (Value == FRegistered) return;
  if (!Value) {
    DeleteIcon();
    return;
  }
  if (FIcon.Empty()) throw EInvalidOperation("アイコンが指定されていません");
  FRegistered = true;
  UpdateIcon();
}

void TTaskTray::DeleteIcon() {
  if (FAdded) {
    unsigned Error = 0;
    Shell().NotifyIcon(NimDelete, FIconData, Error);
  }
  FAdded = false;
  FRegistered = false;
}

void TTaskTray::UpdateIcon() {
  if (!FRegistered) return;
  if (!NotifyWindow) NotifyWindow = std::make_unique<TNotifyWindow>();
  if (!FAdded) {
    FIconData.Size = IconDataSize;
    FIconData.Window = NotifyWindow->Handle();
    FIconData.CallbackMessage = WM_TRAYNOTIFY;
  }
  FIconData.ID = static_cast<unsigned>(FIconID);
  FIconData.Flags = NifMessage | NifIcon | (FTipString.empty() ? 0 : NifTip);
  FIconData.Icon = FIcon.Handle();
  FIconData.Tip = ShortTip(FTipString);
  unsigned Error = 0;
  if (FAdded) {
    if (!Shell().NotifyIcon(NimModify, FIconData, Error))
      throw EInvalidOperation("タスクトレイに登録できません");
    return;
  }
  if (Shell().NotifyIcon(NimAdd, FIconData, Error)) {
    FAdded = true;
    return;
  }
  // A shell that is busy (at log-on, say) times out; it may have taken the icon all the same.
  int Retries = 0;
  while (Error == ErrorTimeout && Retries < MaxRetries) {
    ++Retries;
    System().Sleep(100);
    if (Shell().NotifyIcon(NimModify, FIconData, Error) ||
        Shell().NotifyIcon(NimAdd, FIconData, Error)) {
      FAdded = true;
      return;
    }
  }
  throw EInvalidOperation("タスクトレイに登録できません(" + std::to_string(Retries) + ")");
}

void TTaskTray::Readd() {
  if (!FRegistered) return;
  FAdded = false;
  UpdateIcon();
}

void TTaskTray::DblClick(TMouseButton Button) {
  if (OnDblClick) OnDblClick(this, Button);
}

void TTaskTray::MouseMove(int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, 0, X, Y);
}

void TTaskTray::MouseUp(TMouseButton Button, unsigned Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TTaskTray::OpenMenu(TMouseButton Button, std::optional<TPopupPos> Point) {
  if (TrayBusy) return;
  TBusy Busy;
  int X, Y;
  if (!Point) {
    System().CursorPos(X, Y);
  } else {
    // A fixed point in screen pixels: on its monitor's work area, or brought onto the nearest
    // one when no monitor holds it any more (a monitor taken away, another arrangement).
    const TRect At = KeepInArea({Point->X, Point->Y, Point->X + 1, Point->Y + 1},
                                System().WorkAreaAt(Point->X, Point->Y));
    X = At.Left;
    Y = At.Top;
  }
  MouseDown(Button, Button == TMouseButton::mbLeft ? ssLeft : ssRight, X, Y);
}

void TTaskTray::MouseDown(TMouseButton Button, unsigned Shift, int X, int Y) {
  // The menu closes when the user clicks elsewhere only if its window is in front. A hidden
  // owner stays behind (it would get the keys): the menu's own window comes instead.
  if (dynamic_cast<TForm*>(FOwner)) {
    System().SetForegroundWindow(FOwner->Visible() ? FOwner->Handle()
                                                   : System().ApplicationWindow());
    Application().ProcessMessages();
  }
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && FPopupMenuL)
    FPopupMenuL->Popup(X, Y);
  else if (Button == TMouseButton::mbRight && FPopupMenuR)
    FPopupMenuR->Popup(X, Y);
}

}  // namespace lantern
