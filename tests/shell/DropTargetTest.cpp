#include <gtest/gtest.h>

#include "shell/DropTarget.h"
#include "support/TempFolder.h"

namespace lantern {
namespace {

struct UrlCase {
  const char* Name;
  const char* Bytes;
  bool Found;
  const char* URL;
};

class ReadUrlFileTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ReadUrlFileTest, TakesTheFirstUrlLineOfTheShortcutSection) {
  TTempFolder Folder;
  WriteFileBytes(Folder / "a.url", GetParam().Bytes);
  std::string URL = "untouched";
  EXPECT_EQ(ReadUrlFile(Folder / "a.url", URL), GetParam().Found);
  EXPECT_EQ(URL, GetParam().URL);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadUrlFileTest,
    ::testing::Values(
        UrlCase{"Plain", "[InternetShortcut]\r\nURL=http://a.jp/\r\n", true, "http://a.jp/"},
        UrlCase{"AnyCase", "[internetshortcut]\r\nIconIndex=0\r\nurl=http://b.jp/x?y=1\r\n", true,
                "http://b.jp/x?y=1"},
        UrlCase{"LaterSection", "[Other]\r\nURL=no\r\n[InternetShortcut]\r\nURL=yes\r\n", true,
                "yes"},
        UrlCase{"NextSectionEndsTheSearch", "[InternetShortcut]\r\n[Other]\r\nURL=no\r\n", false,
                "untouched"},
        UrlCase{"HeaderOnTheLastLine", "URL=no\r\n[InternetShortcut]", false, "untouched"},
        UrlCase{"EmptyUrl", "[InternetShortcut]\r\nURL=\r\n", true, ""},
        UrlCase{"Empty", "", false, "untouched"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ReadUrlFileTest, AFileThatCannotBeReadHasNoUrl) {
  TTempFolder Folder;
  std::string URL = "untouched";
  EXPECT_FALSE(ReadUrlFile(Folder / "missing.url", URL));
  EXPECT_EQ(URL, "untouched");
}

}  // namespace
}  // namespace lantern
