#include "core/chart/ChannelValue.h"

#include <gtest/gtest.h>

#include <string>

namespace telvoran {
namespace {

using namespace std::string_literals;

TEST(ChannelValue, NumbersWithADotOrACommaAreRead) {
  const struct {
    std::string text;
    double value;
    int decimals;
    bool comma;
  } cases[] = {
      {" 21.5", 21.5, 1, false},    {"21,5 ", 21.5, 1, true},   {"-3,25", -3.25, 2, true},
      {"  +7 ", 7, 0, false},       {"101.0", 101.0, 1, false}, {"0,07", 0.07, 2, true},
      {"  -.5", -0.5, 1, false},    {"12.", 12, 0, false},      {"00042", 42, 0, false},
      {"\0 9.5\0"s, 9.5, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto number = ParseChannelValue(c.text);
    ASSERT_TRUE(number);
    EXPECT_EQ(number->value, c.value);
    EXPECT_EQ(number->decimals, c.decimals);
    EXPECT_EQ(number->comma, c.comma);
  }
}

TEST(ChannelValue, BlankOrNonNumericTextIsAGapNeverAZero) {
  for (const std::string& text :
       {""s, "     "s, "\0\0\0\0\0"s, "ERR  "s, "1.2.3"s, "1,2.5"s, "--"s, "-"s, "."s, " - 5"s,
        "2 5"s, "1e5"s, "inf"s, "nan"s, "0x1A"s, "12\0.5"s, "5-"s, "+-3"s}) {
    SCOPED_TRACE(testing::PrintToString(text));
    EXPECT_FALSE(ParseChannelValue(text));
  }
}

TEST(ChannelValue, NumbersAreWrittenAsTheChannelWritesThem) {
  EXPECT_EQ(FormatChannelNumber(21.5, 1, false), "21.5");
  EXPECT_EQ(FormatChannelNumber(21.5, 2, true), "21,50");
  EXPECT_EQ(FormatChannelNumber(-3.25, 1, true), "-3,2");
  EXPECT_EQ(FormatChannelNumber(899.6, 0, false), "900");
  EXPECT_EQ(FormatChannelNumber(-0.04, 1, false), "0.0");
  EXPECT_EQ(FormatChannelNumber(-0.4, 0, false), "0");
}

}  // namespace
}  // namespace telvoran
