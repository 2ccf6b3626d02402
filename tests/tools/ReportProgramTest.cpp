// The tools as a user runs them: from another folder, without a display, the report tool
// finding its string library beside itself, names and messages passing through the command line
// and the standard streams unchanged.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <regex>

#include "core/platform/Utf8Path.h"
#include "core/text/StringLibrary.h"
#include "support/ProgramRun.h"
#include "tools/ReportTestSupport.h"
#include "tools/mkarchive/ArchiveWriter.h"
#include "tools/mkarchive/MkArchiveCommand.h"
#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

using test::BuiltProgram;
using test::ProgramRun;
using test::RunProgram;

const std::filesystem::path kReport = BuiltProgram("telvoran-report");
const std::filesystem::path kMkArchive = BuiltProgram("telvoran-mkarchive");

// 150 records a quarter of an hour apart from 2005-03-14 00:00, two channels.
void WriteIntervalArchive(const std::filesystem::path& path, int records) {
  const ChannelLabel channels[] = {{"T1", "C"}, {"P1", "kPa"}};
  ArchiveWriter writer(path);
  writer.Write(MakeIntervalHeader(channels));
  const DateTime start{2005, 3, 14, 0, 0, 0};
  for (int i = 0; i < records; ++i) {
    writer.Write(EncodeIntervalRecord({AddSeconds(start, 900 * i), {" 21.5", "101.0", "", ""}}));
  }
  writer.Close();
}

#ifndef _WIN32
bool Contains(const std::string& text, const char* pattern) {
  return std::regex_search(text, std::regex(pattern));
}

bool HasPoppler() {
  return std::system("command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null") == 0;
}

std::string Captured(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// At 600 dpi on A4 with the printer's default margins an 8-point font gives 93-dot lines and
// 69 lines per page: 59 rows on page 1 and 65 on every later page, so 150 rows fill three pages.
TEST(ReportProgram, PrintsTheViewIntoAPdfOfNumberedA4Pages) {
  if (!test::kBuildPrints) GTEST_SKIP() << "built without the desktop program";
  if (!HasPoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  test::TempDir folder;
  WriteIntervalArchive(folder / "2005-03-14_C07.czt", 150);

  const ProgramRun run =
      RunProgram(kReport, {"--pdf", "view.pdf", "2005-03-14_C07.czt"}, folder.Path());

  ASSERT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.out, "") << "a printout alone writes no text report";
  const std::string info = Captured("pdfinfo '" + (folder / "view.pdf").string() + "'");
  EXPECT_TRUE(Contains(info, R"(Pages:\s+3\n)")) << info;
  EXPECT_TRUE(Contains(info, R"(Page size:.*\(A4\))")) << info;
  const auto page = [&](int number) {
    const std::string n = std::to_string(number);
    return Captured("pdftotext -layout -f " + n + " -l " + n + " '" +
                    (folder / "view.pdf").string() + "' -");
  };
  const std::string page1 = page(1);
  EXPECT_NE(page1.find("Wydruk pliku: 2005-03-14_C07.czt"), std::string::npos) << page1;
  EXPECT_NE(page1.find("Pamięć przedziałowa, zestaw kanałów nr 07 z dnia 2005-03-14"),
            std::string::npos);
  EXPECT_TRUE(Contains(page1, R"(2005-03-14\s+14:30:00)")) << "row 59";
  EXPECT_FALSE(Contains(page1, R"(2005-03-14\s+14:45:00)")) << "row 60";
  const std::string page3 = page(3);
  EXPECT_TRUE(Contains(page3, R"(2005-03-15\s+13:15:00)")) << "row 150";
  EXPECT_TRUE(Contains(page3, "Strona 3"));
  // Beside the archive only the finished printout is left.
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"2005-03-14_C07.czt", "view.pdf"}));
}

