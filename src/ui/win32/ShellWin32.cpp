// Windows' shell: icons of files through SHGetFileInfoW, ShellExecuteW, the notification area,
// shortcuts' targets through IShellLinkW.
#include <windows.h>
// after windows.h
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "ui/Shell.h"
#include "ui/win32/Handles.h"
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

// A number for each place a picture comes from (a file and the icon's index in it, or the
// system image list's number), in each size: the icons' sources. Asked from the icon
// threads as well.
long long SourceOf(const std::wstring& Place, int Size) {
  static std::mutex Lock;
  static std::map<std::wstring, long long> Numbers;
  std::lock_guard<std::mutex> Hold(Lock);
  auto It = Numbers.emplace(Place, static_cast<long long>(Numbers.size())).first;
  return It->second * 1024 + std::clamp(Size, 0, 1023);
}
long long SourceOf(const std::wstring& Place, bool Small) {
  return SourceOf(Place, Small ? 16 : 32);
}

class TWin32Shell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) override {
    std::wstring Wide = ToWide(Path);
    const bool Small = (Flags & SHGFI_SMALLICON) != 0;
    if ((Flags & SHGFI_ICON) && !(Flags & SHGFI_OPENICON)) {
      // The picture straight from where the shell says it lives: asking the shell for the
      // icon itself fills the system image list, which under Wine keeps every picture it
      // has seen in five sizes up to 256 x 256 for as long as the program runs.
      SHFILEINFOW Where = {};
      if (SHGetFileInfoW(Wide.c_str(), 0, &Where, sizeof(Where), SHGFI_ICONLOCATION) &&
          Where.szDisplayName[0]) {
        HICON Icon = nullptr;
        if (Small ? ExtractIconExW(Where.szDisplayName, Where.iIcon, nullptr, &Icon, 1)
                  : ExtractIconExW(Where.szDisplayName, Where.iIcon, &Icon, nullptr, 1)) {
          if (Icon)
            return TIcon(
                Icon, ReleaseIcon,
                SourceOf(std::wstring(Where.szDisplayName) + L"," + std::to_wstring(Where.iIcon),
                         Small));
        }
      }
    }
    SHFILEINFOW Info = {};
    Info.iIcon = -1;
    SHGetFileInfoW(Wide.c_str(), 0, &Info, sizeof(Info), Flags);
    // The system image list's number names the picture: files of one program, documents of
    // one kind and files without a picture of their own share one.
    long long Source = (Flags & SHGFI_SYSICONINDEX) && (Flags & SHGFI_ICON) && Info.iIcon >= 0
                           ? SourceOf(L"*" + std::to_wstring(Info.iIcon), Small)
                           : -1;
    return TIcon(Info.hIcon, ReleaseIcon, Source);
  }

  TIcon FileIconAt(const std::string& Path, int Size) override {
    if (Size == 16 || Size == 32) return TShell::FileIconAt(Path, Size);
    // The picture made at that size from where it lives, so that it is not stretched.
    SHFILEINFOW Where = {};
    if (SHGetFileInfoW(ToWide(Path).c_str(), 0, &Where, sizeof(Where), SHGFI_ICONLOCATION) &&
        Where.szDisplayName[0]) {
      HICON Icon = nullptr;
      if (SHDefExtractIconW(Where.szDisplayName, Where.iIcon, 0, &Icon, nullptr,
                            static_cast<UINT>(Size)) == S_OK &&
          Icon)
        return TIcon(
            Icon, ReleaseIcon,
            SourceOf(std::wstring(Where.szDisplayName) + L"," + std::to_wstring(Where.iIcon),
                     Size));
    }
    // No place of its own (a document of a kind without one): the nearest size of the shell.
    return TShell::FileIconAt(Path, Size);
  }

  std::vector<std::string> StartMenuFolders() override {
    std::vector<std::string> Folders;
    for (const KNOWNFOLDERID* Id : {&FOLDERID_Programs, &FOLDERID_CommonPrograms}) {
      PWSTR Path = nullptr;
      std::string Folder;
      if (SUCCEEDED(SHGetKnownFolderPath(*Id, 0, nullptr, &Path)) && FromWideExact(Path, Folder))
        Folders.push_back(Folder);
      CoTaskMemFree(Path);
    }
    return Folders;
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

  bool ResolveShortcut(const std::string& LnkPath, std::string& Target) override {
    // The stored path only: Resolve would search the disk for a target that moved and may
    // show a window, neither of which the watcher's scan can afford.
    TComPointer<IShellLinkW> Link;
    TComPointer<IPersistFile> File;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(Link.Receive()))) ||
        FAILED(Link.Get()->QueryInterface(IID_IPersistFile,
                                          reinterpret_cast<void**>(File.Receive()))) ||
        FAILED(File.Get()->Load(ToWide(LnkPath).c_str(), STGM_READ)))
      return false;
    // The ID list holds every name in Unicode; the path kept beside it may be in the ANSI
    // code page (Wine's), where a Japanese name comes back as '?'.
    wchar_t Path[MAX_PATH] = {};
    PIDLIST_ABSOLUTE List = nullptr;
    const bool Listed =
        Link.Get()->GetIDList(&List) == S_OK && List && SHGetPathFromIDListW(List, Path) && Path[0];
    CoTaskMemFree(List);
    if (!Listed && (Link.Get()->GetPath(Path, MAX_PATH, nullptr, 0) != S_OK || !Path[0]))
      return false;
    std::wstring Wide = Path;
    if (Wide.find(L'%') != std::wstring::npos) {
      DWORD Size = ExpandEnvironmentStringsW(Path, nullptr, 0);
      std::wstring Expanded(Size, L'\0');
      if (Size && ExpandEnvironmentStringsW(Path, &Expanded[0], Size) == Size) {
        Expanded.resize(Size - 1);
        Wide = Expanded;
      }
    }
    return FromWideExact(Wide, Target);
  }
};

}  // namespace

TShell& PlatformShell() {
  static TWin32Shell Instance;
  return Instance;
}

}  // namespace lantern
