// Message boxes through MessageBoxW, owned by the active window of the program.
#include <windows.h>

#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

class TWin32Dialogs : public TDialogService {
 public:
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons) override {
    UINT Flags = MB_SETFOREGROUND;
    switch (Type) {
      case TMsgDlgType::Warning: Flags |= MB_ICONWARNING; break;
      case TMsgDlgType::Error: Flags |= MB_ICONERROR; break;
      case TMsgDlgType::Information: Flags |= MB_ICONINFORMATION; break;
      case TMsgDlgType::Confirmation: Flags |= MB_ICONQUESTION; break;
      case TMsgDlgType::Plain: break;
    }
    if ((Buttons & mbYes) && (Buttons & mbNo))
      Flags |= (Buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Buttons & mbCancel)
      Flags |= MB_OKCANCEL;
    else
      Flags |= MB_OK;
    HWND Owner = GetActiveWindow();
    switch (
        MessageBoxW(Owner, ToWide(Text).c_str(), ToWide(Application().Title()).c_str(), Flags)) {
      case IDOK: return mrOk;
      case IDYES: return mrYes;
      case IDNO: return mrNo;
      default: return mrCancel;
    }
  }
};

}  // namespace

TDialogService& PlatformDialogs() {
  static TWin32Dialogs Instance;
  return Instance;
}

}  // namespace lantern
