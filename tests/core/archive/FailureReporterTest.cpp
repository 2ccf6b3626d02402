#include "core/archive/FailureReporter.h"

#include <gtest/gtest.h>

#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"

namespace telvoran {
namespace {

using test::NumberedStrings;
using test::RecordingReporter;

TEST(FailureReporting, OneTextBeepsThenShows) {
  RecordingReporter reporter;
  ReportMessage(reporter, NumberedStrings(), 106);
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"beep", "message:S106"}));
}

TEST(FailureReporting, WrongKindJoinsTwoTextsWithACarriageReturn) {
  RecordingReporter reporter;
  ReportWrongKind(reporter, NumberedStrings());
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"beep", "message:S108\rS109"}));
}

TEST(FailureReporting, ErrorInTheProgramsWordsGoesToTheErrorBoxWithoutABeep) {
  RecordingReporter reporter;
  ReportError(reporter, NumberedStrings(), 202);
  EXPECT_EQ(reporter.events, (std::vector<std::string>{"error:S202"}));
}

}  // namespace
}  // namespace telvoran
