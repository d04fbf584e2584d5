// The process service against the real system (run under Wine here).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "support/FakeProcesses.h"
#include "support/TempFolder.h"
#include "ui/Processes.h"
#include "ui/win32/ProcessesWin32.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

std::wstring SelfPath() {
  std::wstring Path(32768, L'\0');
  Path.resize(GetModuleFileNameW(nullptr, &Path[0], 32768));
  return Path;
}

std::wstring BesideSelf(const std::wstring& Name) {
  std::wstring Self = SelfPath();
  return Self.substr(0, Self.rfind(L'\\') + 1) + Name;
}

bool Holds(const std::vector<TRunningProcess>& Listed, const std::string& Path) {
  const std::vector<std::string> List = ProcessPaths(Listed);
  std::string Wanted = UpperCaseAscii(Path);
  return std::any_of(List.begin(), List.end(),
                     [&](const std::string& Item) { return UpperCaseAscii(Item) == Wanted; });
}

// A process started suspended for as long as the holder lives: listed, but running nothing.
class TChild {
 public:
  explicit TChild(const std::wstring& Program) {
    STARTUPINFOW Start = {};
    Start.cb = sizeof(Start);
    std::wstring CommandLine = L"\"" + Program + L"\"";
    Started = CreateProcessW(Program.c_str(), &CommandLine[0], nullptr, nullptr, FALSE,
                             CREATE_SUSPENDED, nullptr, nullptr, &Start, &Info);
    Error = GetLastError();
  }
  ~TChild() {
    if (!Started) return;
    TerminateProcess(Info.hProcess, 0);
    WaitForSingleObject(Info.hProcess, 5000);
    CloseHandle(Info.hThread);
    CloseHandle(Info.hProcess);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;
  BOOL Started = FALSE;
  DWORD Error = 0;
  PROCESS_INFORMATION Info = {};
};

std::unique_ptr<TProcessService> LoadedService(std::size_t FirstIdCount = 1024) {
  auto Service = NewWin32Processes(FirstIdCount);
  Service->LoadPSAPI();
  return Service;
}

TEST(ProcessesWin32Test, LoadsAndUnloadsTheProcessStatusLibrary) {
  auto Service = NewWin32Processes(1024);
  EXPECT_FALSE(Service->PSAPILoaded());
  EXPECT_TRUE(Service->ListByProcessStatus().empty()) << "listed without the library";
  EXPECT_TRUE(Service->LoadPSAPI());
  EXPECT_TRUE(Service->PSAPILoaded());
  EXPECT_TRUE(Service->LoadPSAPI()) << "a second load";
  EXPECT_FALSE(Service->ListByProcessStatus().empty());
  Service->UnloadPSAPI();
  EXPECT_FALSE(Service->PSAPILoaded());
  EXPECT_TRUE(Service->ListByProcessStatus().empty());
  Service->UnloadPSAPI();  // nothing left to free
  EXPECT_TRUE(Service->LoadPSAPI());
  EXPECT_TRUE(Service->PSAPILoaded());
}

TEST(ProcessesWin32Test, StatusListHoldsThisProgramAndAChildByFullPath) {
  std::wstring Program = BesideSelf(L"record_args.exe");
  TChild Child(Program);
  ASSERT_TRUE(Child.Started) << "CreateProcess failed: " << Child.Error;
  auto List = LoadedService()->ListByProcessStatus();
  EXPECT_TRUE(Holds(List, FromWide(SelfPath()))) << FromWide(SelfPath());
  EXPECT_TRUE(Holds(List, FromWide(Program))) << FromWide(Program);
}

TEST(ProcessesWin32Test, AServiceThatKeepsWhatItReadListsWhatAFreshOneLists) {
  const std::wstring Program = BesideSelf(L"record_args.exe");
  const std::string Wanted = UpperCaseAscii(FromWide(Program));
  auto Runs = [&](const std::vector<TRunningProcess>& Listed) {
    const std::vector<std::string> List = ProcessPaths(Listed);
    return std::count_if(List.begin(), List.end(),
                         [&](const std::string& Item) { return UpperCaseAscii(Item) == Wanted; });
  };
  auto Kept = LoadedService();
  ASSERT_EQ(Runs(Kept->ListByProcessStatus()), 0);
  {
    TChild First(Program), Second(Program);
    ASSERT_TRUE(First.Started && Second.Started);
    EXPECT_EQ(Runs(Kept->ListByProcessStatus()), 2);
    std::vector<std::string> Again = ProcessPaths(Kept->ListByProcessStatus());
    std::vector<std::string> Fresh = ProcessPaths(LoadedService()->ListByProcessStatus());
    std::sort(Again.begin(), Again.end());
    std::sort(Fresh.begin(), Fresh.end());
    EXPECT_EQ(Again, Fresh);
  }
  // Both have ended, and a new one runs: what was kept must not answer for them.
  EXPECT_EQ(Runs(Kept->ListByProcessStatus()), 0);
  TChild Third(Program);
  EXPECT_EQ(Runs(Kept->ListByProcessStatus()), 1);
}

// The longest path a program can have and still be started here: Wine 8 refuses to start
// one of MAX_PATH characters or more (with or without "\\?\"), so the test cannot go past
// 259, which with its terminator fills the first buffer to the last character.
TEST(ProcessesWin32Test, StatusListGivesTheLongestStartablePathWhole) {
  TTempFolder Folder;
  std::wstring Base = ToWide(Folder.Path()) + L"\\";
  const std::wstring Name = L"\\record_args.exe";
  ASSERT_LT(Base.size() + Name.size(), std::size_t(MAX_PATH - 2)) << "temporary folder too deep";
  std::wstring Deep = Base + std::wstring(MAX_PATH - 1 - Base.size() - Name.size(), L'd');
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Deep).c_str(), nullptr)) << GetLastError();
  std::wstring Program = Deep + Name;
  ASSERT_EQ(FromWide(Program).size(), std::size_t(MAX_PATH - 1));
  ASSERT_TRUE(CopyFileW(BesideSelf(L"record_args.exe").c_str(), Program.c_str(), FALSE));
  TChild Child(Program);
  ASSERT_TRUE(Child.Started) << "CreateProcess failed: " << Child.Error;
  auto List = LoadedService()->ListByProcessStatus();
  EXPECT_TRUE(Holds(List, FromWide(Program))) << FromWide(Program);
}

