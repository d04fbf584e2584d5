// The help pages installed beside Lantern.exe, read from the source tree: the four pages the
// program opens exist, declare themselves as Japanese UTF-8 HTML with a title, link only to
// files (and anchors) that are there, and name no web site, so they work offline.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace lantern {
namespace {

const std::string HelpDir = LANTERN_HELP_DIR;

bool ReadFile(const std::string& Path, std::string& Text) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return false;
  std::ostringstream Out;
  Out << In.rdbuf();
  Text = Out.str();
  return true;
}

std::string Lower(std::string S) {
  for (char& C : S)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return S;
}

// The values of every href="..." and src="..." attribute.
std::vector<std::string> Links(const std::string& Html) {
  static const std::regex Attribute(R"re((?:href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
  std::vector<std::string> Result;
  for (std::sregex_iterator It(Html.begin(), Html.end(), Attribute), End; It != End; ++It)
    Result.push_back((*It)[1]);
  return Result;
}

std::set<std::string> Ids(const std::string& Html) {
  static const std::regex Attribute(R"re(\sid\s*=\s*"([^"]*)")re");
  std::set<std::string> Result;
  for (std::sregex_iterator It(Html.begin(), Html.end(), Attribute), End; It != End; ++It)
    Result.insert((*It)[1]);
  return Result;
}

// The pages the program opens, relative to the folder of Lantern.exe.
class HelpPageTest : public ::testing::TestWithParam<const char*> {};

TEST_P(HelpPageTest, IsJapaneseUtf8HtmlWithATitle) {
  std::string Html;
  ASSERT_TRUE(ReadFile(HelpDir + "/" + GetParam(), Html)) << "missing: " << GetParam();
  const std::string Text = Lower(Html);
  EXPECT_EQ(Text.rfind("<!doctype html>", 0), 0u);
  EXPECT_NE(Text.find("<html lang=\"ja\">"), std::string::npos);
  EXPECT_NE(Text.find("<meta charset=\"utf-8\""), std::string::npos);
  const std::size_t Open = Text.find("<title>"), Close = Text.find("</title>");
  ASSERT_NE(Open, std::string::npos);
  ASSERT_NE(Close, std::string::npos);
  EXPECT_GT(Close, Open + 7) << "empty title";
  EXPECT_NE(Text.find("</html>"), std::string::npos);
}

TEST_P(HelpPageTest, LinksOnlyToFilesAndAnchorsThatExist) {
  std::string Html;
  ASSERT_TRUE(ReadFile(HelpDir + "/" + GetParam(), Html));
  const std::vector<std::string> Found = Links(Html);
  EXPECT_FALSE(Found.empty());
  for (const std::string& Link : Found) {
    SCOPED_TRACE(Link);
    ASSERT_FALSE(Link.empty());
    // Pages stay inside the help folder: no scheme, no absolute path, no way up.
    EXPECT_EQ(Link.find(':'), std::string::npos);
    EXPECT_NE(Link[0], '/');
    EXPECT_EQ(Link.find(".."), std::string::npos);
    EXPECT_EQ(Link.find('\\'), std::string::npos);
    const std::size_t Hash = Link.find('#');
    const std::string File = Link.substr(0, Hash);
    std::string Target = Html;
    if (!File.empty()) {
      EXPECT_TRUE(ReadFile(HelpDir + "/" + File, Target)) << "no file " << File;
    }
    if (Hash != std::string::npos) {
      EXPECT_EQ(Ids(Target).count(Link.substr(Hash + 1)), 1u) << "no anchor";
    }
  }
}

TEST_P(HelpPageTest, NamesNoWebSite) {
  std::string Html;
  ASSERT_TRUE(ReadFile(HelpDir + "/" + GetParam(), Html));
  const std::string Text = Lower(Html);
  EXPECT_EQ(Text.find("http://"), std::string::npos);
  EXPECT_EQ(Text.find("https://"), std::string::npos);
  EXPECT_EQ(Text.find("www."), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpPageTest,
                         ::testing::Values("Top.html", "EnvSet.html", "LauncherProp.html",
                                           "LaunchFolderProp.html"),
                         [](const ::testing::TestParamInfo<const char*>& Info) {
                           std::string Name = Info.param;
                           return Name.substr(0, Name.find('.'));
                         });

TEST(HelpPagesTest, TopPageLinksToTheOtherThree) {
  std::string Html;
  ASSERT_TRUE(ReadFile(HelpDir + "/Top.html", Html));
  std::set<std::string> Files;
  for (const std::string& Link : Links(Html)) Files.insert(Link.substr(0, Link.find('#')));
  for (const char* Page : {"EnvSet.html", "LauncherProp.html", "LaunchFolderProp.html"})
    EXPECT_EQ(Files.count(Page), 1u) << Page;
}

}  // namespace
}  // namespace lantern
