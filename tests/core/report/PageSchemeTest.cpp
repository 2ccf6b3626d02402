#include "core/report/PageScheme.h"

#include <gtest/gtest.h>

#include "support/FakeReportSource.h"
#include "support/FakeStrings.h"
#include "support/RecordingSurface.h"

namespace telvoran {
namespace {

using test::FakeReportSource;
using test::NumberedRows;
using test::RecordingSurface;

const std::string kRule(92, '-');

test::FakeStrings Strings() {
  return test::FakeStrings({{151, "Strona %d"}, {152, "Wydruk pliku: "}, {178, "Pomoc: "}});
}

FakeReportSource ViewWithRows(std::size_t count) {
  FakeReportSource source;
  source.rows = NumberedRows(count);
  return source;
}

std::optional<std::string> PrintView(RecordingSurface& surface, const FakeReportSource& source,
                                     const test::FakeStrings& strings = Strings()) {
  return PrintDataView(surface, strings, "Telvoran", source, "Courier New", 8);
}

std::optional<std::string> PrintHelp(RecordingSurface& surface, std::size_t lineCount) {
  const std::vector<std::string> lines = NumberedRows(lineCount);
  return PrintHelpText(surface, Strings(), "Telvoran", "Pomoc programu", lines, "MS Sans Serif", 8);
}

// The rows of a printout, in the order drawn, with the page and slot each landed on.
struct PlacedRow {
  std::string text;
  int page;
  int slot;
};
std::vector<PlacedRow> PlacedRows(const RecordingSurface& surface, int lineHeight) {
  std::vector<PlacedRow> rows;
  for (const auto& text : surface.texts) {
    if (text.text.starts_with("row ")) {
      rows.push_back({text.text, text.page, text.y / lineHeight});
      EXPECT_EQ(text.x, 200);
      EXPECT_EQ(text.y % lineHeight, 0);
    }
  }
  return rows;
}

int RowsOnPage(const std::vector<PlacedRow>& rows, int page) {
  return static_cast<int>(std::count_if(rows.begin(), rows.end(),
                                        [page](const PlacedRow& r) { return r.page == page; }));
}

TEST(PageMeasures, FollowTheFontAndResolution) {
  struct Case {
    int points, dpi, fontHeight, lineHeight;
  };
  for (const Case& c : {Case{8, 600, 67, 93}, Case{8, 1200, 133, 186}, Case{8, 300, 33, 46},
                        Case{8, 96, 11, 15}, Case{10, 72, 10, 14}, Case{1, 36, 1, 1},
                        Case{-8, 600, 67, 93}, Case{8, -600, 67, 93}, Case{0, 600, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.points << " pt at " << c.dpi << " dpi");
    EXPECT_EQ(FontHeight(c.points, c.dpi), c.fontHeight);
    EXPECT_EQ(LineHeight(c.fontHeight), c.lineHeight);
  }
  EXPECT_EQ(LinesPerPage(6600, 93), 66);
  EXPECT_EQ(LinesPerPage(13699, 186), 69);
  EXPECT_EQ(LinesPerPage(100, 93), -3);
  EXPECT_EQ(LinesPerPage(100, 0), 96);
}

// 600 dpi, 8 points: line height 93; a printable height of 6,600 gives 66 lines per page.
TEST(PrintDataView, LaysOutTheWorkedExample) {
  RecordingSurface surface(4958, 6600, 600);
  ASSERT_EQ(PrintView(surface, ViewWithRows(57)), std::nullopt);

  EXPECT_EQ(surface.documentTitle, "Telvoran - archive.czt");
  EXPECT_EQ(surface.fontFamily, "Courier New");
  EXPECT_EQ(surface.events, (std::vector<std::string>{"begin", "new page", "end"}));

  ASSERT_EQ(surface.centred.size(), 3u);
  EXPECT_EQ(surface.centred[0].page, 1);
  EXPECT_EQ(surface.centred[0].rect, (PageRect{20, 93, 4958, 186}));
  EXPECT_EQ(surface.centred[0].text, "Wydruk pliku: archive.czt");
  for (int page = 1; page <= 2; ++page) {
    const auto& footer = surface.centred[page];
    EXPECT_EQ(footer.page, page);
    EXPECT_EQ(footer.rect, (PageRect{20, 6414, 4958, 6507}));
    EXPECT_EQ(footer.text, "Strona " + std::to_string(page));
  }
  ASSERT_EQ(surface.lines.size(), 2u);
  EXPECT_EQ(surface.lines[0].y1, 6412);
  EXPECT_EQ(surface.lines[1].page, 2);
  EXPECT_EQ(surface.lines[1].x1, 0);
  EXPECT_EQ(surface.lines[1].x2, 4958);
  EXPECT_EQ(surface.lines[1].y2, 6412);

  const auto page1 = surface.BodyOf(1);
  ASSERT_EQ(page1.size(), 5u + 56u);
  const std::vector<std::string> block = {"Title", kRule, "Columns", "Mark", kRule};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(page1[i].text, block[i]);
    EXPECT_EQ(page1[i].x, 200);
    EXPECT_EQ(page1[i].y, (5 + i) * 93);
  }
  EXPECT_EQ(page1[5].y, 930);
  EXPECT_EQ(page1.back().text, "row 56");
  EXPECT_EQ(page1.back().y, 65 * 93);
  const auto page2 = surface.BodyOf(2);
  ASSERT_EQ(page2.size(), 1u);
  EXPECT_EQ(page2[0].text, "row 57");
  EXPECT_EQ(page2[0].y, 4 * 93);
}

TEST(PrintDataView, EmptyViewPrintsOnePage) {
  RecordingSurface surface(4958, 6600, 600);
  ASSERT_EQ(PrintView(surface, ViewWithRows(0)), std::nullopt);
  EXPECT_EQ(surface.events, (std::vector<std::string>{"begin", "end"}));
  EXPECT_EQ(surface.texts.size(), 5u);
  ASSERT_EQ(surface.centred.size(), 2u);
  EXPECT_EQ(surface.centred[1].text, "Strona 1");
}

// Page 1 carries LinesPerPage − 10 rows from slot 10, later pages LinesPerPage − 4 from slot 4.
TEST(PrintDataView, BreaksPagesAtEveryResolution) {
  struct Case {
    int dpi, width, height, lineHeight, linesPerPage;
  };
  for (const Case& c : {Case{600, 4958, 6600, 93, 66}, Case{1200, 9583, 13699, 186, 69},
                        Case{300, 2480, 3300, 46, 67}, Case{96, 794, 1123, 15, 70},
                        Case{600, 4958, 1395, 93, 11}, Case{600, 4958, 1488, 93, 12}}) {
    SCOPED_TRACE(testing::Message() << c.dpi << " dpi, height " << c.height);
    const std::size_t firstPageRows = c.linesPerPage - 10;
    const std::size_t laterPageRows = c.linesPerPage - 4;
    for (std::size_t rowCount :
         {firstPageRows, firstPageRows + 1, firstPageRows + 2 * laterPageRows,
          firstPageRows + 2 * laterPageRows + 1}) {
      SCOPED_TRACE(rowCount);
      RecordingSurface surface(c.width, c.height, c.dpi);
      ASSERT_EQ(PrintView(surface, ViewWithRows(rowCount)), std::nullopt);
      const auto rows = PlacedRows(surface, c.lineHeight);
      ASSERT_EQ(rows.size(), rowCount);
      const int pages =
          1 + static_cast<int>((rowCount - firstPageRows + laterPageRows - 1) / laterPageRows);
      EXPECT_EQ(surface.PagesBegun(), pages);
      EXPECT_EQ(RowsOnPage(rows, 1), static_cast<int>(firstPageRows));
      for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].text, "row " + std::to_string(i + 1));
        const bool onFirstPage = i < firstPageRows;
        const std::size_t slot = onFirstPage ? 10 + i : 4 + (i - firstPageRows) % laterPageRows;
        EXPECT_EQ(rows[i].slot, static_cast<int>(slot));
      }
    }
  }
}

