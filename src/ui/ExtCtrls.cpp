#include "ui/ExtCtrls.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Widgets.h"

namespace lantern {

void TProgressBar::SetProgress(int Position, int Max) {
  FMax = std::max(Max, 0);
  FPosition = std::clamp(Position, 0, FMax);
  if (Peer()) Peer()->StateChanged();
}

std::unique_ptr<TControlPeer> TProgressBar::CreateNativePeer(TWidgetFactory& Factory,
                                                             void* Parent) {
  return Factory.CreateProgressBar(*this, Parent);
}

TUpDown::TUpDown(TWinControl* Parent) : TWinControl(Parent) { SetTabStop(false); }

TUpDown::~TUpDown() {
  if (FAssociate) FAssociate->OnExit = nullptr;
}

void TUpDown::SetMin(int Value) {
  FMin = Value;
  FMax = std::max(FMax, FMin);
  SetPosition(Position());
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  FMin = std::min(FMin, FMax);
  SetPosition(Position());
}

int TUpDown::Position() const {
  if (!FAssociate) return FPosition;
  const std::string& Text = FAssociate->Text();
  const char* Begin = Text.c_str();
  char* End = nullptr;
  // A number beyond even long long comes back as its limit, and so clamps like any other.
  long long Value = std::strtoll(Begin, &End, 10);
  if (End == Begin || *End != '\0') return FPosition;
  return static_cast<int>(std::clamp<long long>(Value, FMin, FMax));
}

void TUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, FMin, FMax);
  if (FAssociate) FAssociate->SetText(std::to_string(FPosition));
  if (Peer()) Peer()->StateChanged();
}

void TUpDown::SetAssociate(TEdit* Value) {
  FAssociate = Value;
  SetPosition(FPosition);
  // A number typed beyond the range shows as the range's end once the user leaves the edit.
  if (FAssociate)
    FAssociate->OnExit = [this](TWinControl*) {
      if (FAssociate->Text() != std::to_string(Position())) SetPosition(Position());
    };
}

void TUpDown::NativeDelta(int Delta) {
  int Old = Position();
  SetPosition(Old + Delta);
  if (OnClick) OnClick(this);
}

TTabSheet::TTabSheet(TPageControl* PageControl)
    : TCaptionControl(PageControl), FPageControl(PageControl) {
  SetTabStop(false);
  PageControl->FPages.push_back(this);
  SetVisible(false);
  if (!PageControl->FActive) PageControl->SetActivePage(this);
  PageControl->PagesChanged();
}

TTabSheet::~TTabSheet() {
  auto& Pages = FPageControl->FPages;
  Pages.erase(std::find(Pages.begin(), Pages.end(), this));
  if (FPageControl->FActive == this)
    FPageControl->SetActivePage(Pages.empty() ? nullptr : Pages.front());
  SetPeer(nullptr);
  FPageControl->PagesChanged();
}

int TTabSheet::PageIndex() const {
  const auto& Pages = FPageControl->FPages;
  return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

TPageControl::TPageControl(TWinControl* Parent) : TWinControl(Parent) {}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->PageControl() != this) return;
  FActive = Value;
  for (TTabSheet* Page : FPages) Page->SetVisible(Page == FActive);
  if (Peer()) Peer()->StateChanged();
}

void TPageControl::NativeSelect(int Index) {
  if (Index < 0 || Index >= PageCount()) return;
  SetActivePage(FPages[Index]);
  if (OnChange) OnChange(this);
}

void TPageControl::NativeDisplayRect(const TRect& Value) {
  FNativeDisplay = true;
  FDisplay = Value;
  PlacePages();
}

void TPageControl::BoundsChanged() {
  // Windowless: a row of tabs 20 pixels high over a frame of 4 pixels.
  if (!FNativeDisplay) FDisplay = {4, 24, std::max(4, Width() - 4), std::max(24, Height() - 4)};
  PlacePages();
}

void TPageControl::PlacePages() {
  for (TTabSheet* Page : FPages)
    Page->SetBounds(FDisplay.Left, FDisplay.Top, FDisplay.Right - FDisplay.Left,
                    FDisplay.Bottom - FDisplay.Top);
}

void TPageControl::PagesChanged() {
  PlacePages();
  if (auto* Native = static_cast<TPageControlPeer*>(Peer())) {
    Native->PagesChanged();
    Native->StateChanged();
  }
}

TPanel::TPanel(TWinControl* Parent) : TWinControl(Parent) { SetTabStop(false); }

TPaintPanel::TPaintPanel(TWinControl* Parent) : TWinControl(Parent) { SetTabStop(false); }

void TPaintPanel::SetColor(TColor Value) {
  FColor = Value;
  Invalidate();
}

void TPaintPanel::Invalidate() {
  if (auto* Native = static_cast<TPaintPanelPeer*>(Peer())) Native->Invalidate();
}

void TPaintPanel::Paint(TCanvas& Canvas) {
  Canvas.SetBrushColor(FColor);
  Canvas.FillRect({0, 0, Width(), Height()});
  if (OnPaint) OnPaint(this, Canvas);
}

void TPaintPanel::SetBorder(bool Value) {
  if (FBorder == Value) return;
  FBorder = Value;
  if (Peer()) Peer()->StateChanged();
}

void TPaintPanel::Click() {
  if (Enabled() && OnClick) OnClick(this);
}

void TPaintPanel::NativeMouseDown(int X, int Y) {
  if (Enabled() && OnMouseDown) OnMouseDown(this, X, Y);
}

TImage::TImage(TWinControl* Parent) : TWinControl(Parent) { SetTabStop(false); }

void TImage::SetPicture(const TIcon& Value) {
  FPicture = Value;
  if (Peer()) Peer()->StateChanged();
}

std::unique_ptr<TControlPeer> TUpDown::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateUpDown(*this, Parent);
}
std::unique_ptr<TControlPeer> TTabSheet::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateTabSheet(*this, Parent);
}
std::unique_ptr<TControlPeer> TPageControl::CreateNativePeer(TWidgetFactory& Factory,
                                                             void* Parent) {
  return Factory.CreatePageControl(*this, Parent);
}
std::unique_ptr<TControlPeer> TPanel::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreatePanel(*this, Parent);
}
std::unique_ptr<TControlPeer> TPaintPanel::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreatePaintPanel(*this, Parent);
}
std::unique_ptr<TControlPeer> TImage::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateImage(*this, Parent);
}

}  // namespace lantern
