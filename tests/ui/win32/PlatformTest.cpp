// The platform's real services under Windows (run under Wine here).
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "model/Root.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"
#include "ui/FileSystem.h"
#include "ui/ImageList.h"
#include "ui/Shell.h"
#include "ui/System.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

std::string ShortPath(const std::string& Path) {
  wchar_t Buffer[1024];
  DWORD n = GetShortPathNameW(ToWide(Path).c_str(), Buffer, 1024);
  return n ? FromWide(Buffer) : std::string();
}

std::string LongPath(const std::string& Path) {
  wchar_t Buffer[1024];
  DWORD n = GetLongPathNameW(ToWide(Path).c_str(), Buffer, 1024);
  return n ? FromWide(Buffer) : std::string();
}

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Long = Folder / "Long Folder Name 表示";
    ASSERT_TRUE(CreateDirectoryW(ToWide(Long).c_str(), nullptr));
    LongFile = Long + "\\a rather long file name.txt";
    WriteFileBytes(LongFile, "x");
  }
  TTempFolder Folder;
  std::string Long, LongFile;
};

TEST_F(PlatformTest, ExpandLongPathTurnsRealShortNamesIntoLongOnes) {
  std::string Short = ShortPath(LongFile);
  ASSERT_FALSE(Short.empty());
  ASSERT_NE(Short, LongFile) << "the file system gave no short name";
  std::string Expected = LongPath(LongFile);
  Expected[0] = static_cast<char>(toupper(static_cast<unsigned char>(Expected[0])));
  EXPECT_EQ(ExpandLongPath(Short), Expected);
  // Lower-case drive letters and the folder alone as well.
  std::string ShortFolder = ShortPath(Long);
  ShortFolder[0] = static_cast<char>(tolower(static_cast<unsigned char>(ShortFolder[0])));
  EXPECT_EQ(ExpandLongPath(ShortFolder), Expected.substr(0, Expected.rfind('\\')));
  EXPECT_EQ(ExpandLongPath(Long + "\\missing.txt"), "");
}

TEST_F(PlatformTest, ExistenceTestsTellFilesFromFolders) {
  TFileSystem& Files = FileSystem();
  EXPECT_TRUE(Files.FileExists(LongFile));
  EXPECT_FALSE(Files.DirectoryExists(LongFile));
  EXPECT_TRUE(Files.DirectoryExists(Long));
  EXPECT_FALSE(Files.FileExists(Long));
  EXPECT_FALSE(Files.FileExists(Long + "\\nothing"));
  EXPECT_EQ(Files.FindFirstName(ShortPath(LongFile)), "a rather long file name.txt");
  EXPECT_EQ(Files.FindFirstName(Long + "\\*.txt"), "a rather long file name.txt");
}

// A folder is known by its id through any path to it: the walk of the Start Menu goes by it.
TEST_F(PlatformTest, AFolderHasOneIdThroughEveryPath) {
  TFileSystem& Files = FileSystem();
  ASSERT_TRUE(CreateDirectoryW(ToWide(Long + "\\Sub").c_str(), nullptr));
  std::uint64_t Volume = 0, Index = 0, OtherVolume = 0, OtherIndex = 0;
  ASSERT_TRUE(Files.FolderId(Long, Volume, Index));
  ASSERT_TRUE(Files.FolderId(ShortPath(Long) + "\\Sub\\..", OtherVolume, OtherIndex));
  EXPECT_EQ(std::make_pair(OtherVolume, OtherIndex), std::make_pair(Volume, Index));
  ASSERT_TRUE(Files.FolderId(Long + "\\Sub", OtherVolume, OtherIndex));
  EXPECT_NE(std::make_pair(OtherVolume, OtherIndex), std::make_pair(Volume, Index));
  EXPECT_FALSE(Files.FolderId(Long + "\\missing", OtherVolume, OtherIndex));
}