TEST(PrintDataView, PrintsTheHeadingOnPageOneOnly) {
  RecordingSurface surface(4958, 6600, 600);
  ASSERT_EQ(PrintView(surface, ViewWithRows(200)), std::nullopt);
  EXPECT_EQ(surface.PagesBegun(), 4);
  for (const auto& text : surface.centred) {
    const bool isFooter = text.text.starts_with("Strona ");
    EXPECT_EQ(isFooter, text.page != 1 || text.rect.top != 93) << text.text;
  }
  for (int page = 2; page <= 4; ++page) {
    for (const auto& text : surface.BodyOf(page)) EXPECT_TRUE(text.text.starts_with("row "));
  }
}

TEST(PrintDataView, PrintsAMalformedPageNumberPatternUnchanged) {
  RecordingSurface surface(4958, 6600, 600);
  test::FakeStrings strings = Strings();
  strings.Set(151, "Strona %s z %d");
  ASSERT_EQ(PrintView(surface, ViewWithRows(100), strings), std::nullopt);
  ASSERT_EQ(surface.centred.size(), 3u);
  EXPECT_EQ(surface.centred[1].text, "Strona %s z %d");
  EXPECT_EQ(surface.centred[2].text, "Strona %s z %d");
}

TEST(PrintDataView, StopsAtAFailedNewPageAndEndsTheDocument) {
  RecordingSurface surface(4958, 6600, 600);
  surface.failNewPageAfter = 2;
  EXPECT_EQ(PrintView(surface, ViewWithRows(500)), "printer jammed");
  EXPECT_EQ(surface.events, (std::vector<std::string>{"begin", "new page", "new page", "end"}));
  EXPECT_EQ(PlacedRows(surface, 93).size(), 56u + 62u);
}

