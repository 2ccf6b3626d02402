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

// While a command works on a file, every box about it names the file in its caption; an inner
// file is named until its command ends, then the outer one again, then none.
TEST(DialogReporter, NamesTheFileOfTheFailureInTheCaption) {
  test::ScriptedDialogs dialogs;
  DialogReporter reporter(dialogs, nullptr);
  {
    const FileInCaptions outer(reporter, "/data/empty.czt");
    reporter.ShowMessage("S107");
    {
      const FileInCaptions inner(reporter, "/data/sub/short.zdr");
      reporter.ShowErrorMessage("S202");
    }
    reporter.ShowError("gone");
  }
  reporter.ShowMessage("S183");
  EXPECT_EQ(dialogs.asked,
            QStringList({"message:empty.czt - Telvoran|S107", "error:short.zdr - Telvoran|S202",
                         "error:empty.czt - Telvoran|gone", "message:Telvoran|S183"}));
}

}  // namespace
}  // namespace telvoran
