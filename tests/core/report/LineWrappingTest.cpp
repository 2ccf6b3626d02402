#include "core/report/LineWrapping.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

using Lines = std::vector<std::string>;

// Every character one unit wide, so widths count characters.
int Characters(std::string_view text) {
  return static_cast<int>(text.size());
}

Lines Wrap(std::string_view paragraph, int width) {
  return WrapParagraph(paragraph, width, Characters);
}

TEST(WrapParagraph, KeepsAParagraphThatFitsWhole) {
  EXPECT_EQ(Wrap("Pomoc programu", 14), Lines{"Pomoc programu"});
  EXPECT_EQ(Wrap("", 10), Lines{""}) << "an empty paragraph still takes its line";
  EXPECT_EQ(Wrap("  wcięty akapit", 40), Lines{"  wcięty akapit"});
}

TEST(WrapParagraph, BreaksBetweenWordsAndDropsTheSpacesThere) {
  EXPECT_EQ(Wrap("ala ma kota a kot ma ale", 10), (Lines{"ala ma", "kota a kot", "ma ale"}));
  EXPECT_EQ(Wrap("one   two", 5), (Lines{"one", "two"}));
  EXPECT_EQ(Wrap("  indented text here", 12), (Lines{"  indented", "text here"}));
}

TEST(WrapParagraph, BreaksAWordLongerThanALine) {
  EXPECT_EQ(Wrap("abcdefghij", 4), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Wrap("to abcdefghij ok", 4), (Lines{"to", "abcd", "efgh", "ij", "ok"}));
}

TEST(WrapParagraph, KeepsEveryCharacterOfEveryWord) {
  const std::string paragraph =
      "Plik pamieci zdarzen zawiera stany alarmowe, kazdy wiersz na kolorze swojej sytuacji; "
      "przeciwwskazaniezbytdlugiegoslowa i koniec.";
  for (int width : {1, 3, 7, 12, 40, 500}) {
    SCOPED_TRACE(width);
    std::string joined;
    for (const std::string& line : Wrap(paragraph, width)) {
      EXPECT_LE(Characters(line), std::max(width, 1));
      joined += line;
    }
    std::string withoutSpaces = paragraph;
    std::erase(withoutSpaces, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, withoutSpaces);
  }
}

TEST(WrapParagraph, TakesOneCharacterALineWhenNothingFits) {
  EXPECT_EQ(Wrap("ab c", 0), (Lines{"a", "b", "c"}));
}

}  // namespace
}  // namespace telvoran
