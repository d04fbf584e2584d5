#include "ui/Form.h"

#include <algorithm>
#include <vector>

#include "base/Cp932.h"
#include "base/Scoped.h"
#include "ui/Application.h"
#include "ui/Dpi.h"
#include "ui/ExtCtrls.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/System.h"
#include "ui/Widgets.h"

namespace lantern {

TForm::TForm(const std::string& WindowClass) : FWindowClass(WindowClass) {
  // Forms start hidden, as top-level windows do.
  SetVisible(false);
  FFont.SetCharset(ShiftJisCharset);
}

TForm::~TForm() = default;

void TForm::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (Peer()) Peer()->StateChanged();
}

void TForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  if (Peer()) Peer()->StateChanged();
}

void TForm::SetClientSize(int Width, int Height) {
  FWantedClientWidth = Width;
  FWantedClientHeight = Height;
  // The frame is what the bounds have beyond the client area (nothing windowless), in pixels,
  // as the bounds are; the client area is laid out in layout units.
  const int FrameX = this->Width() - (FClientPixelsX >= 0 ? FClientPixelsX : this->Width());
  const int FrameY = this->Height() - (FClientPixelsY >= 0 ? FClientPixelsY : this->Height());
  SetBounds(Left(), Top(), ScaleToDpi(Width, FDpi) + FrameX, ScaleToDpi(Height, FDpi) + FrameY);
}

void TForm::Show() {
  bool WasVisible = Visible();
  if (!WasVisible && OnBeforeShow) OnBeforeShow(this);
  if (!WasVisible && FPosition == TFormPosition::ScreenCenter) {
    // Centred on the work area of the monitor it is on (the task bar does not count).
    const TRect Area = System().WorkAreaAt(Left() + Width() / 2, Top() + Height() / 2);
    SetBounds(Area.Left + (Area.Width() - Width()) / 2, Area.Top + (Area.Height() - Height()) / 2,
              Width(), Height());
  }
  SetVisible(true);
  if (!WasVisible && OnShow) OnShow(this);
}

void TForm::Close() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  if (!CanClose) return;
  if (FModal) {
    // A modal form is only hidden: its owner reads it after ShowModal.
    if (FModalResult == mrNone) FModalResult = mrCancel;
    return;
  }
  FClosed = true;
  SetVisible(false);
  if (OnClose) OnClose(this);
  if (Peer()) Peer()->Closed();
}

namespace {
std::vector<TForm*> ModalForms;  // innermost last
}  // namespace

TForm* TForm::ModalForm() { return ModalForms.empty() ? nullptr : ModalForms.back(); }

TModalResult TForm::ShowModal() {
  TScopedValue<bool> Modal(FModal, true);
  ModalForms.push_back(this);
  struct TPop {
    ~TPop() { ModalForms.pop_back(); }
  } Pop;
  TModalLoop Loop;
  FModalResult = mrNone;
  CreateHandle();
  if (Widgets()) {
    Widgets()->RunModal(*this);  // which shows the form once it has chosen its owner
  } else {
    Show();
    if (ModalUser) ModalUser(*this);
  }
  if (FModalResult == mrNone) FModalResult = mrCancel;
  SetVisible(false);
  return FModalResult;
}

namespace {

void Collect(TWinControl& Parent, std::vector<TWinControl*>& Out) {
  for (TWinControl* c : Parent.TabOrdered()) {
    if (!c->Visible() || !c->Enabled()) continue;
    if (c->TabStop()) Out.push_back(c);
    Collect(*c, Out);
  }
}

template <typename T, typename TFlag>
T* FindButton(TWinControl& Parent, TFlag Flag) {
  for (TWinControl* c : Parent.Controls()) {
    auto* b = dynamic_cast<T*>(c);
    if (b && (b->*Flag)() && b->Visible() && b->Enabled()) return b;
    if (T* Found = FindButton<T>(*c, Flag)) return Found;
  }
  return nullptr;
}

// Every control the user can reach now (shown, enabled, on the page that shows), in tab
// order, with or without a tab stop.
void CollectReachable(TWinControl& Parent, std::vector<TWinControl*>& Out) {
  for (TWinControl* c : Parent.TabOrdered()) {
    if (!c->Visible() || !c->Enabled()) continue;
    Out.push_back(c);
    CollectReachable(*c, Out);
  }
}

bool Contains(TWinControl* Parent, TWinControl* Control) {
  for (; Control; Control = Control->Parent())
    if (Control == Parent) return true;
  return false;
}

}  // namespace

