#include <QAction>

#include <gtest/gtest.h>

#include "app/ApplicationTitle.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/DialogTexts.h"
#include "app/Hint.h"
#include "support/ScriptedDialogs.h"

namespace telvoran {
namespace {

struct FilterCase {
  const char* filter;
  QStringList nameFilters;
};

class NameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilters, PairsBecomeDescriptionsWithTheirPatternsInBrackets) {
  EXPECT_EQ(NameFiltersFromPairs(QString::fromUtf8(GetParam().filter)), GetParam().nameFilters);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilters,
    ::testing::Values(FilterCase{"Interval archives|*.czt", {"Interval archives (*.czt)"}},
                      FilterCase{"A|*.czt|B|*.zdr|All|*.czt; *.zdr",
                                 {"A (*.czt)", "B (*.zdr)", "All (*.czt *.zdr)"}},
                      // The built-in description already holds bracketed patterns; the dialog hides
                      // only the last brackets, so the user still reads the description unchanged.
                      FilterCase{"Wszystkie pliki pamięci (*.czt); (*.zdr)|*.czt; *.zdr",
                                 {"Wszystkie pliki pamięci (*.czt); (*.zdr) (*.czt *.zdr)"}},
                      FilterCase{"Text|*.txt;*.lst; ", {"Text (*.txt *.lst)"}},
                      FilterCase{"A|*.czt|Lonely description", {"A (*.czt)"}}, FilterCase{"", {}}));

TEST(DialogTexts, ACarriageReturnBreaksTheLineOnce) {
  EXPECT_EQ(WithLineBreaks("first\rsecond"), "first\nsecond");
  EXPECT_EQ(WithLineBreaks("first\r\nsecond\r"), "first\nsecond\n");
  EXPECT_EQ(WithLineBreaks("one line"), "one line");
}

TEST(ApplicationTitle, DefaultTitleIsTheFileNameCutAtItsFirstDotInLowerCaseAfterTheFirstLetter) {
  EXPECT_EQ(DefaultApplicationTitle("/opt/telvoran/telvoran"), "telvoran");
  EXPECT_EQ(DefaultApplicationTitle("C:/Program Files/TELVORAN.EXE"), "Telvoran");
  EXPECT_EQ(DefaultApplicationTitle("/x/tElVoRaN.v3.exe"), "telvoran");
  EXPECT_EQ(DefaultApplicationTitle("/x.y/Zażółć"), "Zażółć");
  EXPECT_EQ(DefaultApplicationTitle("/x/.hidden"), "");
}

TEST(Hint, ShortPartBeforeTheFirstBarLongPartAfterIt) {
  QAction action;
  SetHint(action, "Open|Opens a file|with a bar");
  EXPECT_EQ(action.toolTip(), "Open");
  EXPECT_EQ(action.statusTip(), "Opens a file|with a bar");
  SetHint(action, "Closes the program");
  EXPECT_EQ(action.toolTip(), "Closes the program");
  EXPECT_EQ(action.statusTip(), "Closes the program");
  SetHint(action, "|");
  EXPECT_EQ(action.statusTip(), "");
}

TEST(DialogReporter, ShowsLibraryTextsAndPlatformTextsCaptionedWithTheApplicationTitle) {
  test::ScriptedDialogs dialogs;
  DialogReporter reporter(dialogs, nullptr);
  reporter.Beep();
  reporter.ShowMessage("Nie ma pliku \xB9\xE6\r[second]");  // "ąć" in Windows-1250
  reporter.ShowError("Brak dost\xC4\x99pu");                // "ę" in UTF-8
  EXPECT_EQ(dialogs.asked, QStringList({"beep", "message:Telvoran|Nie ma pliku ąć\r[second]",
                                        "error:Telvoran|Brak dostępu"}));
}

}  // namespace
}  // namespace telvoran
