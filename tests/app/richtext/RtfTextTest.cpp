#include "RtfTestDocument.h"

namespace telvoran {
namespace {

using namespace Qt::Literals::StringLiterals;

struct TextCase {
  const char* name;
  QByteArray rtf;
  QString expected;
};

class RtfText : public test::RtfDocumentTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(RtfText, ReadsAs) {
  Read(GetParam().rtf);
  EXPECT_EQ(Text(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, RtfText,
    ::testing::Values(
        TextCase{"HexUnder1250", "{\\rtf1\\ansi\\ansicpg1250 \\'e6}", u"ć"_s},
        TextCase{"HexUnder1252", "{\\rtf1\\ansi\\ansicpg1252 \\'e6}", u"æ"_s},
        TextCase{"HexWithoutCodePageIs1252", "{\\rtf1\\ansi \\'e6}", u"æ"_s},
        TextCase{"PolishSentence",
                 "{\\rtf1\\ansi\\ansicpg1250 Za\\'bf\\'f3\\'b3\\'e6 g\\'ea\\'9cl\\'b9 "
                 "ja\\'9f\\'f1 \\'a3\\'a5\\'8c\\'8f\\'af}",
                 u"Zażółć gęślą jaźń ŁĄŚŹŻ"_s},
        TextCase{"UnescapedHighByte", "{\\rtf1\\ansi\\ansicpg1250 \xb9}", u"ą"_s},
        TextCase{"CentralEuropeanFontInWesternDocument",
                 "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 \\'e6}",
                 u"ć"_s},
        TextCase{"WesternFontInCentralEuropeanDocument",
                 "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'e6}",
                 u"æ"_s},
        TextCase{"DefaultFontCharsetWithoutF",
                 "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset238 Arial;}}\\'e6}", u"ć"_s},
        TextCase{"OtherCharsetKeepsTheDocumentCodePage",
                 "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'e6}",
                 u"ć"_s}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Unicode, RtfText,
    ::testing::Values(
        TextCase{"SkipsOneStandIn", "{\\rtf1 \\u261?x}", u"ąx"_s},
        TextCase{"NegativeIsAbove32767", "{\\rtf1 \\u-3913?}", u"\uF0B7"_s},
        TextCase{"Uc2SkipsTwo", "{\\rtf1\\uc2 \\u261??x}", u"ąx"_s},
        TextCase{"Uc0SkipsNone", "{\\rtf1\\uc0 \\u261 x}", u"ąx"_s},
        TextCase{"HexByteIsOneStandIn", "{\\rtf1\\ansicpg1250 \\u261\\'b9x}", u"ąx"_s},
        TextCase{"ControlWordIsOneStandIn", "{\\rtf1 \\u8212\\emdash x}", u"—x"_s},
        TextCase{"SkippingStopsAtGroupEnd", "{\\rtf1 {\\uc3\\u261?}xy}", u"ąxy"_s},
        TextCase{"UcEndsWithItsGroup", "{\\rtf1 {\\uc2\\u261??}\\u261?x}", u"ąąx"_s},
        TextCase{"SurrogatePair", "{\\rtf1 \\u-10179?\\u-8704?}", u"\U0001F600"_s},
        TextCase{"OutOfRangeIsReplacement", "{\\rtf1 \\u99999999999?x}", u"\uFFFDx"_s}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Symbols, RtfText,
    ::testing::Values(
        TextCase{"EscapedBracesAndBackslash", "{\\rtf1 \\{a\\}\\\\}", u"{a}\\"_s},
        TextCase{"NonBreakingSpace", "{\\rtf1 a\\~b}", u"a\u00A0b"_s},
        TextCase{"OptionalHyphen", "{\\rtf1 a\\-b}", u"a\u00ADb"_s},
        TextCase{"Punctuation",
                 "{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
                 u"—–•‘’“”"_s},
        TextCase{"Tab", "{\\rtf1 a\\tab b}", u"a\tb"_s},
        TextCase{"LineBreakStaysInTheParagraph", "{\\rtf1 a\\line b}", u"a\u2028b"_s},
        TextCase{"BackslashBeforeLineEndIsParagraph", "{\\rtf1 a\\\nb}", u"a\nb"_s},
        TextCase{"LineEndsInTheFileAreNoText", "{\\rtf1 a\r\nb\rc\nd}", u"abcd"_s},
        TextCase{"ControlCharactersAreNoText", "{\\rtf1 a\x01\x1f b}", u"a b"_s},
        TextCase{"UnknownWordsAreSkipped", "{\\rtf1 \\foo\\bar12 a\\zzz-3 b}", u"ab"_s},
        TextCase{"TableCellsBecomeTabs", "{\\rtf1 \\trowd\\intbl a\\cell b\\cell\\row c}",
                 u"a\tb\t\nc"_s}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Destinations, RtfText,
    ::testing::Values(
        TextCase{"TablesAreNotText",
                 "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}shown}",
                 u"shown"_s},
        TextCase{"SkippedGroups",
                 "{\\rtf1 {\\*\\unknown u}{\\info{\\title t}}{\\stylesheet{\\s0 Normal;}}"
                 "{\\pict\\wmetafile8 0102}{\\header h}{\\footer f}{\\object o}shown}",
                 u"shown"_s},
        TextCase{"TextAfterASkippedGroupIsShown", "{\\rtf1 a{\\*\\x {\\b hidden}}b}", u"ab"_s},
        TextCase{"FieldResultIsShown",
                 "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", u"link"_s},
        TextCase{"HiddenText", "{\\rtf1 a{\\v b}c\\v d\\v0 e}", u"ace"_s},
        TextCase{"BinaryDataMayHoldBraces", "{\\rtf1 a{\\pict\\bin4 }{\\x}b}", u"ab"_s},
        TextCase{"ParagraphInSkippedGroupIsNoParagraph", "{\\rtf1 a{\\header b\\par}c}", u"ac"_s}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace telvoran
