// The running processes' executables. Every function is bound at run time: the process-status
// ones from PSAPI.DLL while it is loaded, the others from kernel32 on first use, so that the
// program starts on systems that lack any of them.
#include "ui/win32/ProcessesWin32.h"

#include "ui/win32/Handles.h"
// after windows.h
#include <tlhelp32.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "base/Exception.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

using TEnumProcesses = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using TEnumProcessModules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using TGetModuleFileNameExW = DWORD(WINAPI*)(HANDLE, HMODULE, wchar_t*, DWORD);
using TQueryFullProcessImageNameW = BOOL(WINAPI*)(HANDLE, DWORD, wchar_t*, DWORD*);
using TCreateToolhelp32Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
using TProcess32W = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

// The longest path Windows knows, in characters.
constexpr DWORD MaxPathChars = 32768;

template <typename TFunction>
TFunction Bind(HMODULE Module, const char* Name) {
  if (!Module) return nullptr;
  // Through void* so that the compiler accepts the change of signature.
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(Module, Name)));
}

HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

using TDwmGetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
constexpr DWORD DwmCloaked = 14;  // DWMWA_CLOAKED, newer than some headers

// Windows the desktop keeps cloaked (suspended store apps, other virtual desktops' frames)
// are visible by their style but not seen. The function is missing before Windows 8.
bool Cloaked(HWND Window) {
  static const TDwmGetWindowAttribute Get =
      Bind<TDwmGetWindowAttribute>(LoadLibraryW(L"dwmapi.dll"), "DwmGetWindowAttribute");
  DWORD Value = 0;
  return Get && SUCCEEDED(Get(Window, DwmCloaked, &Value, sizeof(Value))) && Value != 0;
}

