#include "core/report/PageSelection.h"

#include <gtest/gtest.h>

#include "support/RecordingSurface.h"

namespace telvoran {
namespace {

using test::RecordingSurface;

// Draws a printout of `pages` pages, each marked with its number and a rule, as the page scheme
// would: begin, pages, end; a failed new page ends the document early.
std::optional<std::string> DrawPages(PageSurface& surface, int pages) {
  if (auto failure = surface.BeginDocument("Telvoran - a.zdr")) return failure;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) {
      if (auto failure = surface.NewPage()) {
        surface.EndDocument();
        return failure;
      }
    }
    surface.DrawText(200, 100, "page " + std::to_string(surface.PageNumber()));
    surface.DrawTextCentred({20, 10, 500, 20}, "heading");
    surface.DrawLine(0, 5, 500, 5);
  }
  return surface.EndDocument();
}

// The printout's page marks in the order they reached the printer.
std::vector<std::string> PrintedPages(const RecordingSurface& printer) {
  std::vector<std::string> pages;
  for (const auto& text : printer.texts) pages.push_back(text.text);
  return pages;
}

std::vector<std::string> Marks(std::initializer_list<int> pages) {
  std::vector<std::string> marks;
  for (int page : pages) marks.push_back("page " + std::to_string(page));
  return marks;
}

struct Case {
  const char* what;
  PageChoice choice;
  std::vector<std::string> printed;
};

class PageSelectionTest : public ::testing::TestWithParam<Case> {};

TEST_P(PageSelectionTest, HandsOnTheChosenPagesInTheChosenOrder) {
  RecordingSurface printer(4958, 7017, 600);
  PageSelection selection(printer, GetParam().choice);
  ASSERT_EQ(DrawPages(selection, 4), std::nullopt);
  EXPECT_EQ(PrintedPages(printer), GetParam().printed);
  EXPECT_EQ(selection.PagesHandedOn(), static_cast<int>(GetParam().printed.size()));
  EXPECT_EQ(printer.PagesBegun(), static_cast<int>(GetParam().printed.size()));
  EXPECT_EQ(printer.documentTitle, "Telvoran - a.zdr");
  // Each page arrives whole: its centred heading and its rule with it.
  EXPECT_EQ(printer.centred.size(), GetParam().printed.size());
  EXPECT_EQ(printer.lines.size(), GetParam().printed.size());
  for (std::size_t i = 0; i < printer.texts.size(); ++i) {
    EXPECT_EQ(printer.texts[i].page, static_cast<int>(i) + 1);
    EXPECT_EQ(printer.centred[i].rect, (PageRect{20, 10, 500, 20}));
  }
}

PageChoice Choice(std::vector<PageChoice::Range> ranges, int copies = 1, bool collate = true,
                  bool lastPageFirst = false) {
  return {std::move(ranges), copies, collate, lastPageFirst};
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PageSelectionTest,
    ::testing::Values(
        Case{"every page", Choice({}), Marks({1, 2, 3, 4})},
        Case{"pages 2 to 3", Choice({{2, 3}}), Marks({2, 3})},
        Case{"pages 1 and 4", Choice({{1, 1}, {4, 4}}), Marks({1, 4})},
        Case{"a range past the end", Choice({{3, 9}}), Marks({3, 4})},
        Case{"collated copies", Choice({{2, 3}}, 2, true), Marks({2, 3, 2, 3})},
        Case{"uncollated copies", Choice({{2, 3}}, 2, false), Marks({2, 2, 3, 3})},
        Case{"last page first", Choice({}, 1, true, true), Marks({4, 3, 2, 1})},
        Case{"reversed collated copies", Choice({{1, 2}}, 2, true, true), Marks({2, 1, 2, 1})},
        Case{"reversed uncollated copies", Choice({{1, 2}}, 2, false, true), Marks({2, 2, 1, 1})},
        Case{"no copies counts as one", Choice({{1, 1}}, 0), Marks({1})}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(PageSelection, LeavesThePrinterUntouchedWhenNoPageIsChosen) {
  RecordingSurface printer(4958, 7017, 600);
  PageSelection selection(printer, Choice({{5, 6}}));
  ASSERT_EQ(DrawPages(selection, 4), std::nullopt);
  EXPECT_TRUE(printer.events.empty());
  EXPECT_EQ(selection.PagesHandedOn(), 0);
}

TEST(PageSelection, NumbersPagesAsThePrintoutDoesAndPassesMeasuresThrough) {
  RecordingSurface printer(4958, 7017, 600);
  PageSelection selection(printer, Choice({{2, 2}}));
  selection.SetFont("Courier New", 8);
  EXPECT_EQ(printer.fontFamily, "Courier New");
  EXPECT_EQ(selection.FontPointSize(), 8);
  EXPECT_EQ(selection.PageWidth(), 4958);
  EXPECT_EQ(selection.PageHeight(), 7017);
  EXPECT_EQ(selection.VerticalDpi(), 600);
  EXPECT_EQ(selection.TextWidth("abc"), printer.TextWidth("abc"));
  ASSERT_EQ(DrawPages(selection, 3), std::nullopt);
  EXPECT_EQ(PrintedPages(printer), Marks({2})) << "the page keeps its own number";
}

TEST(PageSelection, StopsAtAPrinterFailureAndReportsItOnce) {
  RecordingSurface printer(4958, 7017, 600);
  printer.failNewPageAfter = 2;
  PageSelection selection(printer, Choice({}));
  EXPECT_EQ(DrawPages(selection, 4), "printer jammed");
  EXPECT_EQ(PrintedPages(printer), Marks({1, 2}));
  EXPECT_EQ(printer.events.back(), "end") << "the job on the printer is ended";

  RecordingSurface keeping(4958, 7017, 600);
  keeping.failNewPageAfter = 1;
  PageSelection reversed(keeping, Choice({}, 1, true, true));
  EXPECT_EQ(DrawPages(reversed, 3), "printer jammed");
  EXPECT_EQ(PrintedPages(keeping), Marks({3}));
}

}  // namespace
}  // namespace telvoran
