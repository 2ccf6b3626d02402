#include "tools/mkarchive/Windows1250.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

TEST(Windows1250Conversion, EncodesTheCharactersOfTheCodePage) {
  EXPECT_EQ(Utf8ToWindows1250("T1"), "T1");
  EXPECT_EQ(Utf8ToWindows1250("°C"),
            "\xB0"
            "C");
  EXPECT_EQ(Utf8ToWindows1250("zażółć"), "za\xBF\xF3\xB3\xE6");
  EXPECT_EQ(Utf8ToWindows1250("€Šť"), "\x80\x8A\x9D");
}

TEST(Windows1250Conversion, RefusesCharactersTheCodePageLacks) {
  EXPECT_EQ(Utf8ToWindows1250("m³"), std::nullopt);
  EXPECT_EQ(Utf8ToWindows1250("\xE2\x82\xBD"), std::nullopt);      // rouble sign
  EXPECT_EQ(Utf8ToWindows1250("\xF0\x9F\x98\x80"), std::nullopt);  // four-byte sequence
}

TEST(Windows1250Conversion, TakesTextThatIsNotUtf8AsWindows1250Already) {
  EXPECT_EQ(Utf8ToWindows1250("\xB0"
                              "C"),
            "\xB0"
            "C");                                        // lone continuation byte
  EXPECT_EQ(Utf8ToWindows1250("\xC2"), "\xC2");          // cut-off sequence
  EXPECT_EQ(Utf8ToWindows1250("\xC0\xB0"), "\xC0\xB0");  // overlong form of '0'
}

}  // namespace
}  // namespace telvoran