bool TForm::DialogChar(char Letter) {
  if (Letter >= 'a' && Letter <= 'z') Letter = static_cast<char>(Letter - 'a' + 'A');
  std::vector<TWinControl*> Reachable, Matches;
  CollectReachable(*this, Reachable);
  for (TWinControl* c : Reachable)
    if (auto* Captioned = dynamic_cast<TCaptionControl*>(c);
        Captioned && !dynamic_cast<TGroupBox*>(c) && !dynamic_cast<TTabSheet*>(c) &&
        AltLetter(Captioned->Caption()) == Letter)
      Matches.push_back(c);
  if (Matches.empty()) return false;
  if (Matches.size() > 1) {
    // Several controls share the letter: each press moves on to the next, pressing none. A
    // label is where the focus is when its control has it.
    auto It = std::find_if(Matches.begin(), Matches.end(), [](TWinControl* c) {
      auto* Label = dynamic_cast<TLabel*>(c);
      return (Label && Label->FocusControl() ? Label->FocusControl() : c)->Focused();
    });
    TWinControl* Next =
        It == Matches.end() || It + 1 == Matches.end() ? Matches.front() : *(It + 1);
    auto* Label = dynamic_cast<TLabel*>(Next);
    if (!Label)
      Next->SetFocus();
    else if (Label->FocusControl())
      Label->FocusControl()->SetFocus();
    return true;
  }
  TWinControl* Match = Matches.front();
  if (auto* Label = dynamic_cast<TLabel*>(Match)) {
    // A label focuses its control, or acts when it has none (a colour label opens its chooser).
    if (Label->FocusControl())
      Label->NativeAccelerator();
    else
      Label->Click();
  } else if (auto* Button = dynamic_cast<TButton*>(Match)) {
    Button->SetFocus();
    Button->Click();
  } else if (auto* Box = dynamic_cast<TCheckBox*>(Match)) {
    Box->SetFocus();
    Box->NativeClick();
  } else if (auto* Radio = dynamic_cast<TRadioButton*>(Match)) {
    Radio->SetFocus();
    Radio->NativeClick();
  } else {
    Match->SetFocus();
  }
  return true;
}

bool TForm::NextPage(bool Forward) {
  // The page control the focus is in, else the first one showing.
  TPageControl* Pages = nullptr;
  std::vector<TWinControl*> Reachable;
  CollectReachable(*this, Reachable);
  for (TWinControl* c : Reachable)
    if (auto* p = dynamic_cast<TPageControl*>(c); p && p->PageCount() > 0) {
      if (!Pages) Pages = p;
      if (p->Focused() || (p->ActivePage() && Contains(p->ActivePage(), FocusedControl())))
        Pages = p;
    }
  if (!Pages) return false;
  const bool FocusInPage = Pages->ActivePage() && Contains(Pages->ActivePage(), FocusedControl());
  const int n = Pages->PageCount();
  Pages->NativeSelect((Pages->ActivePageIndex() + (Forward ? 1 : n - 1)) % n);
  // The focus leaves the page that went away for the first control of the new one.
  if (FocusInPage || !Pages->Focused()) {
    std::vector<TWinControl*> Order;
    Collect(*Pages->ActivePage(), Order);
    (Order.empty() ? static_cast<TWinControl*>(Pages) : Order.front())->SetFocus();
  }
  return true;
}

TWinControl* TForm::FocusedControl() {
  std::vector<TWinControl*> Reachable;
  CollectReachable(*this, Reachable);
  for (TWinControl* c : Reachable)
    if (c->Focused()) return c;
  return nullptr;
}

void TForm::SelectFirst() {
  // A control on a hidden page, or in a disabled box, cannot take the focus.
  bool Reachable = FActiveControl != nullptr;
  for (TWinControl* c = FActiveControl; c && c != this; c = c->Parent())
    Reachable = Reachable && c->Visible() && c->Enabled();
  if (Reachable) {
    FActiveControl->SetFocus();
    return;
  }
  std::vector<TWinControl*> Order;
  Collect(*this, Order);
  if (!Order.empty()) Order.front()->SetFocus();
}

