// The registry's contract, for the registry in memory and for the platform's own (under
// Wine, Windows' real registry).
#include <gtest/gtest.h>

#include "ui/MemoryRegistry.h"

namespace lantern {
namespace {

class RegistryTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Reg = GetParam() ? &PlatformRegistry() : &Memory;
    Reg->DeleteKey(Key);
  }
  void TearDown() override { Reg->DeleteKey(Key); }
  TMemoryRegistry Memory;
  TRegistry* Reg = nullptr;
  const std::string Key = "Software\\ZR\\LanternTest\\";
};

TEST_P(RegistryTest, ValuesKeepTheirTypeAndBytes) {
  EXPECT_FALSE(Reg->KeyExists(Key));
  Reg->WriteDWord(Key, "Number", 0xFFFFFFFEu);
  Reg->WriteString(Key, "Text", "ランタン for Windows");
  Reg->WriteString(Key, "Empty", "");
  std::string Eight("\x00\x01\x02\x03\x04\x05\x06\xFF", 8);
  Reg->WriteBinary(Key, "Date", Eight);
  EXPECT_TRUE(Reg->KeyExists(Key));

  std::uint32_t n = 0;
  std::string s, b;
  EXPECT_TRUE(Reg->ReadDWord(Key, "number", n));  // names without regard to case
  EXPECT_EQ(n, 0xFFFFFFFEu);
  EXPECT_TRUE(Reg->ReadString(Key, "Text", s));
  EXPECT_EQ(s, "ランタン for Windows");
  EXPECT_TRUE(Reg->ReadString(Key, "Empty", s));
  EXPECT_EQ(s, "");
  EXPECT_TRUE(Reg->ReadBinary(Key, "Date", b));
  EXPECT_EQ(b, Eight);
  EXPECT_EQ(Reg->ValueType(Key, "Number"), TRegDataType::DWord);
  EXPECT_EQ(Reg->ValueType(Key, "Text"), TRegDataType::String);
  EXPECT_EQ(Reg->ValueType(Key, "Date"), TRegDataType::Binary);
  EXPECT_EQ(Reg->ValueType(Key, "Missing"), TRegDataType::None);
}

TEST_P(RegistryTest, AValueOfAnotherTypeOrAMissingOneIsNotRead) {
  Reg->WriteString(Key, "HotKey", "27");
  std::uint32_t n = 5;
  EXPECT_FALSE(Reg->ReadDWord(Key, "HotKey", n));
  EXPECT_FALSE(Reg->ReadDWord(Key, "Nothing", n));
  EXPECT_FALSE(Reg->ReadDWord(Key + "NoSuchKey", "HotKey", n));
  EXPECT_EQ(n, 5u);
  std::string s = "kept";
  Reg->WriteDWord(Key, "Top", 1);
  EXPECT_FALSE(Reg->ReadString(Key, "Top", s));
  EXPECT_FALSE(Reg->ReadBinary(Key, "Top", s));
  EXPECT_EQ(s, "kept");
}

TEST_P(RegistryTest, DeletingAKeyTakesEverythingBelowIt) {
  Reg->WriteString(Key + "Filter", "Filter0", "*.DLL");
  Reg->WriteString(Key + "Filter\\Deeper", "x", "y");
  Reg->WriteDWord(Key, "Kept", 1);
  Reg->DeleteKey(Key + "Filter");
  EXPECT_FALSE(Reg->KeyExists(Key + "Filter"));
  EXPECT_FALSE(Reg->KeyExists(Key + "Filter\\Deeper"));
  EXPECT_TRUE(Reg->KeyExists(Key));
  Reg->CreateKey(Key + "Filter");
  EXPECT_TRUE(Reg->KeyExists(Key + "Filter"));
  EXPECT_EQ(Reg->ValueType(Key + "Filter", "Filter0"), TRegDataType::None);
  // A value alone; a missing one (or key) is no error.
  for (const std::string& Where : {Key, Key, Key + "Missing"}) Reg->DeleteValue(Where, "kept");
  EXPECT_EQ(Reg->ValueType(Key, "Kept"), TRegDataType::None);
  EXPECT_TRUE(Reg->KeyExists(Key + "Filter"));
}

INSTANTIATE_TEST_SUITE_P(Registries, RegistryTest, ::testing::Values(false, true),
                         [](const auto& Info) { return Info.param ? "Platform" : "Memory"; });

}  // namespace
}  // namespace lantern
