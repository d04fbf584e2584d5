#include <gtest/gtest.h>

#include "base/Convert.h"
#include "base/Exception.h"

namespace lantern {
namespace {

struct GoodNumber {
  const char* Text;
  std::int32_t Value;
};

class StrToIntGoodTest : public ::testing::TestWithParam<GoodNumber> {};

TEST_P(StrToIntGoodTest, Converts) { EXPECT_EQ(StrToInt(GetParam().Text), GetParam().Value); }

INSTANTIATE_TEST_SUITE_P(
    Numbers, StrToIntGoodTest,
    ::testing::Values(GoodNumber{"0", 0}, GoodNumber{"12", 12}, GoodNumber{"-1", -1},
                      GoodNumber{"+7", 7}, GoodNumber{"  42", 42},
                      GoodNumber{"2147483647", 2147483647}, GoodNumber{"-2147483648", INT32_MIN},
                      GoodNumber{"-2147483633", static_cast<std::int32_t>(0x8000000F)},
                      GoodNumber{"0007", 7}));

class StrToIntBadTest : public ::testing::TestWithParam<const char*> {};

TEST_P(StrToIntBadTest, RaisesWithTheText) {
  try {
    StrToInt(GetParam());
    FAIL() << "no error for '" << GetParam() << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), std::string("'") + GetParam() + "' は有効な整数値ではありません");
  }
}

INSTANTIATE_TEST_SUITE_P(NotNumbers, StrToIntBadTest,
                         ::testing::Values("", " ", "-", "abc", "12a", "1.5", "12 ", "2147483648",
                                           "-2147483649", "99999999999999999999", "表"));

TEST(IntToStrTest, WritesDecimalWithMinus) {
  EXPECT_EQ(IntToStr(-2147483634), "-2147483634");
  EXPECT_EQ(IntToStr(0), "0");
}

}  // namespace
}  // namespace lantern
