#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/Service.h"
#include "ui/Thread.h"
#include "ui/Widgets.h"

namespace lantern {

namespace {
TServiceSlot<TDialogService> DialogsSlot(PlatformDialogs);
}

TApplication& Application() {
  static TApplication Instance;
  return Instance;
}

void TApplication::Run() {
  if (Widgets()) Widgets()->Run();
}

void TApplication::Terminate() {
  if (Widgets()) Widgets()->Terminate();
}

void TApplication::ProcessMessages() {
  if (Widgets())
    Widgets()->ProcessMessages();
  else
    CheckSynchronize();  // the workers' calls are the only messages there are
}

void TApplication::ShowException(const std::exception& E) {
  if (FShowingError) return;
  FShowingError = true;
  try {
    MessageDlg(E.what(), TMsgDlgType::Error, mbOK);
  } catch (...) {
    // The error display itself must never fail outward.
  }
  FShowingError = false;
}

TDialogService& Dialogs() { return DialogsSlot.Get(); }
TDialogService* SetDialogs(TDialogService* Value) { return DialogsSlot.Set(Value); }

}  // namespace lantern