// Starting with room for one id, the buffer must grow until every process fits.
TEST(ProcessesWin32Test, StatusListGrowsTheIdBufferUntilEveryProcessFits) {
  TChild Child(BesideSelf(L"record_args.exe"));
  ASSERT_TRUE(Child.Started) << "CreateProcess failed: " << Child.Error;
  auto Small = LoadedService(1), Large = LoadedService(1024);
  std::vector<TRunningProcess> FromSmall, FromLarge;
  auto Sorted = [](const std::vector<TRunningProcess>& List) {
    std::vector<std::string> Paths = ProcessPaths(List);
    std::sort(Paths.begin(), Paths.end());
    return Paths;
  };
  // Wine's own services may come or go between two listings; three tries.
  for (int Try = 0; Try < 3; ++Try) {
    FromSmall = Small->ListByProcessStatus();
    FromLarge = Large->ListByProcessStatus();
    if (Sorted(FromSmall) == Sorted(FromLarge)) break;
  }
  EXPECT_GE(FromSmall.size(), 2u);
  EXPECT_EQ(Sorted(FromSmall), Sorted(FromLarge));
  EXPECT_TRUE(Holds(FromSmall, FromWide(SelfPath())));
  EXPECT_TRUE(Holds(FromSmall, FromWide(BesideSelf(L"record_args.exe"))));
}

TEST(ProcessesWin32Test, SnapshotNamesThisProgramAndAChildByFileName) {
  TChild Child(BesideSelf(L"record_args.exe"));
  ASSERT_TRUE(Child.Started) << "CreateProcess failed: " << Child.Error;
  // Needs no library.
  auto List = NewWin32Processes(1024)->ListBySnapshot();
  EXPECT_TRUE(Holds(List, ExtractFileName(FromWide(SelfPath()))));
  EXPECT_TRUE(Holds(List, "record_args.exe"));
  EXPECT_FALSE(Holds(List, FromWide(SelfPath()))) << "a path where a name was expected";
}

// In CP932 its path would name another file or none: no launcher may come of it.
TEST(ProcessesWin32Test, AProcessWhosePathHasNoCp932FormIsLeftOut) {
  TTempFolder Folder;
  const std::wstring Program = ToWide(Folder.Path()) + L"\\\xD55C.exe";
  ASSERT_TRUE(CopyFileW(BesideSelf(L"record_args.exe").c_str(), Program.c_str(), FALSE));
  TChild Child(Program);
  ASSERT_TRUE(Child.Started) << "CreateProcess failed: " << Child.Error;
  auto Service = LoadedService();
  for (int Twice = 0; Twice < 2; ++Twice) {  // read afresh, then as kept
    auto List = Service->ListByProcessStatus();
    EXPECT_TRUE(Holds(List, FromWide(SelfPath())));
    EXPECT_FALSE(Holds(List, FromWide(Program)));
  }
  auto Names = Service->ListBySnapshot();
  EXPECT_TRUE(Holds(Names, ExtractFileName(FromWide(SelfPath()))));
  EXPECT_FALSE(Holds(Names, FromWide(L"\xD55C.exe")));
}

}  // namespace
}  // namespace lantern
