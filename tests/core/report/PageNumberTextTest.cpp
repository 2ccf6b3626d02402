#include "core/report/PageNumberText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace telvoran {
namespace {

struct Formatted {
  const char* pattern;
  int pageNumber;
  const char* text;
};

class PageNumberTextFormats : public testing::TestWithParam<Formatted> {};

TEST_P(PageNumberTextFormats, AsPrintfWould) {
  const Formatted& c = GetParam();
  EXPECT_EQ(PageNumberText(c.pattern, c.pageNumber), c.text);
  char reference[128];
  std::snprintf(reference, sizeof reference, c.pattern, c.pageNumber);
  EXPECT_EQ(PageNumberText(c.pattern, c.pageNumber), reference);
}

INSTANTIATE_TEST_SUITE_P(
    IntegerPlaceholders, PageNumberTextFormats,
    testing::Values(Formatted{"Strona %d", 3, "Strona 3"}, Formatted{"- %i -", 12, "- 12 -"},
                    Formatted{"%u", 7, "7"}, Formatted{"[%3d]", 5, "[  5]"},
                    Formatted{"[%-3d]", 5, "[5  ]"}, Formatted{"%03d", 5, "005"},
                    Formatted{"%-03d|", 5, "5  |"}, Formatted{"%+d", 5, "+5"},
                    Formatted{"% d", 5, " 5"}, Formatted{"%+u", 5, "5"},
                    Formatted{"%.3d", 5, "005"}, Formatted{"%05.3d", 5, "  005"},
                    Formatted{"%.d", 1, "1"}, Formatted{"%ld", 1234, "1234"},
                    Formatted{"%2d", 1234, "1234"}, Formatted{"100%% - %d", 2, "100% - 2"},
                    Formatted{"%%d %d", 4, "%d 4"}, Formatted{"Strona \xb3", 4, "Strona \xb3"},
                    Formatted{"", 1, ""}));

// Anything printf would misread, or that needs more than one integer, is printed as it stands.
TEST(PageNumberText, LeavesAMalformedPatternUnchanged) {
  for (const char* pattern : {"Strona %s", "%d z %d", "%", "Strona %", "%x", "%*d", "%5", "%lld",
                              "%n", "%999d", "%#d", "%-", "%.", "%c", "%p%%", "50%% %"}) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(PageNumberText(pattern, 3), pattern);
  }
}

TEST(PageNumberText, CollapsesPercentPairsWithoutAPlaceholder) {
  EXPECT_EQ(PageNumberText("50%%", 1), "50%");
}

}  // namespace
}  // namespace telvoran
