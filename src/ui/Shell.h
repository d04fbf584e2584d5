#pragma once
// The shell services the program calls. Windows' shell lives in win32/; elsewhere there is
// no shell, and tests install a double.
#include <string>
#include <vector>

#include "ui/Icon.h"

namespace lantern {

// Flags of the shell's file information call (SHGFI_ICON, SHGFI_DISPLAYNAME,
// SHGFI_SYSICONINDEX, SHGFI_SMALLICON).
constexpr unsigned ShgfiIcon = 0x100;
constexpr unsigned ShgfiDisplayName = 0x200;
constexpr unsigned ShgfiSysIconIndex = 0x4000;
constexpr unsigned ShgfiSmallIcon = 0x1;

constexpr int SW_SHOWNORMAL_ = 1;  // SW_SHOWNORMAL
constexpr int SW_SHOW_ = 5;        // SW_SHOW

// The notification area's calls (NIM_*), flags (NIF_*) and the icon's record.
enum TNotifyIconMessage : unsigned { NimAdd = 0, NimModify = 1, NimDelete = 2 };
constexpr unsigned NifMessage = 1, NifIcon = 2, NifTip = 4;
struct TNotifyIconData {
  unsigned Size = 0;  // cbSize
  void* Window = nullptr;
  unsigned ID = 0;
  unsigned Flags = 0;
  unsigned CallbackMessage = 0;
  void* Icon = nullptr;
  std::string Tip;  // at most 63 bytes
};

class TShell {
 public:
  virtual ~TShell() = default;
  // The icon the shell shows for Path (SHGetFileInfo with Flags); empty when it has none.
  // Icons the shell shows with one picture have one source (TIcon::Source).
  virtual TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) = 0;
  // The shell's picture of Path made at Size pixels square (not stretched from another
  // size); its source tells its place and size apart. Here: the small or the large icon.
  virtual TIcon FileIconAt(const std::string& Path, int Size) {
    return GetFileInfoIcon(Path, ShgfiIcon | ShgfiSysIconIndex | (Size <= 16 ? ShgfiSmallIcon : 0));
  }
  // ShellExecute(W) on behalf of OwnerWindow: opens File with Verb (empty: the default
  // action), Parameters and Directory (empty: none), in a window shown as ShowCommand; above
  // 32 on success, else the error.
  virtual int ShellExec(const std::string& Verb, const std::string& File,
                        const std::string& Parameters, const std::string& Directory,
                        int ShowCommand) = 0;
  // The system's text for one of its error codes (FormatMessage), without the line break.
  virtual std::string ErrorText(unsigned Error) = 0;
  // The Start Menu's Programs folders, the user's and the one common to every user (the
  // known-folder API); a folder the system does not name, or names without a CP932 form, is
  // left out.
  virtual std::vector<std::string> StartMenuFolders() { return {}; }
  // The path a shortcut file (.lnk) leads to, as it stores it (environment strings
  // expanded), without searching the disk for a target that moved. False for a file that is
  // no shortcut, one without a path (a virtual item) and a path with no CP932 form.
  virtual bool ResolveShortcut(const std::string& LnkPath, std::string& Target) = 0;
  // Shell_NotifyIcon(W); on failure false, with the thread's last error in Error.
  virtual bool NotifyIcon(TNotifyIconMessage Message, const TNotifyIconData& Data,
                          unsigned& Error) = 0;

  // The window the shell's windows and messages belong to: the main window, which sets it
  // once it has its handle and takes it away before the handle goes. None: the desktop's.
  void SetOwnerWindow(void* Value) { FOwnerWindow = Value; }
  void* OwnerWindow() const { return FOwnerWindow; }

 private:
  void* FOwnerWindow = nullptr;
};

// ShellExecute's failures are its own codes (SE_ERR_*), of which some share their number
// with a system error and others do not. Result 0 means the system ran out of resources.
enum : int {
  SeErrFnf = 2,
  SeErrPnf = 3,
  SeErrAccessDenied = 5,
  SeErrOom = 8,
  SeErrBadFormat = 11,
  SeErrShare = 26,
  SeErrAssocIncomplete = 27,
  SeErrDdeTimeout = 28,
  SeErrDdeFail = 29,
  SeErrDdeBusy = 30,
  SeErrNoAssoc = 31,
  SeErrDllNotFound = 32,
};
// The system errors they stand for (ERROR_*).
enum : unsigned {
  ErrorFileNotFound = 2,
  ErrorPathNotFound = 3,
  ErrorAccessDenied = 5,
  ErrorNotEnoughMemory = 8,
  ErrorBadFormat = 11,
  ErrorSharingViolation = 32,
  ErrorNoAssociation = 1155,
  ErrorDdeFail = 1156,
  ErrorDllNotFound = 1157,
};
// The system error that a failed ShellExec's result (32 or less) stands for.
unsigned ShellExecError(int Result);

// What the program asked of the shell, for the message when the shell could not do it.
enum class TShellTask {
  Start,     // a launcher's target: a program, a document, a folder, a URL
  OpenPage,  // a help page or the web site
  Explore,   // a file shown in the explorer
};
// The message for a task that the shell could not do: Name is what the task was given
// (its path, its address), Reason the system's text for the error.
std::string ShellFailedText(TShellTask Task, const std::string& Name, const std::string& Reason);
// The explorer's parameter that shows Path chosen in its folder: /Select, and the path in
// quotes, since a name may hold a comma, which would end the path there.
std::string ExplorerSelect(const std::string& Path);
// The message for a launcher whose target is not there.
std::string MissingTargetText(const std::string& Path);
// Raises the failure of a ShellExec whose Result is 32 or less: Exception with
// ShellFailedText and the system's text for the error; nothing when the shell succeeded.
void CheckShellExec(int Result, TShellTask Task, const std::string& Name);

TShell& Shell();
TShell* SetShell(TShell* Value);  // nullptr: the platform's own again; returns the old one
TShell& PlatformShell();

}  // namespace lantern
