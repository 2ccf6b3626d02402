// One page that holds a picture (a chart), with the heading and footer of a data view's printout.
#include <gtest/gtest.h>

#include "core/report/PageScheme.h"
#include "support/FakeStrings.h"
#include "support/RecordingSurface.h"

namespace telvoran {
namespace {

using test::RecordingSurface;

test::FakeStrings Strings() {
  return test::FakeStrings({{151, "Strona %d"}, {152, "Wydruk pliku: "}});
}

// A landscape page at 600 dpi, 8 points: line height 93.
TEST(PrintPicturePage, HeadingPictureAndFooterOnOnePage) {
  RecordingSurface surface(7017, 4758, 600);
  std::vector<PageRect> pictures;
  const auto failure =
      PrintPicturePage(surface, Strings(), "Telvoran", "alarm2005.zdr", "Courier New", 8,
                       [&](const PageRect& rect) { pictures.push_back(rect); });
  EXPECT_EQ(failure, std::nullopt);
  EXPECT_EQ(surface.documentTitle, "Telvoran - alarm2005.zdr");
  EXPECT_EQ(surface.events, (std::vector<std::string>{"begin", "end"}));
  EXPECT_EQ(surface.fontFamily, "Courier New");

  ASSERT_EQ(surface.centred.size(), 2u);
  EXPECT_EQ(surface.centred[0].text, "Wydruk pliku: alarm2005.zdr");
  EXPECT_EQ(surface.centred[0].rect, (PageRect{20, 93, 7017, 186}));
  // Footer band from 4758 - 186 = 4572, its rule two dots above.
  EXPECT_EQ(surface.centred[1].text, "Strona 1");
  EXPECT_EQ(surface.centred[1].rect, (PageRect{20, 4572, 7017, 4665}));
  ASSERT_EQ(surface.lines.size(), 1u);
  EXPECT_EQ(surface.lines[0].y1, 4570);

  // The picture: from slot 3 to one line above the rule, with the body's margin on both sides.
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0], (PageRect{200, 279, 6817, 4570 - 93}));
  EXPECT_TRUE(surface.texts.empty());
}

}  // namespace
}  // namespace telvoran
