// What telvoran-report says, and with which exit status, when it cannot make the report.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <functional>

#include "core/platform/RecordFile.h"
#include "support/FileSystemThings.h"
#include "support/ProgramRun.h"
#include "support/SystemErrorText.h"
#include "tools/ReportTestSupport.h"

namespace telvoran {
namespace {

using test::ReportRun;
using test::RunReportWith;
using test::TempDir;

// `count` interval records, the last of kind `lastKind`.
std::vector<ArchiveRecord> IntervalRecords(int count, std::uint32_t lastKind = kIntervalKind) {
  std::vector<ArchiveRecord> records;
  for (int minute = 0; minute < count; ++minute) {
    const bool last = minute == count - 1;
    records.push_back(test::IntervalRecord(minute, " 21.5101.0", last ? lastKind : kIntervalKind));
  }
  return records;
}

// A printer for tests that are refused before anything is printed, whatever the build prints.
std::optional<std::string> NeverPrints(const ReportSource&, const StringLookup&,
                                       const std::filesystem::path&) {
  ADD_FAILURE() << "nothing was to be printed";
  return "not printed";
}

// --- The program's own messages, in UTF-8, on standard error --------------------------------

struct MessageCase {
  const char* name;
  // Writes the archive into the folder and returns its path.
  std::function<std::filesystem::path(const TempDir&)> archive;
  const char* message;
};

const char kWrongKind[] =
    "telvoran-report: Plik nie jest plikiem pamięci oczekiwanego rodzaju.\n"
    "Nie można go wyświetlić.\n";

const char kNotAFile[] =
    "telvoran-report: To nie plik, lecz folder, urządzenie, potok lub gniazdo.\n";

const MessageCase kMessageCases[] = {
    {"MissingFile", [](const TempDir& d) { return d / "2005-03-14_C07.czt"; },
     "telvoran-report: Nie ma pliku o podanej nazwie.\n"},
    {"FileOf39Bytes", [](const TempDir& d) { return d.Write("a.czt", std::string(39, 'x')); },
     "telvoran-report: Plik jest pusty: nie zawiera żadnego pełnego rekordu.\n"},
    {"IntervalArchiveOfFourRecords",
     [](const TempDir& d) { return d.Write("a.czt", test::IntervalHeader('2')); },
     "telvoran-report: Plik pamięci przedziałowej kończy się w nagłówku.\n"},
    {"HeaderRecordOfAnotherKind",
     [](const TempDir& d) {
       return d.Write("a.czt", test::Join(test::IntervalHeader('2', 7), IntervalRecords(1)));
     },
     kWrongKind},
    {"IntervalRecordOfTheEventKind",
     [](const TempDir& d) {
       return d.Write("a.czt",
                      test::Join(test::IntervalHeader('2'), IntervalRecords(3, kEventKind)));
     },
     kWrongKind},
    {"ThirdEventRecordOfTheIntervalKind",
     [](const TempDir& d) {
       return d.Write("a.zdr", std::vector{test::EventRecord(1), test::EventRecord(2),
                                           test::EventRecord(3, 'H', kIntervalKind)});
     },
     kWrongKind},
    {"EventArchiveNamedAsIntervalArchive",
     [](const TempDir& d) { return d.Write("a.czt", std::vector(6, test::EventRecord(1))); },
     kWrongKind},
#ifndef _WIN32
    // Nothing writes to the pipe: opening or reading it would wait for ever.
    {"NamedPipe",
     [](const TempDir& d) {
       ::mkfifo((d / "a.zdr").c_str(), 0600);
       return d / "a.zdr";
     },
     kNotAFile},
#endif
    {"Folder",
     [](const TempDir& d) {
       std::filesystem::create_directory(d / "a.czt");
       return d / "a.czt";
     },
     kNotAFile},
};

class LibraryMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(LibraryMessage, GoesToStandardErrorInUtf8WithExitStatus1) {
#ifndef _WIN32
  const test::WaitGuard guard;
#endif
  TempDir folder;
  const ReportRun run = RunReportWith({GetParam().archive(folder).string()});
  EXPECT_EQ(run.exitStatus, kReportRefused);
  EXPECT_EQ(run.err, GetParam().message);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(OpenFailures, LibraryMessage, testing::ValuesIn(kMessageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The tool's own refusals ---------------------------------------------------------------

struct RefusalCase {
  const char* name;
  const char* fileName;
  int channels;  // interval archives only
  const char* sortColumn;
  const char* message;
};

const RefusalCase kRefusalCases[] = {
    {"AbsentChannel3", "a.czt", 2, "4",
     "telvoran-report: --sort 4: the archive has no channel 3\n"},
    {"AbsentChannel1", "a.czt", 0, "2",
     "telvoran-report: --sort 2: the archive has no channel 1\n"},
    {"IntervalColumn6", "a.czt", 4, "6",
     "telvoran-report: --sort 6: an interval archive has the columns 1 to 5\n"},
    {"IntervalColumn0", "a.czt", 4, "0",
     "telvoran-report: --sort 0: an interval archive has the columns 1 to 5\n"},
    {"EventColumn8", "a.zdr", 0, "8",
     "telvoran-report: --sort 8: an event archive has the columns 1 to 7\n"},
    {"EventColumnNegative", "a.zdr", 0, "-1",
     "telvoran-report: --sort -1: an event archive has the columns 1 to 7\n"},
};

class ToolRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(ToolRefusal, SaysWhatIsWrongWithExitStatus1) {
  const RefusalCase& refusal = GetParam();
  TempDir folder;
  const std::string name = refusal.fileName;
  const auto archive =
      name.ends_with(".czt")
          ? folder.Write(name,
                         test::Join(test::IntervalHeader(static_cast<char>('0' + refusal.channels)),
                                    IntervalRecords(2)))
          : folder.Write(name, std::vector{test::EventRecord(1)});

  const ReportRun run = RunReportWith({"--sort", refusal.sortColumn, archive.string()});

  EXPECT_EQ(run.exitStatus, kReportRefused);
  EXPECT_EQ(run.err, refusal.message);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Columns, ToolRefusal, testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToolRefusal, NameWithAnotherExtension) {
  TempDir folder;
  // Upper case is another extension, as in the program's open command.
  for (const char* name : {"DATA.CZT", "data.txt", "data"}) {
    const auto archive = folder.Write(name, std::vector{test::EventRecord(1)});
    const ReportRun run = RunReportWith({archive.string()});
    EXPECT_EQ(run.exitStatus, kReportRefused) << name;
    EXPECT_EQ(run.err, "telvoran-report: " + archive.string() +
                           ": not an archive this tool reads: the name must end in .czt "
                           "(interval archive) or .zdr (event archive)\n");
    EXPECT_EQ(run.out, "");
  }
}

// --- Failures of the tool itself -----------------------------------------------------------

TEST(ToolFailure, StringLibraryMissingFromTheProgramDirectory) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});

