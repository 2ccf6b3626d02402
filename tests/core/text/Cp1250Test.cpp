#include "core/text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace telvoran {
namespace {

bool IsUndefinedByte(int byte) {
  return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

std::string EveryDefinedByte() {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    if (!IsUndefinedByte(byte)) bytes += static_cast<char>(byte);
  }
  return bytes;
}

TEST(Cp1250, PolishLettersAndSymbolsHaveTheirCodePagePlaces) {
  const std::u16string letters = u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ€„”–";
  const std::string bytes =
      "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\x80\x84\x94\x96";
  EXPECT_EQ(Utf16ToCp1250(letters), bytes);
  EXPECT_EQ(Cp1250ToUtf16(bytes), letters);
}

TEST(Cp1250, EveryDefinedByteRoundTripsThroughUtf16AndUtf8) {
  const std::string bytes = EveryDefinedByte();
  ASSERT_EQ(bytes.size(), 251u);
  const std::u16string unicode = Cp1250ToUtf16(bytes);
  EXPECT_EQ(unicode.find(kReplacementCharacter), std::u16string::npos);
  EXPECT_EQ(Utf16ToCp1250(unicode), bytes);
  EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(bytes)), bytes);
}

TEST(Cp1250, UndefinedBytesReadAsReplacementAndGoBackAsQuestionMarks) {
  for (unsigned char byte : {0x81, 0x83, 0x88, 0x90, 0x98}) {
    SCOPED_TRACE(int{byte});
    EXPECT_EQ(Cp1250ToUnicode(byte), kReplacementCharacter);
    EXPECT_EQ(Utf16ToCp1250(std::u16string(1, Cp1250ToUnicode(byte))), "?");
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(byte))), "\xEF\xBF\xBD");
  }
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  EXPECT_EQ(Utf16ToCp1250(u"a\u00E5b\u4E2Dc"), "a?b?c");  // å is not in the code page
  EXPECT_EQ(Utf16ToCp1250(u"x\U0001F600y"), "x?y");       // a surrogate pair
  EXPECT_EQ(Utf16ToCp1250(std::u16string(u"\xD800z\xDC00", 3)), "?z?");  // lone surrogates
}

TEST(Cp1250, MalformedUtf8BecomesQuestionMarks) {
  struct Case {
    const char* what;
    std::string utf8;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"valid two-byte letter", "\xC5\xBC", "\xBF"},
      {"valid four-byte character outside the code page", "\xF0\x9F\x98\x80", "?"},
      {"lone continuation byte", "a\x80z", "a?z"},
      {"byte that never occurs", "\xFF", "?"},
      {"sequence cut by the end", "ab\xE2\x82", "ab?"},
      {"sequence cut by a letter", "\xE2\x82z", "?z"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"overlong three-byte form", "\xE0\x80\xAF", "???"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Utf8ToCp1250(c.utf8), c.expected);
  }
}

TEST(Utf8ToCp1250Exactly, ConvertsOnlyTextTheCodePageHoldsWhole) {
  EXPECT_EQ(Utf8ToCp1250Exactly("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87?"), "za\xBF\xF3\xB3\xE6?");
  EXPECT_EQ(Utf8ToCp1250Exactly("m\xC2\xB3"), std::nullopt) << "superscript three";
  EXPECT_EQ(Utf8ToCp1250Exactly("\xB0"
                                "C"),
            std::nullopt)
      << "not UTF-8";
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
  EXPECT_TRUE(IsValidUtf8("\xC5\xBC"));
}

}  // namespace
}  // namespace telvoran
