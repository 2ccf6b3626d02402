#include "core/report/TextReport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "core/platform/Utf8Path.h"
#include "core/text/StringIds.h"
#include "support/FakeReportSource.h"
#include "support/FakeStrings.h"
#include "support/SystemErrorText.h"
#include "support/TempDir.h"

#ifdef __unix__
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace telvoran {
namespace {

using test::FakeReportSource;
using test::ReadBytes;
using test::TempDir;

const std::string kRule(92, '-');
// No filter's note is written without a filter, so no text of the library is needed.
const test::FakeStrings kStrings;

#ifdef _WIN32
constexpr bool kIsWindows = true;
#else
constexpr bool kIsWindows = false;
#endif

std::string PlatformText(int error) {
  return std::generic_category().message(error);
}

FakeReportSource SourceWithRows(std::vector<std::string> rows) {
  FakeReportSource source;
  source.title = "Pomiary \xb3\xb9k";
  source.columnTitles = "   Data i godzina      1";
  source.sortMark = "         <>";
  source.rows = std::move(rows);
  return source;
}

// The heading block of SourceWithRows as written.
const std::string kHeadingBytes = "Pomiary \xb3\xb9k\r\n" + kRule +
                                  "\r\n   Data i godzina      1\r\n" + "         <>\r\n" + kRule +
                                  "\r\n";

TEST(TextReport, EmptyViewGivesTheFiveHeadingLines) {
  TempDir folder;
  const auto target = folder / "report.txt";
  ASSERT_EQ(WriteTextReport(SourceWithRows({}), kStrings, target), std::nullopt);
  EXPECT_EQ(ReadBytes(target), kHeadingBytes);
}

// A filtered view's report says under its heading, as the printout does, how many rows the
// filter kept and how it chose them.
TEST(TextReport, FilteredViewHasTheNoteOfItsFilterUnderItsHeading) {
  const test::FakeStrings strings({{sid::kFilterNoteStart, "Filter: "},
                                   {sid::kFilterRowsOf, " of "},
                                   {sid::kFilterRowsEnd, " rows"},
                                   {sid::kFilterNoteText, "text "}});
  FakeReportSource source = SourceWithRows({"pump row"});
  source.filtering = FilterNote{1, 40, "pump", ""};
  std::ostringstream out;
  ASSERT_EQ(WriteTextReport(source, strings, out), std::nullopt);
  EXPECT_EQ(out.str(), kHeadingBytes + "Filter: 1 of 40 rows; text \"pump\"\r\npump row\r\n");
}

TEST(TextReport, WritesRowsInListOrderEachEndedByCrLf) {
  TempDir folder;
  const auto target = folder / "report.txt";
  FakeReportSource source = SourceWithRows({"b row", "", "a row \x8c\xb9"});
  source.title = "";
  ASSERT_EQ(WriteTextReport(source, kStrings, target), std::nullopt);
  EXPECT_EQ(ReadBytes(target), "\r\n" + kRule + "\r\n   Data i godzina      1\r\n" +
                                   "         <>\r\n" + kRule +
                                   "\r\nb row\r\n\r\na row \x8c\xb9\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(TextReport, ReplacesAnExistingFileCompletelyKeepingItsPermissions) {
  TempDir folder;
  const auto target = folder.Write("report.txt", std::string(10000, 'x'));
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  // As the system keeps them: Windows knows only whether a file is read-only.
  const auto permissions = std::filesystem::status(target).permissions();
  ASSERT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, target), std::nullopt);
  EXPECT_EQ(ReadBytes(target), kHeadingBytes + "row\r\n");
  EXPECT_EQ(std::filesystem::status(target).permissions(), permissions);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"});
}

TEST(TextReport, WritesAMillionRows) {
  TempDir folder;
  const auto target = folder / "big.txt";
  FakeReportSource source =
      SourceWithRows(std::vector<std::string>(1'000'000, std::string(78, 'r')));
  ASSERT_EQ(WriteTextReport(source, kStrings, target), std::nullopt);
  EXPECT_EQ(std::filesystem::file_size(target), kHeadingBytes.size() + 1'000'000u * 80);
}

// Each failure names its cause in the platform's words and leaves nothing behind.
TEST(TextReport, ReportsACreateFailureAndLeavesNoFile) {
  TempDir folder;
  folder.Write("plain-file", "keep");
  std::filesystem::create_directory(folder / "a-folder");
  struct Case {
    std::string target;
    std::string error;
  };
  using test::SystemErrorText;
  for (const Case& c :
       {Case{"missing-folder/report.txt", SystemErrorText(ENOENT, test::kWindowsPathNotFound)},
        // Windows says that a path through a file does not exist.
        Case{"plain-file/report.txt", SystemErrorText(ENOTDIR, test::kWindowsPathNotFound)},
        Case{"a-folder", SystemErrorText(EISDIR, test::kWindowsAccessDenied)}}) {
    SCOPED_TRACE(c.target);
    EXPECT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, folder / c.target), c.error);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a-folder", "plain-file"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "a-folder"));
    EXPECT_EQ(ReadBytes(folder / "plain-file"), "keep");
  }
}

