#include "app/richtext/RtfKeywords.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace telvoran {
namespace {

struct Entry {
  std::string_view name;
  RtfKeyword keyword;
  char16_t character = 0;
};

// Sorted by name, for a binary search.
constexpr auto kEntries = std::to_array<Entry>({
    {"annotation", RtfKeyword::kSkippedDestination},
    {"ansicpg", RtfKeyword::kAnsiCodePage},
    {"atnauthor", RtfKeyword::kSkippedDestination},
    {"atnid", RtfKeyword::kSkippedDestination},
    {"b", RtfKeyword::kBold},
    {"bkmkend", RtfKeyword::kSkippedDestination},
    {"bkmkstart", RtfKeyword::kSkippedDestination},
    {"blue", RtfKeyword::kBlue},
    {"bullet", RtfKeyword::kCharacter, u'\u2022'},
    {"cb", RtfKeyword::kHighlight},
    {"cell", RtfKeyword::kCharacter, u'\t'},
    {"cf", RtfKeyword::kColor},
    {"colorschememapping", RtfKeyword::kSkippedDestination},
    {"colortbl", RtfKeyword::kColorTable},
    {"comment", RtfKeyword::kSkippedDestination},
    {"datastore", RtfKeyword::kSkippedDestination},
    {"deff", RtfKeyword::kDefaultFont},
    {"doccomm", RtfKeyword::kSkippedDestination},
    {"emdash", RtfKeyword::kCharacter, u'\u2014'},
    {"emspace", RtfKeyword::kCharacter, u'\u2003'},
    {"endash", RtfKeyword::kCharacter, u'\u2013'},
    {"enspace", RtfKeyword::kCharacter, u'\u2002'},
    {"f", RtfKeyword::kFont},
    {"fcharset", RtfKeyword::kFontCharset},
    {"fi", RtfKeyword::kFirstLineIndent},
    {"filetbl", RtfKeyword::kSkippedDestination},
    {"fldinst", RtfKeyword::kSkippedDestination},
    {"fonttbl", RtfKeyword::kFontTable},
    {"footer", RtfKeyword::kSkippedDestination},
    {"footerf", RtfKeyword::kSkippedDestination},
    {"footerl", RtfKeyword::kSkippedDestination},
    {"footerr", RtfKeyword::kSkippedDestination},
    {"footnote", RtfKeyword::kSkippedDestination},
    {"fs", RtfKeyword::kFontSize},
    {"generator", RtfKeyword::kSkippedDestination},
    {"green", RtfKeyword::kGreen},
    {"header", RtfKeyword::kSkippedDestination},
    {"headerf", RtfKeyword::kSkippedDestination},
    {"headerl", RtfKeyword::kSkippedDestination},
    {"headerr", RtfKeyword::kSkippedDestination},
    {"highlight", RtfKeyword::kHighlight},
    {"i", RtfKeyword::kItalic},
    {"info", RtfKeyword::kSkippedDestination},
    {"latentstyles", RtfKeyword::kSkippedDestination},
    {"ldblquote", RtfKeyword::kCharacter, u'\u201C'},
    {"li", RtfKeyword::kLeftIndent},
    {"line", RtfKeyword::kCharacter, u'\u2028'},
    {"listoverridetable", RtfKeyword::kSkippedDestination},
    {"listtable", RtfKeyword::kSkippedDestination},
    {"lquote", RtfKeyword::kCharacter, u'\u2018'},
    {"nonshppict", RtfKeyword::kSkippedDestination},
    {"object", RtfKeyword::kSkippedDestination},
    {"page", RtfKeyword::kParagraph},
    {"par", RtfKeyword::kParagraph},
    {"pard", RtfKeyword::kParagraphDefaults},
    {"pict", RtfKeyword::kSkippedDestination},
    {"plain", RtfKeyword::kCharacterDefaults},
    {"pntxta", RtfKeyword::kSkippedDestination},
    {"pntxtb", RtfKeyword::kSkippedDestination},
    {"qc", RtfKeyword::kAlignCenter},
    {"qj", RtfKeyword::kAlignJustify},
    {"ql", RtfKeyword::kAlignLeft},
    {"qr", RtfKeyword::kAlignRight},
    {"rdblquote", RtfKeyword::kCharacter, u'\u201D'},
    {"red", RtfKeyword::kRed},
    {"revtbl", RtfKeyword::kSkippedDestination},
    {"ri", RtfKeyword::kRightIndent},
    {"row", RtfKeyword::kParagraph},
    {"rquote", RtfKeyword::kCharacter, u'\u2019'},
    {"rsidtbl", RtfKeyword::kSkippedDestination},
    {"rxe", RtfKeyword::kSkippedDestination},
    {"sect", RtfKeyword::kParagraph},
    {"shp", RtfKeyword::kSkippedDestination},
    {"strike", RtfKeyword::kStrike},
    {"striked", RtfKeyword::kStrike},
    {"stylesheet", RtfKeyword::kSkippedDestination},
    {"tab", RtfKeyword::kCharacter, u'\t'},
    {"tc", RtfKeyword::kSkippedDestination},
    {"themedata", RtfKeyword::kSkippedDestination},
    {"txe", RtfKeyword::kSkippedDestination},
    {"u", RtfKeyword::kUnicode},
    {"uc", RtfKeyword::kUnicodeSkip},
    {"ul", RtfKeyword::kUnderline},
    {"uld", RtfKeyword::kUnderline},
    {"uldash", RtfKeyword::kUnderline},
    {"uldb", RtfKeyword::kUnderline},
    {"ulnone", RtfKeyword::kUnderlineNone},
    {"ulth", RtfKeyword::kUnderline},
    {"ulw", RtfKeyword::kUnderline},
    {"ulwave", RtfKeyword::kUnderline},
    {"v", RtfKeyword::kHidden},
    {"xe", RtfKeyword::kSkippedDestination},
});

static_assert(std::ranges::is_sorted(kEntries, {}, &Entry::name));

}  // namespace

RtfControlWord LookUpControlWord(QByteArrayView name) {
  const std::string_view wanted(name.data(), static_cast<std::size_t>(name.size()));
  const auto found = std::ranges::lower_bound(kEntries, wanted, {}, &Entry::name);
  if (found == kEntries.end() || found->name != wanted) return {};
  return {found->keyword, found->character};
}

}  // namespace telvoran
