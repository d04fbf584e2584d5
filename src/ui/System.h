#pragma once
// Facts about the system and the program, and the few windowing calls that the program
// makes outside its own windows: the single-instance mutex, the messages and atoms between
// instances, and bringing a window to the front.
#include <cstdint>
#include <string>

#include "ui/Dpi.h"
#include "ui/Icon.h"
#include "ui/Rect.h"

namespace lantern {

class TSystem {
 public:
  virtual ~TSystem() = default;
  virtual std::string UserName() = 0;         // the logon name; empty when unknown
  virtual std::string ProgramFileName() = 0;  // the full path of the running program
  // The folder Windows is installed in ("C:\Windows"); empty where there is none.
  virtual std::string WindowsDirectory() = 0;
  // The file version of a program's version resource (most significant part first).
  virtual bool FileVersion(const std::string& Path, unsigned (&Parts)[4]) = 0;
  virtual bool IsWindowsNT() = 0;
  virtual double Now() = 0;  // local date and time in days since 30 December 1899
  // Compares two texts as the user's locale does, without regard to case: <0, 0, >0.
  virtual int CompareText(const std::string& A, const std::string& B) = 0;
  virtual int ScreenWidth() = 0;  // of the primary monitor
  virtual int ScreenHeight() = 0;
  // The width of the monitor the screen point is on (the nearest one when it is on none).
  virtual int MonitorWidthAt(int X, int Y) = 0;
  // True when the rectangle lies at least partly on one of the monitors.
  virtual bool RectOnAnyMonitor(int Left, int Top, int Width, int Height) = 0;
  // The scale (dots per inch; 96 is 100%) and the work area (the monitor less the task bar)
  // of the monitor the screen point is on, or the nearest one.
  virtual int DpiAt(int X, int Y) = 0;
  virtual TRect WorkAreaAt(int X, int Y) = 0;
  // The side of the notification area's icons, as the system asks for them at the primary
  // monitor's DPI.
  virtual int NotifyIconSize() { return SmallIconSize(DpiAt(0, 0)); }
  // The absolute form of a path, against the program's current folder; Path itself when the
  // system cannot make one.
  virtual std::string FullPathName(const std::string& Path) = 0;
  // The text the end of the Windows session shows for a window that keeps it from ending;
  // an empty Reason takes it away again.
  virtual void SetShutdownBlockReason(void* Window, const std::string& Reason) = 0;
  // An icon of the program's resources at the given size; a stand-in picture when the
  // program has no such resource, so that picture indexes stay as the program expects.
  virtual TIcon ResourceIcon(int Id, int Size) = 0;

  virtual unsigned RegisterMessage(const std::string& Name) = 0;
  virtual bool MutexExists(const std::string& Name) = 0;
  virtual void CreateInstanceMutex(const std::string& Name) = 0;  // held until ReleaseMutex
  virtual void ReleaseMutex() = 0;
  virtual void* FindWindowByClass(const std::string& ClassName) = 0;
  virtual void Post(void* Window, unsigned Message, std::uintptr_t WParam,
                    std::intptr_t LParam) = 0;
  virtual unsigned AddAtom(const std::string& Text) = 0;  // a global atom; 0 on failure
  virtual std::string AtomText(unsigned Atom) = 0;        // at most 255 characters
  virtual void DeleteAtom(unsigned Atom) = 0;
  // Brings Window to the top even when another thread owns the foreground window.
  virtual void ForceForeground(void* Window) = 0;
  // SetForegroundWindow: within the program's own rights, no tricks.
  virtual void SetForegroundWindow(void* Window) = 0;
  virtual void CursorPos(int& X, int& Y) = 0;  // in screen coordinates
  // Whether a Shift key is held, as of the input the program has taken so far.
  virtual bool ShiftDown() = 0;
  virtual void* ForegroundWindow() = 0;  // the window in front, of any program
  // The application's hidden top-level window, which owns the forms and the popup menus.
  virtual void* ApplicationWindow() = 0;
  // Closes the popup menu the program shows now, as Esc would.
  virtual void EndMenu() = 0;
  // A system-wide hot key for Window (Modifiers: the MOD_ flags). False when another program
  // holds the combination.
  virtual bool RegisterHotKey(void* Window, int Id, unsigned Modifiers, unsigned Key) = 0;
  virtual void UnregisterHotKey(void* Window, int Id) = 0;
  virtual void Sleep(int Milliseconds) = 0;
  // SendMessage: the window's answer.
  virtual std::intptr_t Send(void* Window, unsigned Message, std::uintptr_t WParam,
                             std::intptr_t LParam) = 0;
  // Whether a screen saver is set to start (SPI_GETSCREENSAVEACTIVE).
  virtual bool ScreenSaverActive() = 0;
  // The hourglass over the program's windows while it works, or the normal cursor again.
  virtual void SetWaitCursor(bool Waiting) = 0;
};

TSystem& System();
TSystem* SetSystem(TSystem* Value);  // nullptr: the platform's own; returns the old one
TSystem& PlatformSystem();

}  // namespace lantern
