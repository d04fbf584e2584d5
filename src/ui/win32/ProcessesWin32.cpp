// The running processes' executables. Every function is bound at run time: the process-status
// ones from PSAPI.DLL while it is loaded, the others from kernel32 on first use, so that the
// program starts on systems that lack any of them.
#include "ui/win32/ProcessesWin32.h"

#include "ui/win32/Handles.h"
// after windows.h
#include <tlhelp32.h>

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
    if (!FPsapi) return;
    FEnumProcesses = nullptr;
    FEnumProcessModules = nullptr;
    FGetModuleFileNameExW = nullptr;
    FreeLibrary(FPsapi);
    FPsapi = nullptr;
  }

  bool PSAPILoaded() const override { return FPsapi != nullptr; }

  std::vector<std::string> ListByProcessStatus() override {
    std::vector<std::string> Result;
    if (!FPsapi) return Result;
    std::vector<DWORD> Ids = ProcessIds();
    Result.reserve(Ids.size());
    for (DWORD Id : Ids) Result.push_back(FromWide(ImagePath(Id)));
    return Result;
  }

  std::vector<std::string> ListBySnapshot() override {
    std::vector<std::string> Result;
    BindKernel32();
    if (!FCreateSnapshot || !FProcess32FirstW || !FProcess32NextW) return Result;
    TKernelHandle Snapshot(FCreateSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!Snapshot) return Result;
    PROCESSENTRY32W Entry = {};
    Entry.dwSize = sizeof(Entry);
    for (BOOL More = FProcess32FirstW(Snapshot.Get(), &Entry); More;
         More = FProcess32NextW(Snapshot.Get(), &Entry))
      Result.push_back(FromWide(Entry.szExeFile));
    return Result;
  }

 private:
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

  // The executable's path, or empty when the process cannot be opened or read.
  std::wstring ImagePath(DWORD Id) {
    BindKernel32();
    if (FQueryFullProcessImageNameW) {
      TKernelHandle Process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Id));
      if (Process) {
        std::wstring Path;
        for (DWORD Capacity = MAX_PATH; Capacity <= MaxPathChars; Capacity *= 2) {
          Path.assign(Capacity, L'\0');
          DWORD Length = Capacity;
          if (FQueryFullProcessImageNameW(Process.Get(), 0, &Path[0], &Length)) {
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