BOOL CALLBACK AddWindowed(HWND Window, LPARAM Ids) {
  if (!IsWindowVisible(Window)) return TRUE;
  // Palettes and floating bars, and what only looks like a window to the system.
  if (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return TRUE;
  RECT Bounds;
  if (!GetWindowRect(Window, &Bounds) || IsRectEmpty(&Bounds) || Cloaked(Window)) return TRUE;
  DWORD Id = 0;
  if (GetWindowThreadProcessId(Window, &Id))
    reinterpret_cast<std::unordered_set<DWORD>*>(Ids)->insert(Id);
  return TRUE;
}

// The processes that show a window of their own: what a user started and sees, as opposed
// to the services and helpers that run unseen all day.
std::unordered_set<DWORD> WindowedProcessIds() {
  std::unordered_set<DWORD> Ids;
  EnumWindows(AddWindowed, reinterpret_cast<LPARAM>(&Ids));
  return Ids;
}

class TWin32Processes : public TProcessService {
 public:
  explicit TWin32Processes(std::size_t FirstIdCount)
      : FFirstIdCount(FirstIdCount ? FirstIdCount : 1) {}
  ~TWin32Processes() override { UnloadPSAPI(); }
  TWin32Processes(const TWin32Processes&) = delete;
  TWin32Processes& operator=(const TWin32Processes&) = delete;

  bool LoadPSAPI() override {
    if (FPsapi) return true;
    HMODULE Library = LoadLibraryW(L"PSAPI.DLL");
    if (!Library) throw Exception("PSAPI.DLL がロードできません。");
    auto Enum = Bind<TEnumProcesses>(Library, "EnumProcesses");
    auto Modules = Bind<TEnumProcessModules>(Library, "EnumProcessModules");
    // Only the A form is required of the library; the W form is the one used, when present.
    FARPROC NameA = GetProcAddress(Library, "GetModuleFileNameExA");
    if (!Enum || !Modules || !NameA) {
      FreeLibrary(Library);
      throw Exception("PSAPI のアドレスを取得できません。");
    }
    FPsapi = Library;
    FEnumProcesses = Enum;
    FEnumProcessModules = Modules;
    FGetModuleFileNameExW = Bind<TGetModuleFileNameExW>(Library, "GetModuleFileNameExW");
    return true;
  }

  void UnloadPSAPI() override {
    FKnown.clear();
    if (!FPsapi) return;
    FEnumProcesses = nullptr;
    FEnumProcessModules = nullptr;
    FGetModuleFileNameExW = nullptr;
    FreeLibrary(FPsapi);
    FPsapi = nullptr;
  }

  bool PSAPILoaded() const override { return FPsapi != nullptr; }

  std::vector<TRunningProcess> ListByProcessStatus() override {
    std::vector<TRunningProcess> Result;
    if (!FPsapi) return Result;
    ForgetEnded();
    std::vector<DWORD> Ids = ProcessIds();
    const std::unordered_set<DWORD> Windowed = WindowedProcessIds();
    Result.reserve(Ids.size());
    for (DWORD Id : Ids) {
      const bool HasWindow = Windowed.count(Id) != 0;
      auto Known = FKnown.find(Id);
      if (Known != FKnown.end()) {
        if (Known->second.Usable) Result.push_back({Known->second.Path, Id, HasWindow});
        continue;
      }
      // Held open, the process keeps its id: while it runs, the id names it and no other.
      TKernelHandle Process(
          OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, Id));
      std::string Path;
      const bool Usable = FromWideExact(ImagePath(Id, Process.Get()), Path);
      if (Process && !Path.empty())
        FKnown.emplace(Id, TKnownProcess{std::move(Process), Path, Usable});
      if (Usable) Result.push_back({std::move(Path), Id, HasWindow});
    }
    return Result;
  }

  std::vector<TRunningProcess> ListBySnapshot() override {
    std::vector<TRunningProcess> Result;
    BindKernel32();
    if (!FCreateSnapshot || !FProcess32FirstW || !FProcess32NextW) return Result;
    TKernelHandle Snapshot(FCreateSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!Snapshot) return Result;
    const std::unordered_set<DWORD> Windowed = WindowedProcessIds();
    PROCESSENTRY32W Entry = {};
    Entry.dwSize = sizeof(Entry);
    std::string Name;
    for (BOOL More = FProcess32FirstW(Snapshot.Get(), &Entry); More;
         More = FProcess32NextW(Snapshot.Get(), &Entry))
      if (FromWideExact(Entry.szExeFile, Name))
        Result.push_back({Name, Entry.th32ProcessID, Windowed.count(Entry.th32ProcessID) != 0});
    return Result;
  }

  unsigned long CurrentProcessId() const override { return GetCurrentProcessId(); }

 private:
  struct TKnownProcess {
    TKernelHandle Handle;
    std::string Path;
    bool Usable;  // the path has a CP932 form
  };

  // Drops the processes that have ended; an ended process's id may be given to a new one.
  // Up to 64 handles are asked at once, so a scan where nothing ended costs a few calls.
  void ForgetEnded() {
    std::vector<DWORD> Ids;
    std::vector<HANDLE> Handles;
    for (const auto& Known : FKnown) {
      Ids.push_back(Known.first);
      Handles.push_back(Known.second.Handle.Get());
    }
    std::size_t First = 0;
    while (First < Handles.size()) {
      const DWORD Count =
          static_cast<DWORD>(std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, Handles.size() - First));
      const DWORD Signalled = WaitForMultipleObjects(Count, &Handles[First], FALSE, 0);
      if (Signalled >= WAIT_OBJECT_0 && Signalled < WAIT_OBJECT_0 + Count) {
        const std::size_t Ended = First + (Signalled - WAIT_OBJECT_0);
        FKnown.erase(Ids[Ended]);
        Ids.erase(Ids.begin() + Ended);
        Handles.erase(Handles.begin() + Ended);
        continue;
      }
      if (Signalled != WAIT_TIMEOUT) {
        // Cannot tell: ask these again from scratch.
        for (std::size_t i = First; i < First + Count; ++i) FKnown.erase(Ids[i]);
      }
      First += Count;
    }
  }

  // Every process id; the buffer doubles while the system fills it, since a full buffer may
  // have left ids out.
  std::vector<DWORD> ProcessIds() {
    std::vector<DWORD> Ids(FFirstIdCount);
    for (;;) {
      DWORD Size = static_cast<DWORD>(Ids.size() * sizeof(DWORD));
      DWORD Returned = 0;
      if (!FEnumProcesses(Ids.data(), Size, &Returned)) return {};
      if (Returned < Size) {
        Ids.resize(Returned / sizeof(DWORD));
        return Ids;
      }
      Ids.resize(Ids.size() * 2);
    }
  }

  // The executable's path, or empty when the process cannot be opened or read. Opened is
  // the process when the caller has it open, else null.
  std::wstring ImagePath(DWORD Id, HANDLE Opened) {
    BindKernel32();
    if (FQueryFullProcessImageNameW) {
      TKernelHandle Own;
      if (!Opened) Own.Reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Id));
      HANDLE Process = Opened ? Opened : Own.Get();
      if (Process) {
        std::wstring Path;
        for (DWORD Capacity = MAX_PATH; Capacity <= MaxPathChars; Capacity *= 2) {
          Path.assign(Capacity, L'\0');
          DWORD Length = Capacity;
          if (FQueryFullProcessImageNameW(Process, 0, &Path[0], &Length)) {
            Path.resize(Length);
            return Path;
          }
          if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        }
      }
    }
    return FirstModulePath(Id);
  }

  // The older way, for systems without QueryFullProcessImageNameW or processes it refuses:
  // the file of the process's first module.
  std::wstring FirstModulePath(DWORD Id) {
    if (!FGetModuleFileNameExW) return std::wstring();
    TKernelHandle Process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, Id));
    if (!Process) return std::wstring();
    HMODULE First = nullptr;
    DWORD Needed = 0;
    if (!FEnumProcessModules(Process.Get(), &First, sizeof(First), &Needed)) return std::wstring();
    std::wstring Path;
    for (DWORD Capacity = MAX_PATH; Capacity <= MaxPathChars; Capacity *= 2) {
      Path.assign(Capacity, L'\0');
      DWORD Length = FGetModuleFileNameExW(Process.Get(), First, &Path[0], Capacity);
      if (Length == 0) return std::wstring();
      // A path that filled the buffer may have been cut short.
      if (Length < Capacity - 1) {
        Path.resize(Length);
        return Path;
      }
    }
    return std::wstring();
  }

  void BindKernel32() {
    if (FKernelBound) return;
    FKernelBound = true;
    HMODULE Kernel = Kernel32();
    FQueryFullProcessImageNameW =
        Bind<TQueryFullProcessImageNameW>(Kernel, "QueryFullProcessImageNameW");
    FCreateSnapshot = Bind<TCreateToolhelp32Snapshot>(Kernel, "CreateToolhelp32Snapshot");
    FProcess32FirstW = Bind<TProcess32W>(Kernel, "Process32FirstW");
    FProcess32NextW = Bind<TProcess32W>(Kernel, "Process32NextW");
  }

  std::size_t FFirstIdCount;
  HMODULE FPsapi = nullptr;
  TEnumProcesses FEnumProcesses = nullptr;
  TEnumProcessModules FEnumProcessModules = nullptr;
  TGetModuleFileNameExW FGetModuleFileNameExW = nullptr;
  bool FKernelBound = false;
  TQueryFullProcessImageNameW FQueryFullProcessImageNameW = nullptr;
  TCreateToolhelp32Snapshot FCreateSnapshot = nullptr;
  TProcess32W FProcess32FirstW = nullptr;
  TProcess32W FProcess32NextW = nullptr;
  std::unordered_map<DWORD, TKnownProcess> FKnown;  // the processes read and still open
};

}  // namespace

std::unique_ptr<TProcessService> NewWin32Processes(std::size_t FirstIdCount) {
  return std::make_unique<TWin32Processes>(FirstIdCount);
}

TProcessService& PlatformProcesses() {
  static TWin32Processes Instance(1024);
  return Instance;
}

}  // namespace lantern
