#include "ui/Bars.h"

#include "ui/Widgets.h"

namespace lantern {

TToolBar::TToolBar(TWinControl* Parent) : TWinControl(Parent) {
  SetHeight(28);
  SetAlign(TAlign::Top);
}

TToolBar::~TToolBar() {
  ClearButtons();
  SetPeer(nullptr);
}

void TToolBar::ClearButtons() {
  for (auto& Listening : FListening) Listening.first->RemoveListener(Listening.second);
  FListening.clear();
  FButtons.clear();
  if (TToolBarPeer* Peer = BarPeer()) Peer->ButtonsChanged();
}

void TToolBar::SetImages(TImageList* Value) {
  FImages = Value;
  if (TToolBarPeer* Peer = BarPeer()) Peer->ImagesChanged();
}

void TToolBar::AddButton(TAction* Action) {
  FButtons.push_back(Action);
  if (Action)
    FListening.emplace_back(Action, Action->AddListener([this] {
      if (TToolBarPeer* Peer = BarPeer()) Peer->StatesChanged();
    }));
  if (TToolBarPeer* Peer = BarPeer()) Peer->ButtonsChanged();
}

void TToolBar::NativeClick(int Index) {
  if (Index >= 0 && Index < static_cast<int>(FButtons.size()) && FButtons[Index])
    FButtons[Index]->Execute();
}

TStatusBar::TStatusBar(TWinControl* Parent) : TWinControl(Parent) {
  SetHeight(19);
  SetAlign(TAlign::Bottom);
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  FText = Value;
  if (Peer()) Peer()->StateChanged();
}

std::unique_ptr<TControlPeer> TToolBar::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateToolBar(*this, Parent);
}

std::unique_ptr<TControlPeer> TStatusBar::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateStatusBar(*this, Parent);
}

}  // namespace lantern
