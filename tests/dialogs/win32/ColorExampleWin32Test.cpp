// Color.dat through the real Windows file services: saved over itself and read back.
#include <gtest/gtest.h>

#include "dialogs/ColorExample.h"
#include "support/TempFolder.h"
#include "ui/FileSystem.h"

namespace lantern {
namespace {

TEST(ColorExampleWin32Test, SavesOverTheOldFileAndReadsItBack) {
  TTempFolder Folder;
  // A folder whose name has a 0x5C trail byte (表 is 95 5C).
  ASSERT_TRUE(PlatformFileSystem().CreateFolders(Folder / "表示"));
  const std::string Path = Folder / "表示\\Color.dat";
  TColorExampleList List;
  auto First = std::make_unique<TColorExample>();
  First->SetName("標準");
  List.Add(std::move(First));
  List.SaveToFile(Path);

  auto Second = std::make_unique<TColorExample>();
  Second->SetName("表示");
  Second->SetColors({0xFF8000, clBtnText, clHighlight, -1});
  List.Add(std::move(Second));
  List.SaveToFile(Path);  // replaces the first file
  EXPECT_FALSE(PathExists(Path + ".tmp"));
  EXPECT_EQ(ReadFileBytes(Path),
            "[COLOREXAMPLE]\r\n\x95W\x8F\x80\r\n-2147483633\r\n-2147483630\r\n-2147483635\r\n"
            "-2147483634\r\n[/COLOREXAMPLE]\r\n"
            "[COLOREXAMPLE]\r\n\x95\x5C\x8E\xA6\r\n16744448\r\n-2147483630\r\n-2147483635\r\n"
            "-1\r\n[/COLOREXAMPLE]\r\n");

  TColorExampleList Read;
  Read.LoadFromFile(Path);
  ASSERT_EQ(Read.Count(), 2);
  EXPECT_EQ(Read.Items(0)->Name(), "標準");
  EXPECT_EQ(Read.Items(0)->Colors().BackColor, clBtnFace);
  EXPECT_EQ(Read.IndexOf("表示"), 1);
  EXPECT_EQ(Read.Items(1)->Colors().BackColor, 0xFF8000);
  EXPECT_EQ(Read.Items(1)->Colors().FontColor, clBtnText);
  EXPECT_EQ(Read.Items(1)->Colors().SelectedBackColor, clHighlight);
  EXPECT_EQ(Read.Items(1)->Colors().SelectedFontColor, -1);
}

}  // namespace
}  // namespace lantern
