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

TMemo::TMemo(TWinControl* Parent) : TWinControl(Parent) {
  FLines.FChanged = [this](int, int) { Changed(); };
}

void TMemo::Changed() {
  if (Peer()) Peer()->StateChanged();
}

std::string TMemo::Text() const {
  std::string Result;
  for (int i = 0; i < FLines.Count(); ++i) Result += (i ? "\r\n" : "") + FLines[i];
  return Result;
}

void TMemo::SetReadOnly(bool Value) {
  FReadOnly = Value;
  Changed();
}

void TMemo::SetBorder(bool Value) {
  FBorder = Value;
  Changed();
}

void TMemo::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TMemo::SetFontColor(int Value) {
  FFontColor = Value;
  Changed();
}

void TMemo::NativeTextChanged(const std::string& Value) {
  // The native control has this text already: only the lines change, without telling it.
  FLines.FLines.clear();
  for (std::size_t Start = 0; Start < Value.size();) {
    std::size_t Break = Value.find("\r\n", Start);
    FLines.FLines.push_back(Value.substr(Start, Break - Start));
    if (Break == std::string::npos) break;
    Start = Break + 2;
    if (Start == Value.size()) FLines.FLines.emplace_back();  // a last line still empty
  }
}

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
std::unique_ptr<TControlPeer> TMemo::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateMemo(*this, Parent);
}

}  // namespace lantern
