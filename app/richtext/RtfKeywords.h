#pragma once

#include <QByteArrayView>

namespace telvoran {

// The control words the RTF reader acts on. Words of the same effect share one keyword:
// every underline style is kUnderline; \page, \sect and \row end a paragraph; and every word
// that stands for one character (\tab, \emdash, \rquote, ...) is kCharacter.
enum class RtfKeyword {
  kUnknown,
  kSkippedDestination,  // a group whose text is never shown: \info, \pict, \header, ...
  kFontTable,
  kColorTable,
  kAnsiCodePage,
  kDefaultFont,
  kFontCharset,
  kRed,
  kGreen,
  kBlue,
  kParagraph,
  kParagraphDefaults,
  kAlignLeft,
  kAlignCenter,
  kAlignRight,
  kAlignJustify,
  kLeftIndent,
  kRightIndent,
  kFirstLineIndent,
  kCharacterDefaults,
  kBold,
  kItalic,
  kUnderline,
  kUnderlineNone,
  kStrike,
  kHidden,
  kFontSize,
  kFont,
  kColor,
  kHighlight,
  kUnicode,
  kUnicodeSkip,
  kCharacter,
};

struct RtfControlWord {
  RtfKeyword keyword = RtfKeyword::kUnknown;
  char16_t character = 0;  // the character of a kCharacter word
};

RtfControlWord LookUpControlWord(QByteArrayView name);

}  // namespace telvoran