// Names that the ANSI code page of a Windows system cannot spell, and paths longer than the
// 260 characters of its classic limit, reach the system whole, the temporary file's too.
TEST(TextReport, WritesNamesWithPolishLettersAndLongPaths) {
  TempDir folder;
  const std::string polish = "raport \xC5\xBC\xC3\xB3\xC5\x82w.txt";  // raport żółw.txt
  std::filesystem::path deep = folder.Path();
  while (deep.native().size() < 300) deep /= std::string(40, 'f');
  std::filesystem::create_directories(deep);

  for (const std::filesystem::path& target : {folder / PathFromUtf8(polish), deep / "long.txt"}) {
    SCOPED_TRACE(Utf8FromPath(target));
    ASSERT_EQ(WriteTextReport(SourceWithRows({}), kStrings, target), std::nullopt);
    EXPECT_EQ(ReadBytes(target), kHeadingBytes);
    // Written again, it replaces itself.
    ASSERT_EQ(WriteTextReport(SourceWithRows({}), kStrings, target), std::nullopt);
    EXPECT_EQ(ReadBytes(target), kHeadingBytes);
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{std::string(40, 'f'), polish}));
  // The C runtime of Windows lists no folder whose path is that long.
  if (!kIsWindows) {
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(deep), {}), 1);
  }
}

TEST(TextReport, LeavesAReadOnlyFileAsItWas) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  std::filesystem::permissions(
      target, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, target),
            test::SystemErrorText(EACCES, test::kWindowsAccessDenied));
  EXPECT_EQ(ReadBytes(target), "old report");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"});
}

#ifdef __unix__
TEST(TextReport, ReportsAnUnwritableFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write into any folder";
  TempDir folder;
  std::filesystem::create_directory(folder / "locked");
  std::filesystem::permissions(
      folder / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, folder / "locked" / "report.txt"),
            PlatformText(EACCES));
  EXPECT_TRUE(std::filesystem::is_empty(folder / "locked"));
}

// A file size limit makes the writes fail part way through the rows, as a full disk would.
TEST(TextReport, AFailedWriteLeavesTheOldFileAndNoPartialOne) {
  TempDir folder;
  const auto target = folder.Write("report.txt", "old report");
  FakeReportSource source = SourceWithRows(std::vector<std::string>(200'000, std::string(60, 'r')));

  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit limit = {}, saved = {};
  getrlimit(RLIMIT_FSIZE, &saved);
  limit = saved;
  limit.rlim_cur = 100'000;
  setrlimit(RLIMIT_FSIZE, &limit);
  const std::optional<std::string> error = WriteTextReport(source, kStrings, target);
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(error, PlatformText(EFBIG));
  EXPECT_EQ(ReadBytes(target), "old report");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"});
}
#endif

TEST(TextReportStream, WritesTheBytesOfTheFile) {
  TempDir folder;
  const auto target = folder / "report.txt";
  const FakeReportSource source = SourceWithRows({"b row", "", "a row \x8c\xb9"});
  ASSERT_EQ(WriteTextReport(source, kStrings, target), std::nullopt);
  std::ostringstream out;
  EXPECT_EQ(WriteTextReport(source, kStrings, out), std::nullopt);
  EXPECT_EQ(out.str(), ReadBytes(target));
}

TEST(TextReportStream, ReportsAStreamThatTakesNothing) {
  std::ostream broken(nullptr);
  EXPECT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, broken), PlatformText(EIO));
}

#ifdef __linux__
// /dev/full takes the bytes into the stream's buffer and refuses them when they are flushed.
TEST(TextReportStream, ReportsAFullDevice) {
  std::ofstream full("/dev/full", std::ios::binary);
  ASSERT_TRUE(full.is_open());
  EXPECT_EQ(WriteTextReport(SourceWithRows({"row"}), kStrings, full), PlatformText(ENOSPC));
}
#endif

TEST(ReportHeadingLines, AreTitleRuleColumnsMarkRule) {
  const FakeReportSource source = SourceWithRows({"row"});
  EXPECT_EQ(ReportHeadingLines(source),
            (std::array<std::string, 5>{"Pomiary \xb3\xb9k", kRule, "   Data i godzina      1",
                                        "         <>", kRule}));
}

}  // namespace
}  // namespace telvoran
