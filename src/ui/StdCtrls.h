#pragma once
// The standard controls of the dialogs: labels, edits, push buttons, check boxes, radio
// buttons, group boxes and memos. Their state lives here; a native peer mirrors it, and what the
// user does comes back through the Native... calls before the program's handlers run.
#include <string>

#include "base/Color.h"
#include "ui/Control.h"
#include "ui/Dialogs.h"
#include "ui/Font.h"
#include "ui/Strings.h"

namespace lantern {

class TForm;

// A control with a caption that the peer shows.
class TCaptionControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);

 private:
  std::string FCaption;
};

enum class TAlignment { LeftJustify, RightJustify, Center };

class TLabel : public TCaptionControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TLabel(TWinControl* Parent);
  // Where the caption stands within the label's width.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The label's own font (height, style); until one is set, the form's (its default font
  // when the label is on no form).
  const TFont& Font() const;
  bool ParentFont() const { return FParentFont; }
  void SetFont(const TFont& Value);
  // The user clicked the label: OnClick runs (a disabled label does nothing).
  void Click();
  TNotifyEvent OnClick;
  // The control its "&" letter focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
  // The text colour as 0x00BBGGRR; -1: the window's text colour.
  int FontColor() const { return FFontColor; }
  void SetFontColor(int Value);
  // The user typed the label's "&" letter.
  void NativeAccelerator();

 private:
  TWinControl* FFocusControl = nullptr;
  int FFontColor = -1;
  TAlignment FAlignment = TAlignment::LeftJustify;
  TFont FFont;
  bool FParentFont = true;
};

class TEdit : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TEdit(TWinControl* Parent);
  const std::string& Text() const { return FText; }
  // Runs OnChange when the text differs, as the user's typing does.
  void SetText(const std::string& Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // The text now in the native control.
  void NativeTextChanged(const std::string& Value);

  TNotifyEvent OnChange;

 private:
  std::string FText;
  bool FReadOnly = false;
};

// A push button, a check box or a radio button: a caption and a click.
class TButtonControl : public TCaptionControl {
 public:
  using TCaptionControl::TCaptionControl;
  TNotifyEvent OnClick;
};

class TButton : public TButtonControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TButton(TWinControl* Parent);
  // Enter in the form presses the default button, Esc the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Given to the form by a press; a form shown modally then closes with it.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Pressed by the user or the program: OnClick, then the form's ModalResult. A disabled
  // button does nothing.
  void Click();

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

class TCheckBox : public TButtonControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TCheckBox(TWinControl* Parent);
  bool Checked() const { return FChecked; }
  // A change, from the program as from the user, runs OnClick.
  void SetChecked(bool Value);
  // The user clicked the box (or pressed space on it): it toggles.
  void NativeClick() { SetChecked(!FChecked); }

 private:
  bool FChecked = false;
};

// Radio buttons with the same parent form one group: checking one unchecks the others. Only
// the checked one is a tab stop, as focusing a radio button by the keyboard checks it.
class TRadioButton : public TButtonControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TRadioButton(TWinControl* Parent);
  bool Checked() const { return FChecked; }
  // Checking runs OnClick; unchecking (by a sibling too) runs nothing.
  void SetChecked(bool Value);
  void NativeClick() { SetChecked(true); }

 private:
  bool FChecked = false;
};

// A frame with a caption around other controls, which are its children.
class TGroupBox : public TCaptionControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TGroupBox(TWinControl* Parent);
};

// Text of several lines, in its own colours.
class TMemo : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TMemo(TWinControl* Parent);
  TStrings& Lines() { return FLines; }
  const TStrings& Lines() const { return FLines; }
  // The lines joined with CR LF (no line break after the last one).
  std::string Text() const;
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // A sunken edge around the text.
  bool Border() const { return FBorder; }
  void SetBorder(bool Value);
  // The background.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // The text colour as 0x00BBGGRR; -1: the window's text colour.
  int FontColor() const { return FFontColor; }
  void SetFontColor(int Value);
  // The text now in the native control: its lines, split at CR LF, become the lines.
  void NativeTextChanged(const std::string& Value);

 private:
  void Changed();
  TStrings FLines;
  bool FReadOnly = false;
  bool FBorder = true;
  TColor FColor = clWindow;
  int FFontColor = -1;
};

// The "&" letter of a caption, upper case; 0 for none (or a double-byte character).
char AltLetter(const std::string& Caption);

// The form that a control is on, if any.
TForm* ParentForm(TWinControl* Control);

}  // namespace lantern
