// The telvoran-report program as a user runs it: from another folder, without a display,
// finding its string library beside itself.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <iterator>
#include <regex>

#include "tools/ReportTestSupport.h"
#include "tools/mkarchive/ArchiveWriter.h"
#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

const std::filesystem::path kProgram =
    std::filesystem::path(TELVORAN_BUILD_DIR) / "telvoran-report";

bool HasPoppler() {
  return std::system("command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null") == 0;
}

// Runs `command` in `folder` with neither a display nor a Qt platform set; standard output
// and standard error land in files of that folder.
test::ReportRun RunInFolder(const test::TempDir& folder, const std::string& command) {
  const std::string shell = "cd '" + folder.Path().string() +
                            "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + command +
                            " >stdout 2>stderr";
  const int status = std::system(shell.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadFileBytes(folder / "stdout"),
          test::ReadFileBytes(folder / "stderr")};
}

bool Contains(const std::string& text, const char* pattern) {
  return std::regex_search(text, std::regex(pattern));
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

// At 600 dpi on A4 with the printer's default margins an 8-point font gives 93-dot lines and
// 69 lines per page: 59 rows on page 1 and 65 on every later page, so 150 rows fill three pages.
TEST(ReportProgram, PrintsTheViewIntoAPdfOfNumberedA4Pages) {
  if (!test::kBuildPrints) GTEST_SKIP() << "built without the desktop program";
  if (!HasPoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  test::TempDir folder;
  WriteIntervalArchive(folder / "2005-03-14_C07.czt", 150);

  const test::ReportRun run =
      RunInFolder(folder, kProgram.string() + " --pdf view.pdf 2005-03-14_C07.czt");

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
  // Beside the archive and the captured output only the finished printout is left.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 4);
}

TEST(ReportProgram, WritesTheSameReportInProcessAndAsAProgram) {
  test::TempDir folder;
  WriteIntervalArchive(folder / "2005-03-14_C07.czt", 20);

  const test::ReportRun run = RunInFolder(folder, kProgram.string() + " -s 3 2005-03-14_C07.czt");

  EXPECT_EQ(run.exitStatus, kReportDone) << run.err;
  EXPECT_EQ(run.out,
            test::RunReportWith({"-s", "3", (folder / "2005-03-14_C07.czt").string()}).out);
}

TEST(ReportProgram, ExitsWithTheStatusOfAFailure) {
  test::TempDir folder;
  const test::ReportRun run = RunInFolder(folder, kProgram.string() + " missing.zdr");
  EXPECT_EQ(run.exitStatus, kReportRefused);
  EXPECT_EQ(run.err, "telvoran-report: Nie ma pliku o podanej nazwie.\n");
}

}  // namespace
}  // namespace telvoran
