#include "ui/Form.h"

#include "ui/Menus.h"
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

void TForm::Show() {
  bool WasVisible = Visible();
  SetVisible(true);
  if (!WasVisible && OnShow) OnShow(this);
}

void TForm::Close() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  if (!CanClose) return;
  FClosed = true;
  SetVisible(false);
  if (Peer()) Peer()->Closed();
}

void TForm::CreateHandle() {
  if (!Handle() && Widgets()) Widgets()->CreateForm(*this);
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
  return Action && Action->Execute();
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

void TForm::NativeClientSize(int Width, int Height) {
  FClientWidth = Width;
  FClientHeight = Height;
  Realign();
}

}  // namespace lantern