  const ReportRun run = RunReportWith({archive.string()}, folder.Path());

  EXPECT_EQ(run.exitStatus, kReportFailed);
  EXPECT_EQ(run.err, "telvoran-report: " + (folder.Path() / "Telvoran.dll").string() +
                         ": the string library is missing or cannot be read\n");
}

TEST(ToolFailure, StringLibraryOfARelativeProgramDirectory) {
  const ReportRun run = RunReportWith({"a.zdr"}, "build");
  EXPECT_EQ(run.exitStatus, kReportFailed);
  EXPECT_NE(run.err.find("the string library is missing or cannot be read"), std::string::npos);
}

TEST(ToolFailure, WrongCommandLines) {
  const std::vector<std::vector<std::string>> commandLines = {
      {},
      {"--sort"},
      {"--sort", "two", "a.czt"},
      {"--sort", "", "a.czt"},
      {"--output=", "a.czt"},
      {"--output", "", "a.czt"},
      {"--pdf", "", "a.czt"},
      {"--csv", "", "a.czt"},
      {"--csv"},
      {"--colour", "a.czt"},
      // Several archives are a span of days; a folder's span needs a unit and both days.
      {"--unit", "7", "plant"},
      {"--unit", "100", "--from", "2005-03-14", "--to", "2005-03-15", "plant"},
      {"--unit", "7", "--from", "2005-02-30", "--to", "2005-03-15", "plant"},
      {"--unit", "7", "--from", "2005-03-14", "--to", "2005-03-13", "plant"},
      {"--unit", "7", "--from", "2005-03-14", "--to", "2005-03-15", "a.czt", "b.czt"},
      {"--help=yes"},
      {"--version=yes"},
  };
  for (const auto& arguments : commandLines) {
    const ReportRun run = RunReportWith(arguments);
    EXPECT_EQ(run.exitStatus, kReportFailed) << testing::PrintToString(arguments);
    EXPECT_TRUE(run.err.starts_with("telvoran-report: ")) << run.err;
    EXPECT_TRUE(run.err.ends_with("Try 'telvoran-report --help' for more.\n")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(ToolFailure, RefusesToWriteOverTheArchive) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  const std::string before = test::ReadFileBytes(archive);
  const std::string sameFile = (folder.Path() / "." / "a.zdr").string();

  for (const char* option : {"--output", "--pdf", "--csv"}) {
    const ReportRun run =
        RunReportWith({option, sameFile, archive.string()}, TELVORAN_BUILD_DIR, NeverPrints);
    EXPECT_EQ(run.exitStatus, kReportFailed) << option;
    EXPECT_NE(run.err.find("this is the archive itself"), std::string::npos) << run.err;
  }
  EXPECT_EQ(test::ReadFileBytes(archive), before);
}

// Writing over the string library or a program would leave both programs unable to start.
TEST(ToolFailure, RefusesToWriteOverItsStringLibraryAndProgramFiles) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  std::filesystem::create_directory(folder / "program");
  const auto library = folder / "program" / "Telvoran.dll";
  std::filesystem::copy_file(std::filesystem::path(TELVORAN_BUILD_DIR) / "Telvoran.dll", library);
#ifdef _WIN32
  const auto program = folder.Write("program/telvoran-report.exe", "the program");
#else
  const auto program = folder.Write("program/telvoran-report", "the program");
#endif
  std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  std::vector<std::pair<std::filesystem::path, const char*>> refused = {
      {library, "this is the program's string library"},
      {program, "this is a file of the program itself"}};
#ifndef _WIN32
  std::filesystem::create_symlink(library, folder / "library-link.txt");
  std::filesystem::create_hard_link(program, folder / "program-link.csv");
  refused.emplace_back(folder / "library-link.txt", "this is the program's string library");
  refused.emplace_back(folder / "program-link.csv", "this is a file of the program itself");
#endif
  const std::string libraryBytes = test::ReadFileBytes(library);

  for (const auto& [target, why] : refused) {
    for (const char* option : {"--output", "--pdf", "--csv"}) {
      const ReportRun run = RunReportWith({option, target.string(), archive.string()},
                                          folder / "program", NeverPrints);
      EXPECT_EQ(run.exitStatus, kReportFailed) << option << " " << target;
      EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(test::ReadFileBytes(library), libraryBytes);
  EXPECT_EQ(test::ReadFileBytes(program), "the program");
  // Any other file of the folder, and a new one, is written.
  folder.Write("program/notes.txt", "notes");
  for (const char* name : {"notes.txt", "new.txt"}) {
    const auto target = folder / "program" / name;
    EXPECT_EQ(
        RunReportWith({"-o", target.string(), archive.string()}, folder / "program").exitStatus,
        kReportDone);
    EXPECT_GT(test::ReadFileBytes(target).size(), 100u) << name;
  }
}

TEST(ToolFailure, RefusesOneFileForReportAndPrintout) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  const std::string target = (folder / "out").string();

  const ReportRun run = RunReportWith({"-o", target, "--pdf", target, archive.string()},
                                      TELVORAN_BUILD_DIR, NeverPrints);

  EXPECT_EQ(run.exitStatus, kReportFailed);
  EXPECT_EQ(run.err, "telvoran-report: --output and --pdf name the same file\n");

  for (const auto& [first, second] : {std::pair{"-o", "--csv"}, std::pair{"--pdf", "--csv"}}) {
    const ReportRun both = RunReportWith({first, target, second, target, archive.string()},
                                         TELVORAN_BUILD_DIR, NeverPrints);
    EXPECT_EQ(both.exitStatus, kReportFailed);
    EXPECT_TRUE(both.err.ends_with(" and --csv name the same file\n")) << both.err;
  }
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.zdr"});
}

TEST(ToolFailure, ReportFileThatCannotBeWritten) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  const auto target = folder / "missing" / "report.txt";

  const ReportRun run = RunReportWith({"--output", target.string(), archive.string()});

  EXPECT_EQ(run.exitStatus, kReportFailed);
  EXPECT_EQ(run.err, "telvoran-report: " + target.string() + ": " +
                         test::SystemErrorText(ENOENT, test::kWindowsPathNotFound) + "\n");
  EXPECT_FALSE(std::filesystem::exists(target));
}

// The CSV file is written last: the text report asked for beside it stands, the CSV file does
// not appear at all, and the failure is told in the system's words.
TEST(ToolFailure, CsvFileThatCannotBeWritten) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  const auto report = folder / "report.txt";
  const auto target = folder / "missing" / "events.csv";

  const ReportRun run =
      RunReportWith({"--output", report.string(), "--csv", target.string(), archive.string()});

  EXPECT_EQ(run.exitStatus, kReportFailed);
  EXPECT_EQ(run.err, "telvoran-report: " + target.string() + ": " +
                         test::SystemErrorText(ENOENT, test::kWindowsPathNotFound) + "\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.zdr", "report.txt"}));
}