// The printout comes from a module beside the tool, loaded for --pdf alone: a copy of the tool
// without it still writes text reports, and a printout asked of it fails in words, naming the
// module, and leaves no file.
TEST(ReportProgram, ToolWithoutItsPrintingModule) {
  if (!test::kBuildPrints) GTEST_SKIP() << "built without the desktop program";
  test::TempDir folder;
  const auto tool = folder / "telvoran-report";
  std::filesystem::copy_file(kReport, tool);
  std::filesystem::copy_file(kReport.parent_path() / kStringLibraryFileName,
                             folder / kStringLibraryFileName);
  WriteIntervalArchive(folder / "2005-03-14_C07.czt", 20);

  const ProgramRun text = RunProgram(tool, {"2005-03-14_C07.czt"}, folder.Path());
  EXPECT_EQ(text.exitStatus, kReportDone) << text.err;
  EXPECT_EQ(text.out, RunProgram(kReport, {"2005-03-14_C07.czt"}, folder.Path()).out);

  const ProgramRun print =
      RunProgram(tool, {"-o", "view.txt", "--pdf", "view.pdf", "2005-03-14_C07.czt"}, folder.Path());
  EXPECT_EQ(print.exitStatus, kReportFailed);
  const std::string module = (folder / "telvoran-report-pdf.so").string();
  EXPECT_EQ(print.err, "telvoran-report: view.pdf: the printing module " + module +
                           " cannot be loaded: cannot open shared object file: No such file or "
                           "directory\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "view.pdf"));
  // The text report asked for with it was complete before the printout began.
  EXPECT_TRUE(std::filesystem::exists(folder / "view.txt"));
}
#endif

TEST(ReportProgram, WritesTheSameReportInProcessAndAsAProgram) {
  test::TempDir folder;
  WriteIntervalArchive(folder / "2005-03-14_C07.czt", 20);

  const ProgramRun run = RunProgram(kReport, {"-s", "3", "2005-03-14_C07.czt"}, folder.Path());

  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.out,
            test::RunReportWith({"-s", "3", Utf8FromPath(folder / "2005-03-14_C07.czt")}).out);
}

TEST(ReportProgram, MessagesEndInALineFeedAlone) {
  test::TempDir folder;
  const ProgramRun run = RunProgram(kReport, {"missing.zdr"}, folder.Path());
  EXPECT_EQ(run.exitStatus, kReportRefused);
  EXPECT_EQ(run.err, "telvoran-report: Nie ma pliku o podanej nazwie.\n");

  const ProgramRun wrong = RunProgram(kMkArchive, {"-o", "a.zdr", "--records", "x"}, folder.Path());
  EXPECT_EQ(wrong.exitStatus, kExitUsage);
  EXPECT_EQ(wrong.err,
            "telvoran-mkarchive: --records: 'x' is not a whole number from 0 to 1000000000\n"
            "Try 'telvoran-mkarchive --help' for more.\n");
}

// The archive's name reaches the title line in Windows-1250, the report's name the folder as
// given, whatever the system's code page for narrow names.
TEST(ReportProgram, NamesWithPolishLettersPassThroughTheCommandLine) {
  test::TempDir folder;
  const std::string archive =
      "\xC5\x82\xC3\xB3"
      "d\xC5\xBA 2009.zdr";                                           // łódź 2009.zdr
  const std::string report = "raport \xC5\xBC\xC3\xB3\xC5\x82w.txt";  // raport żółw.txt
  const ProgramRun made =
      RunProgram(kMkArchive, {"--output", archive, "--records", "3"}, folder.Path());
  ASSERT_EQ(made.exitStatus, kExitSuccess) << made.err;

  const ProgramRun run = RunProgram(kReport, {"-o", report, archive}, folder.Path());

  ASSERT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{report, archive}));
  const std::string bytes = test::ReadFileBytes(folder.Path() / PathFromUtf8(report));
  EXPECT_TRUE(
      bytes.starts_with("Pami\xEA\xE6 zdarze\xF1: \xB3\xF3"
                        "d\x9F 20\r\n"))
      << bytes;

  const ProgramRun refused = RunProgram(kReport, {report}, folder.Path());
  EXPECT_EQ(refused.exitStatus, kReportRefused);
  EXPECT_TRUE(refused.err.starts_with("telvoran-report: " + report + ": not an archive"))
      << refused.err;
}

TEST(ReportProgram, BothToolsAnswerVersion) {
  test::TempDir folder;
  for (const auto& [program, name] :
       {std::pair{kReport, "telvoran-report"}, std::pair{kMkArchive, "telvoran-mkarchive"}}) {
    const ProgramRun run = RunProgram(program, {"--version"}, folder.Path());
    EXPECT_EQ(run.exitStatus, 0) << name << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with(std::string(name) + " ")) << run.out;
    EXPECT_TRUE(run.out.ends_with("\n") && !run.out.ends_with("\r\n")) << run.out;
  }
}

}  // namespace
}  // namespace telvoran
