#include <gtest/gtest.h>

#include "model/ExecObj.h"
#include "support/FakeFileSystem.h"

namespace lantern {
namespace {

class ExpandLongPathTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  void SetUp() override {
    Files.AddFile("C:\\Program Files\\表示ソフト\\soft.exe");
    Files.AddFolder("C:\\Program Files", "PROGRA~1");
    Files.AddFolder("C:\\Program Files\\表示ソフト", "HYOJI~1");
    Files.AddFile("C:\\WINDOWS\\notepad.exe");
    Files.AddFolder("C:\\My Documents", "MYDOCU~1");
    Files.AddFile("C:\\Users\\me\\Docs\\Memo.txt");
    Files.AddFile("D:\\テスト\\a.txt");
    Files.AddFile("\\\\SERVER\\share\\Dir\\File.txt");
    Old = SetFileSystem(&Files);
  }
  void TearDown() override { SetFileSystem(Old); }

  TFakeFileSystem Files;
  TFileSystem* Old = nullptr;
};

TEST_P(ExpandLongPathTest, GivesTheLongNameFormOrNothing) {
  EXPECT_EQ(ExpandLongPath(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ExpandLongPathTest,
    ::testing::Values(
        // short names become the on-disk long names; the drive letter is upper case
        std::make_pair("c:\\progra~1\\hyoji~1\\SOFT.EXE",
                       "C:\\Program Files\\表示ソフト\\soft.exe"),
        std::make_pair("  c:\\windows\\NOTEPAD.EXE\t", "C:\\WINDOWS\\notepad.exe"),
        std::make_pair("c:/windows/notepad.exe", "C:\\WINDOWS\\notepad.exe"),
        // a folder keeps its trailing backslash; a drive's root stays a root
        std::make_pair("c:\\mydocu~1\\", "C:\\My Documents\\"), std::make_pair("c:\\", "C:\\"),
        // letters in second bytes stay as they are
        std::make_pair("d:\\テスト\\A.TXT", "D:\\テスト\\a.txt"),
        // nothing of that name: nothing
        std::make_pair("C:\\nowhere\\app.exe", ""), std::make_pair("", ""),
        std::make_pair("   ", ""),
        // a relative path stays relative, in long names; a path from the drive's root too
        std::make_pair("docs\\memo.TXT", "Docs\\Memo.txt"),
        std::make_pair("\\users\\me\\DOCS", "\\Users\\me\\Docs"),
        // network paths: not tested for existence; the server and share in upper case,
        // components that are not found stay as given
        std::make_pair("\\\\server\\share\\dir\\file.txt", "\\\\SERVER\\SHARE\\Dir\\File.txt"),
        std::make_pair("\\\\srv\\share\\a\\b", "\\\\SRV\\SHARE\\a\\b"),
        std::make_pair("\\\\srv\\share\\missing.exe", "\\\\SRV\\SHARE\\missing.exe"),
        std::make_pair("\\\\srv\\share", "\\\\SRV\\SHARE\\"),
        std::make_pair("\\\\srv\\share\\", "\\\\SRV\\SHARE\\"),
        std::make_pair("\\\\srv\\", "\\\\SRV\\"),
        std::make_pair("\\\\srv\\share\\\\a", "\\\\SRV\\SHARE\\\\a"),
        // a share or server whose name has a second byte 0x5C (ソ, 表) is one name
        std::make_pair("\\\\srv\\ソフト\\a.exe", "\\\\SRV\\ソフト\\a.exe"),
        std::make_pair("\\\\srv\\表示\\dir\\x.txt", "\\\\SRV\\表示\\dir\\x.txt"),
        std::make_pair("\\\\表\\share\\x", "\\\\表\\SHARE\\x"),
        std::make_pair("\\\\srv\\ソ", "\\\\SRV\\ソ\\"),
        // a ':' in a network path separates nothing: the walk ends and keeps it
        std::make_pair("\\\\s\\h\\a:b", "\\\\S\\H\\a:b"),
        std::make_pair("\\\\server\\share\\dir\\file.txt:stream",
                       "\\\\SERVER\\SHARE\\Dir\\file.txt:stream"),
        std::make_pair("\\\\s:\\h:\\:", "\\\\S:\\H:\\:"), std::make_pair("\\\\srv", "\\\\SRV\\")));

TEST_F(ExpandLongPathTest, AsksForEachComponentOnce) {
  ExpandLongPath("c:\\progra~1\\hyoji~1\\soft.exe");
  EXPECT_EQ(Files.FindCalls, 3);
}

TEST_F(ExpandLongPathTest, GetLongNameIsTheNameOfTheFirstMatch) {
  EXPECT_EQ(GetLongName("C:\\PROGRA~1"), "Program Files");
  EXPECT_EQ(GetLongName("C:\\missing"), "");
}

}  // namespace
}  // namespace lantern
