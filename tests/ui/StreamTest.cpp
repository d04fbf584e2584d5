#include <gtest/gtest.h>

#include <vector>

#include "base/Exception.h"
#include "model/ExecObj.h"
#include "support/TempFolder.h"
#include "ui/Stream.h"

namespace lantern {
namespace {

std::vector<std::string> ReadAllLines(TStream& Stream) {
  std::vector<std::string> Lines;
  while (!Stream.AtEnd()) Lines.push_back(ReadLine(Stream));
  return Lines;
}

struct LineCase {
  const char* Name;
  std::string Bytes;
  std::vector<std::string> Lines;
};

// CR LF is one line end; any other CR or LF is one by itself.
const LineCase LineCases[] = {
    {"CrLf", "a\r\nb\r\n", {"a", "b"}},
    {"LoneCr", "a\rb", {"a", "b"}},
    {"LoneLf", "a\nb", {"a", "b"}},
    {"LfCr", "a\n\rb", {"a", "", "b"}},
    {"CrCr", "a\r\rb", {"a", "", "b"}},
    {"LfLf", "a\n\nb", {"a", "", "b"}},
    {"LfCrLf", "a\n\r\nb", {"a", "", "b"}},
    {"CrLfLf", "a\r\n\nb", {"a", "", "b"}},
    {"CrAtTheEnd", "a\r", {"a"}},
    {"NoEndAtTheEnd", "a\r\nb", {"a", "b"}},
    {"EmptyLineAfterCrLf", "a\r\n\r\nb", {"a", "", "b"}},
    {"CrCrLfGivesAnEmptyLine", "a\r\r\nb", {"a", "", "b"}},
    {"ThreeLfs", "a\n\n\nb", {"a", "", "", "b"}},
    {"SecondByte5C", "表示\r\nソフト\r\n", {"表示", "ソフト"}},
};

class ReadLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReadLineTest, InMemory) {
  TMemoryStream Stream(GetParam().Bytes);
  EXPECT_EQ(ReadAllLines(Stream), GetParam().Lines);
}

TEST_P(ReadLineTest, FromAFileWithTheLineEndAcrossTheBufferBoundary) {
  // 64 KiB of 'x' first, so that the line end of the first case line straddles the buffer.
  TTempFolder Folder;
  std::string Filler(64 * 1024 - 2, 'x');
  WriteFileBytes(Folder / "lines.txt", Filler + GetParam().Bytes);
  TFileStream Stream(Folder / "lines.txt", TFileMode::OpenRead);
  std::vector<std::string> Expected = GetParam().Lines;
  Expected[0] = Filler + Expected[0];
  EXPECT_EQ(ReadAllLines(Stream), Expected);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, ReadLineTest, ::testing::ValuesIn(LineCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ReadLineTest, AtTheEndGivesAnEmptyLine) {
  TMemoryStream Stream(std::string("x"));
  EXPECT_EQ(ReadLine(Stream), "x");
  EXPECT_TRUE(Stream.AtEnd());
  EXPECT_EQ(ReadLine(Stream), "");
}

TEST(WriteLineTest, EndsEveryLineWithCrLf) {
  TMemoryStream Stream;
  WriteLine(Stream, "表示");
  WriteLine(Stream, "");
  EXPECT_EQ(Stream.Bytes(), "\x95\x5C\x8E\xA6\r\n\r\n");
}

TEST(FileStreamTest, WritesMoreThanOneBufferAndReadsItBack) {
  TTempFolder Folder;
  std::string Bytes;
  for (int i = 0; i < 200000; ++i) Bytes += static_cast<char>('a' + i % 26);
  {
    TFileStream Out(Folder / "big.bin", TFileMode::Create);
    for (std::size_t i = 0; i < Bytes.size(); i += 1000)
      Out.Write(Bytes.data() + i, std::min<std::size_t>(1000, Bytes.size() - i));
    Out.FlushToDisk();
  }
  EXPECT_EQ(ReadFileBytes(Folder / "big.bin"), Bytes);
  TFileStream In(Folder / "big.bin", TFileMode::OpenRead);
  std::string Back(Bytes.size(), '\0');
  EXPECT_EQ(In.Read(&Back[0], Back.size()), Bytes.size());
  EXPECT_EQ(Back, Bytes);
  EXPECT_TRUE(In.AtEnd());
}

TEST(FileStreamTest, SeekInsideAndOutsideTheReadAhead) {
  TTempFolder Folder;
  WriteFileBytes(Folder / "s.txt", "0123456789");
  TFileStream In(Folder / "s.txt", TFileMode::OpenRead);
  char c;
  In.Read(&c, 1);
  In.Read(&c, 1);
  EXPECT_EQ(In.Seek(-1, TSeekOrigin::Current), 1);
  In.Read(&c, 1);
  EXPECT_EQ(c, '1');
  EXPECT_EQ(In.Seek(8, TSeekOrigin::Begin), 8);
  In.Read(&c, 1);
  EXPECT_EQ(c, '8');
  EXPECT_EQ(In.Position(), 9);
}

TEST(FileStreamTest, OpeningAMissingFileRaisesWithItsName) {
  TTempFolder Folder;
  try {
    TFileStream In(Folder / "missing.dat", TFileMode::OpenRead);
    FAIL();
  } catch (const EFileError& e) {
    EXPECT_NE(e.Message().find("missing.dat"), std::string::npos);
    EXPECT_NE(e.Message().find("を開けません"), std::string::npos);
  }
}

}  // namespace
}  // namespace lantern