void TForm::SelectNext(bool Forward) {
  std::vector<TWinControl*> Order;
  Collect(*this, Order);
  if (Order.empty()) return;
  auto It = std::find_if(Order.begin(), Order.end(), [](TWinControl* c) { return c->Focused(); });
  int n = static_cast<int>(Order.size());
  int i = It == Order.end() ? (Forward ? -1 : 0) : static_cast<int>(It - Order.begin());
  Order[(i + (Forward ? 1 : n - 1)) % n]->SetFocus();
}

bool TForm::DialogKey(unsigned Key, unsigned Shift) {
  switch (Key) {
    case VkTab:
      // Ctrl+Tab turns the pages, as in the system's property sheets.
      if (Shift & ssCtrl) return NextPage(!(Shift & ssShift));
      SelectNext(!(Shift & ssShift));
      return true;
    case VkReturn:
      if (TButton* Button = FindButton<TButton>(*this, &TWinControl::Focused))
        Button->Click();
      else if (TButton* Button = FindButton<TButton>(*this, &TButton::Default))
        Button->Click();
      return true;
    case VkEscape:
      if (TButton* Button = FindButton<TButton>(*this, &TButton::Cancel))
        Button->Click();
      else if (FModal)
        FModalResult = mrCancel;
      return true;
    default: return false;
  }
}

void TForm::CreateHandle() {
  if (Handle() || !Widgets()) return;
  Widgets()->CreateForm(*this);
  // Now the frame is known.
  if (FWantedClientWidth >= 0) SetClientSize(FWantedClientWidth, FWantedClientHeight);
}

namespace {

TAction* FindShortCut(TMenuItem& Parent, unsigned ShortCut) {
  for (int i = 0; i < Parent.Count(); ++i) {
    TMenuItem* Item = Parent.Items(i);
    if (Item->Action() && Item->Action()->ShortCut() == ShortCut) return Item->Action();
    if (TAction* Found = FindShortCut(*Item, ShortCut)) return Found;
  }
  return nullptr;
}

}  // namespace

bool TForm::IsShortCut(unsigned Key, unsigned Shift) {
  if (!FMenu || Key == 0) return false;
  TAction* Action = FindShortCut(FMenu->Items(), Key | (Shift & (ssShift | ssCtrl | ssAlt)));
  // A disabled command leaves the key to the control (Shift+Up then extends the selection).
  if (!Action || !Action->Enabled() || !Action->OnExecute) return false;
  // One that fails has used the key all the same: the control must not run another on it.
  Application().Guard([Action] { Action->Execute(); });
  return true;
}

bool TForm::NativeQueryEndSession() {
  bool CanEnd = true;
  if (OnQueryEndSession) OnQueryEndSession(this, CanEnd);
  return CanEnd;
}

void TForm::NativeEndSession(bool Ending) {
  if (OnEndSession) OnEndSession(this, Ending);
}

int TForm::ClientWidth() const { return FClientWidth >= 0 ? FClientWidth : Width(); }
int TForm::ClientHeight() const { return FClientHeight >= 0 ? FClientHeight : Height(); }

namespace {

// The most layout units whose pixels fit in Pixels: children laid out over the whole client
// area must not reach a pixel beyond it.
int LayoutWithin(int Pixels, int Dpi) {
  const int Units = ScaleFromDpi(Pixels, Dpi);
  return ScaleToDpi(Units, Dpi) > Pixels ? Units - 1 : Units;
}

}  // namespace

void TForm::NativeClientSize(int Width, int Height) {
  FClientPixelsX = Width;
  FClientPixelsY = Height;
  FClientWidth = LayoutWithin(Width, FDpi);
  FClientHeight = LayoutWithin(Height, FDpi);
  Realign();
}

void TForm::NativeDpiChanged(int Dpi) {
  if (Dpi <= 0 || Dpi == FDpi) return;
  FDpi = Dpi;
  if (FClientPixelsX >= 0) NativeClientSize(FClientPixelsX, FClientPixelsY);
  if (OnDpiChanged) OnDpiChanged(this);
}

}  // namespace lantern
