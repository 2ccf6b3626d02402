// Saving and printing told to stop: a cancelled save leaves no file and an existing one whole, a
// cancelled printout is aborted; told nothing, they write the bytes they write without progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/report/CsvReport.h"
#include "core/report/PageScheme.h"
#include "core/report/TextReport.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"
#include "support/ArchiveRecords.h"
#include "support/FakeReportSource.h"
#include "support/FakeStrings.h"
#include "support/RecordingSurface.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;

// A view that asks the work to stop when the writer reaches row `stopAt`.
class StoppingSource : public FakeReportSource {
 public:
  WorkProgress* progress = nullptr;
  std::size_t stopAt = ~std::size_t{0};

  std::string_view DisplayText(std::size_t row) const override {
    Reached(row);
    return FakeReportSource::DisplayText(row);
  }
  const ArchiveRecord& Record(std::size_t row) const override {
    Reached(row);
    return FakeReportSource::Record(row);
  }

 private:
  void Reached(std::size_t row) const {
    if (progress && row == stopAt) progress->Cancel();
  }
};

constexpr std::size_t kRows = 10000;

StoppingSource ManyRows() {
  StoppingSource source;
  source.rows = NumberedRows(kRows);
  for (std::size_t row = 0; row < kRows; ++row)
    source.records.push_back(IntervalRecord(static_cast<int>(row % 60)));
  return source;
}

using Write = std::function<std::optional<std::string>(const ReportSource&,
                                                       const std::filesystem::path&, WorkProgress*)>;

TEST(CancelledWork, SaveLeavesNoFileAndAnExistingOneWhole) {
  const FakeStrings strings;
  const std::vector<std::pair<const char*, Write>> writers{
      {"text",
       [&strings](const ReportSource& source, const std::filesystem::path& target,
                  WorkProgress* progress) {
         return WriteTextReport(source, strings, target, progress);
       }},
      {"csv", [](const ReportSource& source, const std::filesystem::path& target,
                 WorkProgress* progress) { return WriteCsvReport(source, target, progress); }},
  };
  for (const auto& [name, write] : writers) {
    SCOPED_TRACE(name);
    TempDir dir;
    StoppingSource source = ManyRows();
    ASSERT_FALSE(write(source, dir / "plain", nullptr));
    WorkProgress told;
    ASSERT_FALSE(write(source, dir / "told", &told));
    EXPECT_EQ(ReadBytes(dir / "told"), ReadBytes(dir / "plain"));
    EXPECT_EQ(told.StepText(), sid::kWorkSaving);
    EXPECT_EQ(told.Total(), kRows);
    EXPECT_GE(told.DoneCount(), kRows - 4096);

    // Stopped before the first row, and half way through.
    for (const std::size_t stopAt : {std::size_t{0}, kRows / 2}) {
      const auto fresh = dir / ("fresh" + std::to_string(stopAt));
      const auto existing = dir.Write("existing" + std::to_string(stopAt), "old bytes\r\n");
      for (const auto& target : {fresh, existing}) {
        WorkProgress progress;
        source.progress = &progress;
        source.stopAt = stopAt;
        EXPECT_FALSE(write(source, target, &progress));
        EXPECT_TRUE(progress.Cancelled());
      }
      EXPECT_FALSE(std::filesystem::exists(fresh));
      EXPECT_EQ(ReadBytes(existing), "old bytes\r\n");
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3 + (stopAt != 0))
          << "no temporary file left";
    }
  }
}

TEST(CancelledWork, PrintoutIsAbortedAtTheNextPage) {
  const FakeStrings strings;
  StoppingSource source = ManyRows();
  WorkProgress progress;
  source.progress = &progress;
  source.stopAt = 300;
  RecordingSurface surface(2400, 3300, 300);
  EXPECT_FALSE(PrintDataView(surface, strings, "T", source, "Courier New", 8, &progress));
  ASSERT_FALSE(surface.events.empty());
  EXPECT_EQ(surface.events.back(), "abort");
  EXPECT_EQ(std::count(surface.events.begin(), surface.events.end(), "end"), 0);
  EXPECT_LT(std::count(surface.events.begin(), surface.events.end(), "new page"), 10);
}

}  // namespace
}  // namespace telvoran