// Whether a line in slot 4 ends above the footer's rule: on smaller pages nothing can.
bool PageHoldsALineInSlotFour(int ruleY, int lineHeight) {
  return 5 * lineHeight <= ruleY;
}

// Pages too short for the regular rule still print every row, in order, each above the footer's
// rule, and every page after the first carries at least one row.
TEST(PrintDataView, PrintsEveryRowOnTinyPages) {
  constexpr int kLineHeight = 93;
  for (int height = 6 * kLineHeight; height <= 16 * kLineHeight; height += 31) {
    SCOPED_TRACE(testing::Message() << "height " << height << ", lines per page "
                                    << LinesPerPage(height, kLineHeight));
    RecordingSurface surface(4958, height, 600);
    ASSERT_EQ(PrintView(surface, ViewWithRows(25)), std::nullopt);
    const auto rows = PlacedRows(surface, kLineHeight);
    ASSERT_EQ(rows.size(), 25u);
    const int ruleY = surface.lines.at(0).y1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].text, "row " + std::to_string(i + 1));
      if (i > 0 && rows[i].page == rows[i - 1].page) {
        EXPECT_EQ(rows[i].slot, rows[i - 1].slot + 1);
      }
      if (PageHoldsALineInSlotFour(ruleY, kLineHeight)) {
        EXPECT_LE((rows[i].slot + 1) * kLineHeight, ruleY);
      }
    }
    for (int page = 2; page <= surface.PagesBegun(); ++page) EXPECT_GE(RowsOnPage(rows, page), 1);
    EXPECT_EQ(surface.centred.size(), 1u + surface.PagesBegun());
  }
}

TEST(PrintHelpText, PrintsHeadingThenLinesFromSlotFive) {
  RecordingSurface surface(4958, 34 * 93, 600);  // 30 lines per page
  ASSERT_EQ(PrintHelp(surface, 25 + 26 + 1), std::nullopt);
  EXPECT_EQ(surface.documentTitle, "Telvoran - Pomoc programu");
  EXPECT_EQ(surface.fontFamily, "MS Sans Serif");
  EXPECT_EQ(surface.centred.at(0).text, "Pomoc: Pomoc programu");
  EXPECT_EQ(surface.centred.at(0).rect, (PageRect{20, 93, 4958, 186}));
  const auto rows = PlacedRows(surface, 93);
  ASSERT_EQ(rows.size(), 52u);
  EXPECT_EQ(surface.PagesBegun(), 3);
  EXPECT_EQ(RowsOnPage(rows, 1), 25);
  EXPECT_EQ(RowsOnPage(rows, 2), 26);
  EXPECT_EQ(rows.front().slot, 5);
  EXPECT_EQ(rows[24].slot, 29);
  EXPECT_EQ(rows[25].slot, 4);
  EXPECT_EQ(rows.back().slot, 4);
  EXPECT_EQ(surface.texts.size(), 52u);
}

