#pragma once
// A command: caption, hint, picture, shortcut, enabled and checked state, and the handler
// that runs it. Menu items and buttons that show it follow its state.
#include <functional>
#include <map>
#include <string>

namespace lantern {

// A shortcut: a virtual-key code with the modifiers below.
enum TShiftState : unsigned {
  ssShift = 0x100,
  ssCtrl = 0x200,
  ssAlt = 0x400,
  ssLeft = 0x800,
  ssRight = 0x1000,
  ssMiddle = 0x2000
};

// A shortcut as menus show it after the caption: "F2", "Shift+Up", "Ctrl+C"; empty for none.
std::string ShortCutToText(unsigned ShortCut);

class TAction {
 public:
  TAction() = default;
  TAction(const std::string& Caption, std::function<void()> Handler)
      : OnExecute(std::move(Handler)) {
    FCaption = Caption;
  }
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& Value) { FCategory = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  unsigned ShortCut() const { return FShortCut; }
  void SetShortCut(unsigned Value) { FShortCut = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);

  // Whoever shows the action (a tool button) is told when Enabled or Checked changes; the
  // number returned takes the listener away again.
  int AddListener(std::function<void()> Listener);
  void RemoveListener(int Id) { FListeners.erase(Id); }
  // The caption without its "&" marks, as hints show it.
  std::string Hint() const;
  // Whether the action shows a hint at all (a tool button's tip); some have none.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }

  // Runs the handler when the action is enabled; whether it ran.
  bool Execute();

  std::function<void()> OnExecute;

 private:
  std::string FCaption;
  bool FShowHint = true;
  std::string FCategory;
  int FImageIndex = -1;
  unsigned FShortCut = 0;
  bool FEnabled = true;
  bool FChecked = false;
  std::map<int, std::function<void()>> FListeners;
  int FLastListener = 0;
};

}  // namespace lantern
