#include "ui/StdCtrls.h"

#include "base/Cp932.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/Widgets.h"

namespace lantern {

void TCaptionControl::SetCaption(const std::string& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  if (Peer()) Peer()->StateChanged();
}

TLabel::TLabel(TWinControl* Parent) : TCaptionControl(Parent) { SetTabStop(false); }

void TLabel::SetFontColor(int Value) {
  FFontColor = Value;
  if (Peer()) Peer()->StateChanged();
}

void TLabel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  if (Peer()) Peer()->StateChanged();
}

const TFont& TLabel::Font() const {
  if (FParentFont)
    if (TForm* Form = ParentForm(const_cast<TLabel*>(this))) return Form->Font();
  return FFont;
}

void TLabel::SetFont(const TFont& Value) {
  FFont = Value;
  FParentFont = false;
  if (Peer()) Peer()->StateChanged();
}

void TLabel::Click() {
  if (Enabled() && OnClick) OnClick(this);
}

void TLabel::NativeAccelerator() {
  if (FFocusControl && FFocusControl->Enabled() && FFocusControl->Visible())
    FFocusControl->SetFocus();
}

TEdit::TEdit(TWinControl* Parent) : TWinControl(Parent) {}

void TEdit::SetText(const std::string& Value) {
  if (FText == Value) return;
  FText = Value;
  if (Peer()) Peer()->StateChanged();  // the peer does not report its own writing back
  if (OnChange) OnChange(this);
}

void TEdit::NativeTextChanged(const std::string& Value) { SetText(Value); }

void TEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (Peer()) Peer()->StateChanged();
}

TButton::TButton(TWinControl* Parent) : TButtonControl(Parent) {}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (Peer()) Peer()->StateChanged();
}

void TButton::Click() {
  if (!Enabled()) return;
  if (OnClick) OnClick(this);
  if (FModalResult != mrNone)
    if (TForm* Form = ParentForm(this)) Form->SetModalResult(FModalResult);
}

TCheckBox::TCheckBox(TWinControl* Parent) : TButtonControl(Parent) {}

void TCheckBox::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Peer()) Peer()->StateChanged();
  if (OnClick) OnClick(this);
}

TRadioButton::TRadioButton(TWinControl* Parent) : TButtonControl(Parent) { SetTabStop(false); }

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (Peer()) Peer()->StateChanged();
  if (!Value) return;
  if (Parent())
    for (TWinControl* Sibling : Parent()->Controls())
      if (Sibling != this)
        if (auto* Radio = dynamic_cast<TRadioButton*>(Sibling)) Radio->SetChecked(false);
  if (OnClick) OnClick(this);
}

TGroupBox::TGroupBox(TWinControl* Parent) : TCaptionControl(Parent) { SetTabStop(false); }

char AltLetter(const std::string& Caption) {
  int Underline;
  std::string Text = StripAmpersands(Caption, Underline);
  if (Underline < 0 || IsLeadByte(static_cast<unsigned char>(Text[Underline]))) return 0;
  char c = Text[Underline];
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

TForm* ParentForm(TWinControl* Control) {
  TWinControl* Top = Control;
  while (Top && Top->Parent()) Top = Top->Parent();
  return dynamic_cast<TForm*>(Top);
}

std::unique_ptr<TControlPeer> TLabel::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateLabel(*this, Parent);
}
std::unique_ptr<TControlPeer> TEdit::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateEdit(*this, Parent);
}
std::unique_ptr<TControlPeer> TButton::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateButton(*this, Parent);
}
std::unique_ptr<TControlPeer> TCheckBox::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateCheckBox(*this, Parent);
}
std::unique_ptr<TControlPeer> TRadioButton::CreateNativePeer(TWidgetFactory& Factory,
                                                             void* Parent) {
  return Factory.CreateRadioButton(*this, Parent);
}
std::unique_ptr<TControlPeer> TGroupBox::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateGroupBox(*this, Parent);
}

}  // namespace lantern