TEST(PrintHelpText, EndsOnPageOneWhenTheLinesFitIt) {
  for (std::size_t lineCount : {0u, 25u}) {
    RecordingSurface surface(4958, 34 * 93, 600);
    ASSERT_EQ(PrintHelp(surface, lineCount), std::nullopt);
    EXPECT_EQ(surface.events, (std::vector<std::string>{"begin", "end"}));
    ASSERT_EQ(surface.centred.size(), 2u);
    EXPECT_EQ(surface.centred[1].text, "Strona 1");
  }
}

TEST(PrintHelpText, PrintsEveryLineOnTinyPages) {
  constexpr int kLineHeight = 93;
  for (int height = 6 * kLineHeight; height <= 11 * kLineHeight; height += 31) {
    SCOPED_TRACE(testing::Message() << "height " << height);
    RecordingSurface surface(4958, height, 600);
    ASSERT_EQ(PrintHelp(surface, 12), std::nullopt);
    const auto rows = PlacedRows(surface, kLineHeight);
    ASSERT_EQ(rows.size(), 12u);
    const int ruleY = surface.lines.at(0).y1;
    for (const auto& row : rows) {
      if (PageHoldsALineInSlotFour(ruleY, kLineHeight)) {
        EXPECT_LE((row.slot + 1) * kLineHeight, ruleY);
      }
    }
    for (int page = 2; page <= surface.PagesBegun(); ++page) EXPECT_GE(RowsOnPage(rows, page), 1);
  }
}

// With exactly five lines to a page the first page has no slot for a help line: the lines start
// on page 2, one to a page in slot 4.
TEST(PrintHelpText, FiveLinesToAPageLeaveTheFirstPageWithoutHelpLines) {
  RecordingSurface surface(4958, 9 * 93, 600);
  ASSERT_EQ(LinesPerPage(9 * 93, 93), 5);
  ASSERT_EQ(PrintHelp(surface, 3), std::nullopt);
  const auto rows = PlacedRows(surface, 93);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(RowsOnPage(rows, 1), 0);
  for (int page = 2; page <= 4; ++page) EXPECT_EQ(RowsOnPage(rows, page), 1);
  for (const auto& row : rows) EXPECT_EQ(row.slot, 4);
  EXPECT_EQ(surface.PagesBegun(), 4);
}

// The same for a data view with exactly ten lines to a page.
TEST(PrintDataView, TenLinesToAPageLeaveTheFirstPageWithoutRows) {
  RecordingSurface surface(4958, 14 * 93, 600);
  ASSERT_EQ(PrintView(surface, ViewWithRows(7)), std::nullopt);
  const auto rows = PlacedRows(surface, 93);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(RowsOnPage(rows, 1), 0);
  EXPECT_EQ(RowsOnPage(rows, 2), 6);
  EXPECT_EQ(rows.front().slot, 4);
}

// A paragraph wider than the page is wrapped at word boundaries between the left text margin and
// the page edge; no word is lost, and the lines take their slots like any other line.
TEST(PrintHelpText, WrapsLongParagraphsAtWordBoundaries) {
  RecordingSurface surface(4958, 34 * 93, 600);  // 95 characters of 50 dots from x = 200
  std::string paragraph;
  for (int word = 1; word <= 60; ++word) paragraph += "slowo" + std::to_string(word) + " ";
  paragraph.pop_back();
  const std::vector<std::string> paragraphs = {"Pomoc", paragraph, "", "Koniec"};
  ASSERT_EQ(PrintHelpText(surface, Strings(), "Telvoran", "Pomoc programu", paragraphs,
                          "MS Sans Serif", 8),
            std::nullopt);
  std::vector<std::string> lines;
  for (const auto& text : surface.BodyOf(1)) {
    if (text.x == 200) lines.push_back(text.text);
  }
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines.front(), "Pomoc");
  EXPECT_EQ(lines[lines.size() - 2], "") << "an empty paragraph keeps its line";
  EXPECT_EQ(lines.back(), "Koniec");
  std::string rejoined;
  for (std::size_t i = 1; i + 2 < lines.size(); ++i) {
    EXPECT_LE(surface.TextWidth(lines[i]), 4958 - 200) << lines[i];
    EXPECT_FALSE(lines[i].starts_with(' ') || lines[i].ends_with(' '));
    rejoined += (rejoined.empty() ? "" : " ") + lines[i];
  }
  EXPECT_EQ(rejoined, paragraph);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(surface.BodyOf(1)[i].y, static_cast<int>(5 + i) * 93);
  }
}

}  // namespace
}  // namespace telvoran