TEST_F(PlatformTest, ALinkToAFolderIsListedAsOneAndHasItsFoldersId) {
  const std::string Link = Folder / "Link";  // beside the folder, so that no walk loops
  // Wine (8.0) says yes and makes none.
  if (!CreateSymbolicLinkW(
          ToWide(Link).c_str(), ToWide(Long).c_str(),
          SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
      GetFileAttributesW(ToWide(Link).c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no symbolic link to a folder can be made here";
  TFileSystem& Files = FileSystem();
  std::vector<TFolderEntry> Entries;
  ASSERT_TRUE(Files.ListFolder(Folder / "", Entries));
  std::string Listed;
  for (const TFolderEntry& Entry : Entries)
    Listed += Entry.Name + (Entry.Folder ? "/" : "") + (Entry.Link ? "@" : "") + " ";
  EXPECT_NE(Listed.find("Link/@ "), std::string::npos) << Listed;
  EXPECT_NE(Listed.find("Long Folder Name 表示/ "), std::string::npos) << Listed;
  std::uint64_t Volume = 0, Index = 0, LinkVolume = 0, LinkIndex = 0;
  ASSERT_TRUE(Files.FolderId(Long, Volume, Index));
  ASSERT_TRUE(Files.FolderId(Link, LinkVolume, LinkIndex));
  EXPECT_EQ(std::make_pair(LinkVolume, LinkIndex), std::make_pair(Volume, Index));
  RemoveDirectoryW(ToWide(Link).c_str());
}

TEST_F(PlatformTest, TheShellHasAnIconForAProgram) {
  std::unique_ptr<TIcon> Icon = GetFileIcon("C:\\windows\\notepad.exe", false);
  ASSERT_FALSE(Icon->Empty());
  ICONINFO Info;
  ASSERT_TRUE(GetIconInfo(static_cast<HICON>(Icon->Handle()), &Info));
  BITMAP Mask;
  GetObjectW(Info.hbmMask, sizeof(Mask), &Mask);
  EXPECT_EQ(Mask.bmWidth, 16);  // the small icon
  DeleteObject(Info.hbmMask);
  if (Info.hbmColor) DeleteObject(Info.hbmColor);
}

// The shell names the picture: one program's icons share a source, a folder's differs, and
// an image list keeps the shared picture once.
TEST_F(PlatformTest, TheShellTellsWhichIconsShareAPicture) {
  std::unique_ptr<TIcon> Notepad = GetFileIcon("C:\\windows\\notepad.exe", false);
  std::unique_ptr<TIcon> Again = GetFileIcon("C:\\windows\\notepad.exe", false);
  std::unique_ptr<TIcon> Windows = GetFileIcon("C:\\windows", false);
  ASSERT_GE(Notepad->Source(), 0);
  EXPECT_EQ(Again->Source(), Notepad->Source());
  EXPECT_NE(Windows->Source(), Notepad->Source());
  EXPECT_NE(GetFileIcon("C:\\windows\\notepad.exe", true)->Source(), Notepad->Source());
  TImageList Images;
  EXPECT_EQ(Images.AddIcon(*Notepad), Images.AddIcon(*Again));
  EXPECT_EQ(Images.Count(), 1);
}

TEST_F(PlatformTest, DataFilesWithJapaneseNamesRoundTrip) {
  TRoot Root;
  TLauncherExec* L = Root.Add(std::make_unique<TLauncherExec>(&Root));
  L->SetName("表示ソフト");
  std::string Name = Folder / "ソフト表示.dat";
  Root.SaveToFile(Name);
  Root.SaveToFile(Name);  // replacing an existing file
  EXPECT_TRUE(PathExists(Name));
  TRoot Back;
  Back.LoadFromFile(Name);
  ASSERT_EQ(Back.Count(), 1);
  EXPECT_EQ(Back.Items(0)->Name(), "表示ソフト");
}

TEST_F(PlatformTest, AFileOpenForReadingIsNotOverwrittenInPlace) {
  std::string Name = Folder / "held.dat";
  WriteFileBytes(Name, "old");
  HANDLE Held = CreateFileW(ToWide(Name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(Held, INVALID_HANDLE_VALUE);
  TRoot Root;
  bool Failed = false;
  try {
    Root.SaveToFile(Name);
  } catch (const EFileError&) {
    Failed = true;
  }
  CloseHandle(Held);
  // Either the new file took the old one's place whole, or the old one is untouched.
  std::string Bytes = ReadFileBytes(Name);
  if (Failed)
    EXPECT_EQ(Bytes, "old");
  else
    EXPECT_EQ(Bytes.compare(0, 6, "[ROOT]"), 0);
  EXPECT_FALSE(PathExists(Name + ".tmp"));
}

// Shortcuts saved by the shell's own object in a folder with a Japanese name are read back,
// whatever the system's ANSI code page: to a program, to a file in that folder and to one
// with a Japanese name that is gone. A file that is no shortcut is refused.
TEST_F(PlatformTest, TheShellReadsAShortcutsTargetAndRefusesOtherFiles) {
  const HRESULT Com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int n = 0;
  for (const std::string& Target :
       {std::string("C:\\windows\\notepad.exe"), LongFile, Long + "\\消えた.exe"}) {
    const std::string Lnk = Long + "\\メモ帳" + std::to_string(++n) + ".lnk";
    TComPointer<IShellLinkW> Link;
    TComPointer<IPersistFile> File;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW,
                                              reinterpret_cast<void**>(Link.Receive())));
    Link.Get()->SetPath(ToWide(Target).c_str());
    Link.Get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(File.Receive()));
    ASSERT_HRESULT_SUCCEEDED(File.Get()->Save(ToWide(Lnk).c_str(), TRUE));
    std::string Resolved;
    EXPECT_TRUE(Shell().ResolveShortcut(Lnk, Resolved)) << Target;
    EXPECT_EQ(UpperCaseAscii(Resolved), UpperCaseAscii(Target));
  }
  std::string Target;
  EXPECT_FALSE(Shell().ResolveShortcut(LongFile, Target));
  if (SUCCEEDED(Com)) CoUninitialize();
}

TEST(LocaleTest, TextsCompareWithoutRegardToCaseAsTheLocaleDoes) {
  TSystem& Sys = PlatformSystem();
  EXPECT_EQ(Sys.CompareText("Lantern", "lANTERN"), 0);
  EXPECT_EQ(Sys.CompareText("Ａｂｃ", "ａＢＣ"), 0);  // full-width letters too
  EXPECT_LT(Sys.CompareText("alpha", "Beta"), 0);
  EXPECT_LT(Sys.CompareText("あいう", "かきく"), 0);
  EXPECT_GT(Sys.CompareText("表示2", "表示1"), 0);
}

TEST_F(PlatformTest, ALauncherStartsItsProgramWithItsParametersInItsFolder) {
  wchar_t Self[MAX_PATH];
  GetModuleFileNameW(nullptr, Self, MAX_PATH);
  std::wstring Program = Self;
  Program = Program.substr(0, Program.rfind(L'\\') + 1) + L"record_args.exe";
  std::string Record = Folder / "record.txt";
  SetEnvironmentVariableW(L"LANTERN_RECORD", ToWide(Record).c_str());
  TRoot Root;
  TLauncherExec* L = Root.Add(std::make_unique<TLauncherExec>(&Root));
  L->SetFileName(FromWide(Program));
  L->SetParameters("表示 \"two words\"");
  L->SetWorkFolder(Long);
  L->Open();
  for (int i = 0; i < 200 && !PathExists(Record); ++i) Sleep(50);
  ASSERT_TRUE(PathExists(Record)) << "the program did not start";
  std::string Utf8 = ReadFileBytes(Record);
  // The folder line in CP932, then the two arguments.
  std::wstring Wide(Utf8.size(), L'\0');
  Wide.resize(MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), static_cast<int>(Utf8.size()), &Wide[0],
                                  static_cast<int>(Wide.size())));
  std::string Lines = FromWide(Wide);
  EXPECT_EQ(UpperCaseAscii(Lines), UpperCaseAscii(Long + "\n表示\ntwo words\n"));
}

