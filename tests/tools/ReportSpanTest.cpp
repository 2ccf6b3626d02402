// telvoran-report over a span of days: a folder's unit and days, or several archives.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/ArchiveRecords.h"
#include "support/FileSystemThings.h"
#include "tools/ReportTestSupport.h"

namespace telvoran {
namespace {

using test::ReportRun;
using test::RunReportWith;

std::vector<ArchiveRecord> DayRecords(int minute) {
  return test::Join(test::IntervalHeader('2'),
                    std::vector{test::IntervalRecord(minute), test::IntervalRecord(minute + 1)});
}

TEST(ReportSpan, AFoldersDaysAreTheSpanOfTheArchivesGiven) {
  test::TempDir folder;
  std::filesystem::create_directories(folder / "2005");
  const auto d13 = folder.Write("2005/2005-03-13_C07.czt", DayRecords(50));
  const auto d14 = folder.Write("2005/2005-03-14_C07.czt", DayRecords(40));
  const auto d16 = folder.Write("2005-03-16_C07.czt", DayRecords(30));
  folder.Write("2005-03-15_C08.czt", DayRecords(20));  // another unit
  folder.Write("2005-03-17_C07.czt", DayRecords(10));  // after the span

  const ReportRun ofFolder = RunReportWith({"--sort", "2", "--unit", "7", "--from", "2005-03-14",
                                            "--to", "2005-03-16", folder.Path().string()});
  ASSERT_EQ(ofFolder.exitStatus, kReportDone) << ofFolder.err;
  EXPECT_EQ(std::count(ofFolder.out.begin(), ofFolder.out.end(), '\n'), 5 + 4);
  // The title names the span as chosen, in the Polish library.
  EXPECT_TRUE(
      ofFolder.out.starts_with("Pami\xea\xe6 przedzia\xb3owa, zestaw kana\xb3\xf3w nr 07, dni od "
                               "2005-03-14 do 2005-03-16\r\n"))
      << ofFolder.out.substr(0, 100);
  const ReportRun ofArchives = RunReportWith({"--sort", "2", d14.string(), d16.string()});
  EXPECT_EQ(ofArchives.exitStatus, kReportDone) << ofArchives.err;
  EXPECT_EQ(ofArchives.out, ofFolder.out);

  // A day that cannot be read is told; the others are written and the status says so.
  test::Append(d14, {test::IntervalRecord(9, " 1", kEventKind)});
  const auto csv = folder / "span.csv";
  const ReportRun broken = RunReportWith({"--csv", csv.string(), d13.string(), d14.string()});
  EXPECT_EQ(broken.exitStatus, kReportRefused);
  EXPECT_NE(broken.err.find("2005-03-14_C07.czt: "), std::string::npos) << broken.err;
  const std::string bytes = test::ReadFileBytes(csv);
  EXPECT_TRUE(bytes.starts_with("\"Pami\xc4\x99\xc4\x87 przedzia"))  // a comma in it
      << bytes;
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2 + 4);

  // Several archives must all be interval archives; a folder must be one.
  EXPECT_EQ(RunReportWith({d13.string(), (folder / "alarm.zdr").string()}).exitStatus,
            kReportRefused);
  const ReportRun noFolder = RunReportWith(
      {"--unit", "7", "--from", "2005-03-14", "--to", "2005-03-16", (folder / "none").string()});
  EXPECT_EQ(noFolder.exitStatus, kReportFailed);
  const ReportRun noDay = RunReportWith(
      {"--unit", "9", "--from", "2005-03-14", "--to", "2005-03-16", folder.Path().string()});
  EXPECT_EQ(noDay.exitStatus, kReportRefused);
  EXPECT_NE(noDay.err.find("Centrala nie ma archiwum"), std::string::npos) << noDay.err;
}

}  // namespace
}  // namespace telvoran
