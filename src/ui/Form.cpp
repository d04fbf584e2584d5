#include "ui/Form.h"

#include "ui/Widgets.h"

namespace lantern {

TForm::TForm(const std::string& WindowClass) : FWindowClass(WindowClass) {
  // Forms start hidden, as top-level windows do.
  SetVisible(false);
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

int TForm::ClientWidth() const { return FClientWidth >= 0 ? FClientWidth : Width(); }
int TForm::ClientHeight() const { return FClientHeight >= 0 ? FClientHeight : Height(); }

void TForm::NativeClientSize(int Width, int Height) {
  FClientWidth = Width;
  FClientHeight = Height;
  Realign();
}

}  // namespace lantern
