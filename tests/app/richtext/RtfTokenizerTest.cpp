#include "app/richtext/RtfTokenizer.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <string>

namespace telvoran {
namespace {

// The tokens of the input, written one after another: { } \word \word:N \'hh 'text' bin[n].
std::string Describe(QByteArrayView input) {
  RtfTokenizer tokenizer(input);
  std::string description;
  for (RtfToken token = tokenizer.Next(); token.kind != RtfTokenKind::kEnd;
       token = tokenizer.Next()) {
    if (!description.empty()) description += ' ';
    switch (token.kind) {
      case RtfTokenKind::kGroupStart:
        description += '{';
        break;
      case RtfTokenKind::kGroupEnd:
        description += '}';
        break;
      case RtfTokenKind::kControlWord:
        description += '\\' + token.name.toByteArray().toStdString();
        if (token.hasParameter) description += ':' + std::to_string(token.parameter);
        break;
      case RtfTokenKind::kControlSymbol:
        description += std::string("\\") + token.symbol;
        break;
      case RtfTokenKind::kHexByte:
        description += "\\'" + std::to_string(token.byte);
        break;
      case RtfTokenKind::kText:
        description += '\'' + token.bytes.toByteArray().toStdString() + '\'';
        break;
      case RtfTokenKind::kBinary:
        description += "bin[" + std::to_string(token.bytes.size()) + ']';
        break;
      case RtfTokenKind::kEnd:
        break;
    }
  }
  return description;
}

struct TokenCase {
  const char* name;
  const char* input;
  const char* tokens;
};

class RtfTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(RtfTokens, Are) {
  EXPECT_EQ(Describe(GetParam().input), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Rtf, RtfTokens,
    ::testing::Values(
        TokenCase{"Groups", "{a}", "{ 'a' }"}, TokenCase{"WordTakesOneSpace", "\\b  x", "\\b ' x'"},
        TokenCase{"WordEndsAtNonLetter", "\\b0x", "\\b:0 'x'"},
        TokenCase{"NegativeParameter", "\\fi-360 x", "\\fi:-360 'x'"},
        TokenCase{"MinusWithoutDigitsIsText", "\\b- x", "\\b '- x'"},
        TokenCase{"ParameterSaturates", "\\fs99999999999999999999 x", "\\fs:2147483647 'x'"},
        TokenCase{"NegativeParameterSaturates", "\\li-99999999999 x", "\\li:-2147483647 'x'"},
        TokenCase{"Symbols", "\\{\\}\\\\\\~", "\\{ \\} \\\\ \\~"},
        TokenCase{"HexByte", "\\'e6x", "\\'230 'x'"},
        TokenCase{"HexTakesTwoDigitsOnly", "\\'e6f", "\\'230 'f'"},
        TokenCase{"HexWithOneDigit", "\\'ex", "\\'14 'x'"},
        TokenCase{"HexWithoutDigitsIsDropped", "\\'zz", "'zz'"},
        TokenCase{"LineEndsAreDropped", "a\r\nb\rc", "'a' 'b' 'c'"},
        TokenCase{"BackslashLineEndIsParagraph", "a\\\r\nb", "'a' \\par 'b'"},
        TokenCase{"BinaryTakesItsBytes", "\\bin3 {}\\x}", "bin[3] 'x' }"},
        TokenCase{"BinaryStopsAtTheEnd", "\\bin99999999999 abc", "bin[3]"},
        TokenCase{"NegativeBinaryTakesNothing", "\\bin-5 x", "bin[0] 'x'"},
        TokenCase{"TruncatedWord", "a\\ul", "'a' \\ul"}, TokenCase{"TruncatedHex", "a\\'", "'a'"},
        TokenCase{"TrailingBackslash", "a\\", "'a'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace telvoran
