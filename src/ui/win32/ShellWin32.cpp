// Windows' shell: icons of files through SHGetFileInfoW, ShellExecuteW, the notification area.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <algorithm>

#include "ui/Shell.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

static_assert(ShgfiIcon == SHGFI_ICON && ShgfiDisplayName == SHGFI_DISPLAYNAME &&
                  ShgfiSysIconIndex == SHGFI_SYSICONINDEX && ShgfiSmallIcon == SHGFI_SMALLICON,
              "the shell's flags");
static_assert(SW_SHOWNORMAL_ == SW_SHOWNORMAL, "show command");
static_assert(SeErrFnf == SE_ERR_FNF && SeErrPnf == SE_ERR_PNF &&
                  SeErrAccessDenied == SE_ERR_ACCESSDENIED && SeErrOom == SE_ERR_OOM &&
                  SeErrBadFormat == ERROR_BAD_FORMAT && SeErrShare == SE_ERR_SHARE &&
                  SeErrAssocIncomplete == SE_ERR_ASSOCINCOMPLETE &&
                  SeErrDdeTimeout == SE_ERR_DDETIMEOUT && SeErrDdeFail == SE_ERR_DDEFAIL &&
                  SeErrDdeBusy == SE_ERR_DDEBUSY && SeErrNoAssoc == SE_ERR_NOASSOC &&
                  SeErrDllNotFound == SE_ERR_DLLNOTFOUND,
              "the shell's error codes");
static_assert(ErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
                  ErrorPathNotFound == ERROR_PATH_NOT_FOUND &&
                  ErrorAccessDenied == ERROR_ACCESS_DENIED &&
                  ErrorNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY &&
                  ErrorBadFormat == ERROR_BAD_FORMAT &&
                  ErrorSharingViolation == ERROR_SHARING_VIOLATION &&
                  ErrorNoAssociation == ERROR_NO_ASSOCIATION && ErrorDdeFail == ERROR_DDE_FAIL &&
                  ErrorDllNotFound == ERROR_DLL_NOT_FOUND,
              "the system's error codes");

void ReleaseIcon(void* Handle) { DestroyIcon(static_cast<HICON>(Handle)); }

class TWin32Shell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) override {
    SHFILEINFOW Info = {};
    Info.iIcon = -1;
    SHGetFileInfoW(ToWide(Path).c_str(), 0, &Info, sizeof(Info), Flags);
    // The system image list's number names the picture: files of one program, documents of
    // one kind and files without a picture of their own share one. Small and large pictures
    // of a number differ.
    long long Source = (Flags & SHGFI_SYSICONINDEX) && (Flags & SHGFI_ICON) && Info.iIcon >= 0
                           ? Info.iIcon * 2LL + ((Flags & SHGFI_SMALLICON) ? 1 : 0)
                           : -1;
    return TIcon(Info.hIcon, ReleaseIcon, Source);
  }

  bool NotifyIcon(TNotifyIconMessage Message, const TNotifyIconData& Data,
                  unsigned& Error) override {
    NOTIFYICONDATAW Native = {};
    Native.cbSize = NOTIFYICONDATAW_V2_SIZE;
    Native.hWnd = static_cast<HWND>(Data.Window);
    Native.uID = Data.ID;
    Native.uFlags = Data.Flags;
    Native.uCallbackMessage = Data.CallbackMessage;
    Native.hIcon = static_cast<HICON>(Data.Icon);
    std::wstring Tip = ToWide(Data.Tip);
    Tip.resize(std::min<size_t>(Tip.size(), sizeof(Native.szTip) / sizeof(wchar_t) - 1));
    Tip.copy(Native.szTip, Tip.size());
    SetLastError(0);
    if (Shell_NotifyIconW(Message, &Native)) return true;
    Error = GetLastError();
    return false;
  }

  int ShellExec(const std::string& Verb, const std::string& File, const std::string& Parameters,
                const std::string& Directory, int ShowCommand) override {
    std::wstring WideVerb = ToWide(Verb), WideFile = ToWide(File),
                 WideParameters = ToWide(Parameters), WideDirectory = ToWide(Directory);
    auto OrNull = [](const std::wstring& Text) { return Text.empty() ? nullptr : Text.c_str(); };
    HINSTANCE Result =
        ::ShellExecuteW(static_cast<HWND>(OwnerWindow()), OrNull(WideVerb), WideFile.c_str(),
                        OrNull(WideParameters), OrNull(WideDirectory), ShowCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(Result));
  }

  std::string ErrorText(unsigned Error) override { return SystemErrorText(Error); }
};

}  // namespace

TShell& PlatformShell() {
  static TWin32Shell Instance;
  return Instance;
}

}  // namespace lantern
