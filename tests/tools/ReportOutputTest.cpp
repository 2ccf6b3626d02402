// Where telvoran-report puts the report, run in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>

#include "tools/ReportTestSupport.h"

namespace telvoran {
namespace {

using test::ReportRun;
using test::RunReportWith;

std::filesystem::path WriteEventArchive(const test::TempDir& folder) {
  return folder.Write(
      "alarm2009.zdr",
      std::vector{test::EventRecord(3, 'W'), test::EventRecord(1, 'G'), test::EventRecord(2, 'O')});
}

TEST(ReportOutput, FileHoldsTheBytesWrittenToStandardOutput) {
  test::TempDir folder;
  const auto archive = WriteEventArchive(folder);
  const auto target = folder / "report.txt";

  const ReportRun toStandardOutput = RunReportWith({"--sort", "7", archive.string()});
  const ReportRun toFile =
      RunReportWith({"--sort", "7", "--output", target.string(), archive.string()});

  ASSERT_EQ(toStandardOutput.exitStatus, kReportDone) << toStandardOutput.err;
  ASSERT_EQ(toFile.exitStatus, kReportDone) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(toFile.err, "");
  EXPECT_EQ(test::ReadFileBytes(target), toStandardOutput.out);
  EXPECT_EQ(std::count(toStandardOutput.out.begin(), toStandardOutput.out.end(), '\n'), 5 + 3);
}

// --csv alone writes the CSV file and nothing to standard output; with --output both are
// written. The rows follow the sort column, and the situation texts are the library's.
TEST(ReportOutput, CsvFileBesideOrInsteadOfTheTextReport) {
  test::TempDir folder;
  const auto archive = WriteEventArchive(folder);
  const auto csv = folder / "alarms.csv";
  const auto report = folder / "report.txt";

  const ReportRun alone = RunReportWith({"--sort", "7", "--csv", csv.string(), archive.string()});
  ASSERT_EQ(alone.exitStatus, kReportDone) << alone.err;
  EXPECT_EQ(alone.out, "");
  EXPECT_EQ(alone.err, "");
  const std::string bytes = test::ReadFileBytes(csv);
  EXPECT_TRUE(bytes.starts_with(
      "date_time,central_unit,channel,medium,value,unit,situation,situation_text\r\n"))
      << bytes;
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 3);
  // Sorted by situation text, in the Polish library: "Kana\xb3 wy\xb3\xb9czony" (O),
  // "Ostrze\xbfenie" (W), "Stan normalny" (G).
  const auto o = bytes.find(",5,"), w = bytes.find(",4,"), g = bytes.find(",0,");
  ASSERT_NE(g, std::string::npos);
  EXPECT_LT(o, w);
  EXPECT_LT(w, g);

  const ReportRun both = RunReportWith(
      {"--sort", "7", "-o", report.string(), "--csv", csv.string(), archive.string()});
  ASSERT_EQ(both.exitStatus, kReportDone) << both.err;
  EXPECT_EQ(test::ReadFileBytes(csv), bytes);
  EXPECT_EQ(test::ReadFileBytes(report), RunReportWith({"--sort", "7", archive.string()}).out);
}

// The tool only reads: a read-only archive, and one it refuses for its name, stay read-only.
TEST(ReportOutput, ArchiveKeepsItsMode) {
  test::TempDir folder;
  for (const char* name : {"alarm2009.zdr", "DATA.CZT"}) {
    const auto archive = folder.Write(name, std::vector{test::EventRecord(1)});
    test::MakeReadOnly(archive);
    RunReportWith({archive.string()});
    EXPECT_FALSE(test::IsWritable(archive)) << name;
  }
}

TEST(ReportOutput, FileReplacesAnExistingFileWhole) {
  test::TempDir folder;
  const auto archive = WriteEventArchive(folder);
  const auto target = folder.Write("report.txt", std::string(100000, 'x'));

  const ReportRun run = RunReportWith({"-o", target.string(), archive.string()});

  ASSERT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(test::ReadFileBytes(target), RunReportWith({archive.string()}).out);
  // Nothing but the report is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST(ReportOutput, ArchiveNameAfterTheEndOfOptions) {
  test::TempDir folder;
  const auto archive = folder.Write("-a.zdr", std::vector{test::EventRecord(1)});
  const auto previousFolder = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  const ReportRun run = RunReportWith({"--", "-a.zdr"});
  std::filesystem::current_path(previousFolder);

  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_TRUE(run.out.starts_with("Pami\xea\xe6 zdarze\xf1: -a.zdr\r\n"));
}

TEST(ReportOutput, LastOfARepeatedOptionCounts) {
  test::TempDir folder;
  const auto archive = WriteEventArchive(folder);
  const ReportRun twice = RunReportWith({"-s", "2", archive.string(), "--sort=7"});
  EXPECT_EQ(twice.exitStatus, kReportDone) << twice.err;
  EXPECT_EQ(twice.out, RunReportWith({"--sort", "7", archive.string()}).out);
}

TEST(ReportOutput, VersionNeedsNoArchive) {
  const ReportRun run = RunReportWith({"--version"}, "/nonexistent");
  EXPECT_EQ(run.exitStatus, kReportDone);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("telvoran-report [0-9]+\\.[0-9]+\n")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(ReportOutput, HelpNeedsNoArchive) {
  const ReportRun run = RunReportWith({"--help"}, "/nonexistent");
  EXPECT_EQ(run.exitStatus, kReportDone);
  EXPECT_TRUE(run.out.starts_with("Usage: telvoran-report [--sort N]")) << run.out;
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace telvoran
