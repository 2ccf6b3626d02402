#include "app/richtext/RtfCodePages.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

namespace telvoran {
namespace {

struct ByteCase {
  CodePage codePage;
  unsigned char byte;
  char16_t expected;
};

class CodePageBytes : public ::testing::TestWithParam<ByteCase> {};

TEST_P(CodePageBytes, DecodeTo) {
  EXPECT_EQ(DecodeByte(GetParam().codePage, GetParam().byte), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rtf, CodePageBytes,
                         ::testing::Values(ByteCase{CodePage::kWindows1250, 'A', u'A'},
                                           ByteCase{CodePage::kWindows1250, 0x7F, 0x7F},
                                           ByteCase{CodePage::kWindows1250, 0xE6, u'ć'},
                                           ByteCase{CodePage::kWindows1250, 0xB9, u'ą'},
                                           ByteCase{CodePage::kWindows1250, 0xA5, u'Ą'},
                                           ByteCase{CodePage::kWindows1250, 0x8C, u'Ś'},
                                           ByteCase{CodePage::kWindows1250, 0xFF, u'˙'},
                                           ByteCase{CodePage::kWindows1250, 0x80, u'€'},
                                           ByteCase{CodePage::kWindows1250, 0x81, u'\uFFFD'},
                                           ByteCase{CodePage::kWindows1252, 0xE6, u'æ'},
                                           ByteCase{CodePage::kWindows1252, 0x9F, u'Ÿ'},
                                           ByteCase{CodePage::kWindows1252, 0xA0, u'\u00A0'},
                                           ByteCase{CodePage::kWindows1252, 0xFF, u'ÿ'},
                                           ByteCase{CodePage::kWindows1252, 0x8D, u'\uFFFD'}));

#if __has_include(<iconv.h>)
// Every byte of both tables against the system's own converter, where it has one.
class CodePageTables : public ::testing::TestWithParam<std::pair<CodePage, const char*>> {};

TEST_P(CodePageTables, MatchTheSystemConverter) {
  const auto [codePage, systemName] = GetParam();
  iconv_t converter = iconv_open("UTF-16LE", systemName);
  if (converter == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no converter for " << systemName;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    char in = static_cast<char>(byte);
    char16_t out = 0;
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof(out);
    const bool defined = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == 0;
    EXPECT_EQ(DecodeByte(codePage, static_cast<unsigned char>(byte)), defined ? out : u'\uFFFD')
        << systemName << " byte " << byte;
  }
  iconv_close(converter);
}

INSTANTIATE_TEST_SUITE_P(Rtf, CodePageTables,
                         ::testing::Values(std::pair{CodePage::kWindows1250, "CP1250"},
                                           std::pair{CodePage::kWindows1252, "CP1252"}));
#endif

}  // namespace
}  // namespace telvoran
