#pragma once
// The system and the message boxes as a test sets them up: a user, a program path, a clock,
// a screen, other instances' windows, and answers to the questions the program asks.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/System.h"

namespace lantern {

class TFakeSystem : public TSystem {
 public:
  std::string User = "me";
  std::string Program = "C:\\Program Files\\Lantern\\Lantern.exe";
  std::string Windows = "C:\\Windows";
  std::vector<unsigned> Version{1, 2, 3, 45};  // empty: no version resource
  double Clock = 45000.5;
  int Width = 1024, Height = 768;
  bool OtherInstance = false;
  void* OtherWindow = nullptr;
  void* TaskBar = nullptr;  // the window of class "Shell_TrayWnd", if any
  struct TPost {
    void* Window;
    unsigned Message;
    std::uintptr_t WParam;
    std::intptr_t LParam;
  };
  std::vector<TPost> Posts;
  std::map<unsigned, std::string> Atoms;
  std::vector<unsigned> DeletedAtoms;
  std::string MutexName;
  int Foregrounds = 0;

  std::string UserName() override { return User; }
  std::string ProgramFileName() override { return Program; }
  std::string WindowsDirectory() override { return Windows; }
  bool FileVersion(const std::string&, unsigned (&Parts)[4]) override;
  bool IsWindowsNT() override { return true; }
  double Now() override { return Clock; }
  int CompareText(const std::string& A, const std::string& B) override;
  int ScreenWidth() override { return Width; }
  int ScreenHeight() override { return Height; }
  struct TMonitor {
    int Left, Top, Width, Height;
    int Dpi = 96;
    int TaskBar = 0;  // the height the task bar takes at the bottom
  };
  std::vector<TMonitor> Monitors;  // empty: one monitor, the primary Width x Height
  bool RectOnAnyMonitor(int Left, int Top, int Width, int Height) override;
  // The monitor that holds the point, else the nearest one.
  int MonitorWidthAt(int X, int Y) override;
  int DpiAt(int X, int Y) override { return MonitorAt(X, Y).Dpi; }
  TRect WorkAreaAt(int X, int Y) override {
    const TMonitor m = MonitorAt(X, Y);
    return {m.Left, m.Top, m.Left + m.Width, m.Top + m.Height - m.TaskBar};
  }
  TMonitor MonitorAt(int X, int Y) const;
  std::string CurrentFolder = "C:\\Work\\";  // relative paths are taken against it
  std::string FullPathName(const std::string& Path) override;
  std::vector<std::string> BlockReasons;  // every reason set, "" for taken away
  void SetShutdownBlockReason(void*, const std::string& Reason) override {
    BlockReasons.push_back(Reason);
  }
  TIcon ResourceIcon(int Id, int Size) override;
  std::vector<std::pair<int, int>> ResourceIcons;  // the id and size of each asked for
  // "ZR Lantern Active" is 0xC123; other names get the numbers after it.
  unsigned RegisterMessage(const std::string& Name) override;
  bool MutexExists(const std::string&) override { return OtherInstance; }
  void CreateInstanceMutex(const std::string& Name) override { MutexName = Name; }
  void ReleaseMutex() override { MutexName.clear(); }
  void* FindWindowByClass(const std::string& ClassName) override;
  void Post(void* Window, unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) override {
    Posts.push_back({Window, Message, WParam, LParam});
  }
  unsigned AddAtom(const std::string& Text) override;
  std::string AtomText(unsigned Atom) override { return Atoms[Atom]; }
  void DeleteAtom(unsigned Atom) override { DeletedAtoms.push_back(Atom); }
  void EndMenu() override { ++MenusEnded; }
  int MenusEnded = 0;
  void ForceForeground(void* Window) override {
    ++Foregrounds;
    Forced.push_back(Window);
    Foreground = Window;
  }
  std::vector<void*> ForegroundWindows;  // SetForegroundWindow's windows, in order
  void SetForegroundWindow(void* Window) override { ForegroundWindows.push_back(Window); }
  int CursorX = 0, CursorY = 0;
  int CursorReads = 0;
  void CursorPos(int& X, int& Y) override {
    ++CursorReads;
    X = CursorX;
    Y = CursorY;
  }
  bool Shift = false;  // a Shift key held
  bool ShiftDown() override { return Shift; }
  // The window in front; ForceForeground puts its window there.
  void* Foreground = nullptr;
  std::vector<void*> Forced;  // ForceForeground's windows, in order
  void* ForegroundWindow() override { return Foreground; }
  int AppWindow = 0;
  void* ApplicationWindow() override { return &AppWindow; }
  // Hot keys: the registered ones by id, every call in order, and the combinations (key |
  // modifiers << 16) that other programs hold.
  struct THotKey {
    void* Window;
    int Id;
    unsigned Modifiers, Key;
  };
  std::map<int, THotKey> HotKeys;
  std::vector<std::string> HotKeyCalls;  // "register 4+27", "unregister"
  std::vector<unsigned> Taken;
  bool RegisterHotKey(void* Window, int Id, unsigned Modifiers, unsigned Key) override;
  void UnregisterHotKey(void*, int Id) override {
    HotKeyCalls.push_back("unregister");
    HotKeys.erase(Id);
  }
  std::vector<TPost> Sent;  // SendMessage's calls, in order; answered with 0
  std::intptr_t Send(void* Window, unsigned Message, std::uintptr_t WParam,
                     std::intptr_t LParam) override {
    Sent.push_back({Window, Message, WParam, LParam});
    return 0;
  }
  bool SaverActive = false;
  bool ScreenSaverActive() override { return SaverActive; }
  std::vector<bool> WaitCursors;  // each change, in order
  void SetWaitCursor(bool Waiting) override { WaitCursors.push_back(Waiting); }
  std::vector<int> Sleeps;  // recorded, not slept
  void Sleep(int Milliseconds) override { Sleeps.push_back(Milliseconds); }
  std::map<std::string, unsigned> Messages;
};

class TFakeDialogs : public TDialogService {
 public:
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                          unsigned Default) override;
  TModalResult MessageDlgCheck(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                               unsigned Default, const std::string& CheckText,
                               bool& Checked) override;
  std::vector<std::string> Texts;  // every text shown, in order
  struct TBox {
    TMsgDlgType Type;
    unsigned Buttons, Default;
    std::string CheckText;  // the check box's label; empty for a box without one
    bool Checked = false;   // how the check box was shown
  };
  std::vector<TBox> Shown;           // the kind, buttons and default button of each, as Texts
  std::deque<TModalResult> Answers;  // the buttons to press; OK when none is left
  // How the user leaves each check box, one answer per box that has one; left as it was
  // shown when none is left.
  std::deque<bool> CheckAnswers;

  // The choosers: what each was preset to, in order, and what the user chooses, one answer
  // per opening; with no answer left the user cancels.
  bool PickColor(TColor& Color) override;
  bool PickFont(TFont& Font) override;
  bool PickOpenFile(std::string& FileName, const std::string& Filter,
                    const std::string& Folder) override;
  bool PickSaveFile(std::string& FileName, const std::string& Filter) override;
  bool BrowseForFolder(const std::string& Title, unsigned Flags, std::string& Folder,
                       int& ImageIndex) override;
  std::vector<TColor> ColorPresets;
  std::deque<TColor> ColorAnswers;
  std::vector<TFont> FontPresets;
  std::deque<TFont> FontAnswers;
  std::vector<std::string> FilePresets;  // open and save: "open:" or "save:", name, "|", filter
  std::vector<std::string> OpenFolders;  // the folder each file to open was looked for in
  std::deque<std::string> FileAnswers;
  std::vector<std::string> FolderPresets;  // title, "|", folder
  std::deque<std::string> FolderAnswers;
  std::vector<unsigned> FolderFlags;  // the BIF_ flags of each opening
  int FolderImageIndex = 3;           // what a choice reports as its icon index
};

}  // namespace lantern