TEST(SystemTest, MonitorsFullPathsAndTheSessionsBlockReason) {
  TSystem& Sys = PlatformSystem();
  EXPECT_TRUE(Sys.RectOnAnyMonitor(10, 10, 300, 200));
  EXPECT_TRUE(Sys.RectOnAnyMonitor(-100, -100, 150, 150));  // partly on the screen
  EXPECT_FALSE(Sys.RectOnAnyMonitor(-5000, -5000, 300, 200));
  EXPECT_FALSE(Sys.RectOnAnyMonitor(Sys.ScreenWidth() + 4000, 0, 300, 200));
  EXPECT_EQ(UpperCaseAscii(Sys.WindowsDirectory()), "C:\\WINDOWS");  // Wine's
  // Relative paths against the current folder; absolute ones unchanged.
  wchar_t Saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, Saved);
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
  EXPECT_EQ(UpperCaseAscii(Sys.FullPathName("notepad.exe")), "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(UpperCaseAscii(Sys.FullPathName("..\\表示\\a.exe")), "C:\\表示\\A.EXE");
  EXPECT_EQ(Sys.FullPathName("D:\\ソフト\\b.exe"), "D:\\ソフト\\b.exe");
  SetCurrentDirectoryW(Saved);
  // Not every system keeps the reason, but setting and taking it away must be harmless.
  HWND Window =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Sys.SetShutdownBlockReason(Window, "データファイルを保存できません: 理由");
  Sys.SetShutdownBlockReason(Window, "");
  DestroyWindow(Window);
}

TEST(WideTextTest, OnlyTextWithACp932FormConvertsExactly) {
  struct {
    const wchar_t* Wide;
    bool Exact;
    const char* Text;
  } Cases[] = {
      {L"C:\\表示\\ソフト.exe", true, "C:\\表示\\ソフト.exe"},
      {L"C:\\\xD55C\xAE00\\a.exe", false, "C:\\??\\a.exe"},  // Hangul
      {L"\xD83D\xDE00.txt", false, nullptr},                 // an emoji
      {L"Stra\x00DFe", false, nullptr},  // no look-alike ("ss" or "B") stands in for it
      {L"", true, ""},
  };
  for (auto& c : Cases) {
    std::string Text;
    EXPECT_EQ(FromWideExact(c.Wide, Text), c.Exact) << FromWide(c.Wide);
    if (c.Text) {
      EXPECT_EQ(Text, c.Text);
    }
  }
}

}  // namespace
}  // namespace lantern