TEST(ToolFailure, StandardOutputThatCannotBeWritten) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  std::ostream broken(nullptr);  // no buffer: every write fails
  std::ostringstream err;

  const std::vector<std::string> arguments = {archive.string()};

  const int status = RunReport(arguments, broken, err, TELVORAN_BUILD_DIR, test::kBuildsPdfPrinter);

  EXPECT_EQ(status, kReportFailed);
  EXPECT_TRUE(err.str().starts_with("telvoran-report: standard output: ")) << err.str();
}

TEST(ToolRefusal, PrintoutOfABuildWithoutTheDesktopProgram) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  const auto report = folder / "report.txt";
  const auto printout = folder / "view.pdf";

  const ReportRun run =
      RunReportWith({"--output", report.string(), "--pdf", printout.string(), archive.string()},
                    TELVORAN_BUILD_DIR, nullptr);

  EXPECT_EQ(run.exitStatus, kReportRefused);
  EXPECT_EQ(run.err,
            "telvoran-report: --pdf: the PDF printout needs the desktop build of Telvoran; this "
            "telvoran-report was built without it\n");
  // Refused before anything was written: neither file appears.
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.zdr"});
}

#ifndef _WIN32
TEST(ToolFailure, ArchiveThatCannotBeOpenedGivesThePlatformText) {
  TempDir folder;
  const auto archive = folder.Write("a.zdr", std::vector{test::EventRecord(1)});
  ASSERT_EQ(::chmod(archive.c_str(), 0), 0);
  // The superuser reads a file whatever its permissions, so the tool runs in a child process
  // that gives them up first. Its exit code tells what happened.
  EXPECT_EXIT(
      {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && ::setuid(kNobody) != 0) std::_Exit(3);
        const ReportRun run = RunReportWith({archive.string()});
        std::_Exit(run.exitStatus != kReportFailed                     ? 1
                   : run.err != "telvoran-report: Permission denied\n" ? 2
                                                                       : 0);
      },
      testing::ExitedWithCode(0), "");
}
#endif

#if !defined(_WIN32) && !defined(TELVORAN_SANITIZED)
// Memory that runs out is said in the system's words, with the failure's exit status, not an
// abort.
TEST(ToolOutOfMemory, ReportToolSaysSoWithExitStatus2) {
  TempDir dir;
  using test::BuiltProgram;
  using test::ProgramRun;
  using test::RunProgram;
  ASSERT_EQ(RunProgram(BuiltProgram("telvoran-mkarchive"),
                       {"-o", "big.zdr", "-n", "1000000"}, dir.Path())
                .exitStatus,
            0);
  const ProgramRun run = RunProgram(
      "/bin/sh",
      {"-c", "ulimit -v 60000; exec \"$0\" \"$@\"", BuiltProgram("telvoran-report").string(),
       "--sort", "4", "big.zdr"},
      dir.Path());
  EXPECT_EQ(run.exitStatus, 2) << run.err;
  EXPECT_NE(run.err.find(platform::OutOfMemoryText()), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("terminate"), std::string::npos) << run.err;
}

#endif

}  // namespace
}  // namespace telvoran
