// The system of a POSIX host, for the native build: a user and a clock, and no other
// instances or windows to talk to.
#include <time.h>
#include <unistd.h>

#include <cstdlib>

#include "base/Cp932.h"
#include "ui/System.h"

namespace lantern {

namespace {

class TPosixSystem : public TSystem {
 public:
  std::string UserName() override {
    const char* Name = std::getenv("USER");
    return Name ? Name : "";
  }
  std::string ProgramFileName() override {
    char Buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", Buffer, sizeof(Buffer) - 1);
    return n > 0 ? std::string(Buffer, n) : std::string();
  }
  std::string WindowsDirectory() override { return std::string(); }
  bool FileVersion(const std::string&, unsigned (&)[4]) override { return false; }
  bool IsWindowsNT() override { return true; }
  double Now() override {
    time_t t = ::time(nullptr);
    struct tm Local;
    ::localtime_r(&t, &Local);
    // 25569 days lie between 30 December 1899 and 1 January 1970.
    return 25569.0 + (t + Local.tm_gmtoff) / 86400.0;
  }
  // Without a locale service: bytes, with ASCII letters folded.
  int CompareText(const std::string& A, const std::string& B) override {
    return UpperCaseAscii(A).compare(UpperCaseAscii(B));
  }
  int ScreenWidth() override { return 1280; }
  int ScreenHeight() override { return 1024; }
  int MonitorWidthAt(int, int) override { return 1280; }
  int DpiAt(int, int) override { return 96; }
  TRect WorkAreaAt(int, int) override { return {0, 0, 1280, 1024}; }
  bool RectOnAnyMonitor(int Left, int Top, int Width, int Height) override {
    return Left < 1280 && Top < 1024 && Left + Width > 0 && Top + Height > 0;
  }
  std::string FullPathName(const std::string& Path) override { return Path; }
  void SetShutdownBlockReason(void*, const std::string&) override {}
  TIcon ResourceIcon(int, int) override {
    static int Picture;
    return TIcon(&Picture, [](void*) {});
  }
  unsigned RegisterMessage(const std::string&) override { return 0xC000; }
  bool MutexExists(const std::string&) override { return false; }
  void CreateInstanceMutex(const std::string&) override {}
  void ReleaseMutex() override {}
  void* FindWindowByClass(const std::string&) override { return nullptr; }
  void Post(void*, unsigned, std::uintptr_t, std::intptr_t) override {}
  unsigned AddAtom(const std::string&) override { return 0; }
  std::string AtomText(unsigned) override { return std::string(); }
  void DeleteAtom(unsigned) override {}
  void ForceForeground(void*) override {}
  void EndMenu() override {}
  void SetForegroundWindow(void*) override {}
  void CursorPos(int& X, int& Y) override { X = Y = 0; }
  void* ForegroundWindow() override { return nullptr; }
  void* ApplicationWindow() override { return nullptr; }
  bool RegisterHotKey(void*, int, unsigned, unsigned) override { return false; }
  void UnregisterHotKey(void*, int) override {}
  std::intptr_t Send(void*, unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
  bool ScreenSaverActive() override { return false; }
  bool ShiftDown() override { return false; }
  void SetWaitCursor(bool) override {}
  void Sleep(int Milliseconds) override { ::usleep(Milliseconds * 1000); }
};

}  // namespace

TSystem& PlatformSystem() {
  static TPosixSystem Instance;
  return Instance;
}

TIcon ProgramIcon(int) { return TIcon(); }

}  // namespace lantern
