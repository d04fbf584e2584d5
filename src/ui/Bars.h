#pragma once
// The tool bar along the top of a form, with buttons that run actions, and the status bar
// along its bottom, with one line of text.
#include <string>
#include <vector>

#include "ui/Action.h"
#include "ui/Control.h"

namespace lantern {

class TImageList;

class TToolBarPeer : public TControlPeer {
 public:
  virtual void ButtonsChanged() = 0;
  virtual void StatesChanged() = 0;  // an action's Enabled or Checked
  virtual void ImagesChanged() = 0;
};

class TToolBar : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TToolBar(TWinControl* Parent);
  ~TToolBar() override;
  TToolBarPeer* BarPeer() const { return static_cast<TToolBarPeer*>(Peer()); }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ButtonWidth() const { return 28; }
  int ButtonHeight() const { return 26; }
  // A button for the action (its picture, its hint); nullptr adds a separator.
  void AddButton(TAction* Action);
  // Takes every button away (an owner whose actions go before the bar calls it first).
  void ClearButtons();
  const std::vector<TAction*>& Buttons() const { return FButtons; }
  // The user pressed the button at Index.
  void NativeClick(int Index);

 private:
  TImageList* FImages = nullptr;
  std::vector<TAction*> FButtons;
  std::vector<std::pair<TAction*, int>> FListening;
};

class TStatusBar : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TStatusBar(TWinControl* Parent);
  const std::string& SimpleText() const { return FText; }
  void SetSimpleText(const std::string& Value);

 private:
  std::string FText;
};

}  // namespace lantern
