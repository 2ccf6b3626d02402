#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tools/MkArchiveTestSupport.h"
#include "tools/mkarchive/OptionHandlers.h"
#include "tools/mkarchive/OptionParser.h"
#include "tools/mkarchive/UsageText.h"

namespace telvoran {
namespace {

using test::RunTool;

struct BadArguments {
  std::vector<std::string> arguments;
  std::string messagePart;
};

void PrintTo(const BadArguments& bad, std::ostream* out) {
  for (const auto& argument : bad.arguments) *out << argument << ' ';
}

class RefusedCommandLine : public ::testing::TestWithParam<BadArguments> {};

TEST_P(RefusedCommandLine, ExitsWithStatus2AndSaysWhy) {
  const auto run = RunTool(GetParam().arguments);
  EXPECT_EQ(run.exitStatus, kExitUsage);
  EXPECT_NE(run.err.find(GetParam().messagePart), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--help"), std::string::npos);
  EXPECT_TRUE(run.out.empty());
}

// Every case is refused before anything is written, so its file names never reach the disk.
INSTANTIATE_TEST_SUITE_P(
    MkArchive, RefusedCommandLine,
    ::testing::Values(
        BadArguments{{}, "no output file"}, BadArguments{{"--records", "5"}, "no output file"},
        BadArguments{{"-o", "a.txt"}, "--kind"},
        BadArguments{{"-o", "a.czt", "--kind", "alarm"}, "'alarm'"},
        BadArguments{{"-o", "a.czt", "--colour", "red"}, "unknown option '--colour'"},
        BadArguments{{"-o", "a.czt", "stray"}, "unexpected argument 'stray'"},
        BadArguments{{"-o", "a.czt", "one", "--two", "three"}, "unexpected argument 'one'"},
        BadArguments{{"-o", "a.czt", "--records"}, "--records: 1 required"},
        BadArguments{{"-o", "a.czt", "--help=yes"}, "disallowed flag override"},
        BadArguments{{"-o", "a.czt", "--version=1"}, "disallowed flag override"},
        BadArguments{{"-o", "a.czt", "-n=5"}, "--records: '=5'"},
        BadArguments{{"-o", "a.czt", "--records", "-3"}, "--records: '-3'"},
        BadArguments{{"-o", "a.czt", "--records", "12x"}, "--records: '12x'"},
        BadArguments{{"-o", "a.czt", "--channels", "5"}, "from 0 to 4"},
        BadArguments{{"-o", "a.zdr", "--channels", "0"}, "at least one channel"},
        BadArguments{{"-o", "a.czt", "--start", "2005-02-30"}, "--start: '2005-02-30'"},
        BadArguments{{"-o", "a.czt", "--start", "2005-03-14T25:00"}, "--start"},
        BadArguments{{"-o", "a.czt", "--start", "1999-12-31"}, "2000 to 2099"},
        BadArguments{{"-o", "a.czt", "--start", "2099-12-31", "--step", "1d"}, "past the end"},
        BadArguments{{"-o", "a.czt", "--step", "15x"}, "--step: '15x'"},
        BadArguments{{"-o", "a.czt", "--name", "T1"}, "K=VALUE"},
        BadArguments{{"-o", "a.czt", "--name", "5=T1"}, "from 1 to 4"},
        BadArguments{{"-o", "a.czt", "--name", "1=Temp1"}, "longer than 4"},
        BadArguments{{"-o", "a.czt", "--unit", "1=\xE2\x82\xBD"}, "Windows-1250 lacks"},
        BadArguments{{"-o", "a.czt", "--format", "%6.1f"}, "not a value format"},
        BadArguments{{"-o", "a.czt", "--format", "fixed:4"}, "not a value format"},
        BadArguments{{"-o", "a.czt", "--range", "1=9:2"}, "runs backwards"},
        BadArguments{{"-o", "a.czt", "--range", "1=0:abc"}, "'abc' is not a number"},
        BadArguments{{"-o", "a.czt", "--range", "0:100000"}, "longer than 5 characters"},
        BadArguments{{"-o", "a.czt", "--range", "-10:10", "--format", "fixed:3"}, "-10.000"},
        BadArguments{{"-o", "a.czt", "--duplicates", "101"}, "from 0 to 100"},
        BadArguments{{"-o", "a.czt", "--shuffle", "101"}, "from 0 to 100"},
        BadArguments{{"-o", "a.czt", "--address", "3"}, "event archives only"},
        BadArguments{{"-o", "a.zdr", "--address", "100"}, "from 0 to 99"},
        BadArguments{{"-o", "a.zdr", "--address", "9-2"}, "runs backwards"},
        BadArguments{{"-o", "a.zdr", "--codes", "G=1,Q=2"}, "'Q' is not one of"},
        BadArguments{{"-o", "a.zdr", "--codes", "G=0"}, "at least one weight"},
        BadArguments{{"-o", "a.zdr", "--other-codes", "XG"}, "other than G"},
        BadArguments{{"-o", "a.zdr", "--header-kind", "33"}, "interval archives only"},
        BadArguments{{"-o", "a.czt", "--header-kind", "40"}, "26 or 33"},
        BadArguments{{"-o", "a.czt", "--header-records", "5"}, "from 1 to 4"},
        BadArguments{{"-o", "a.czt", "--count-char", "55"}, "one character"},
        BadArguments{{"-o", "a.czt", "--wrong-kind", "5"}, "RECORD:KIND"},
        BadArguments{{"-o", "a.czt", "--wrong-kind", "0:33"}, "--wrong-kind: '0'"},
        BadArguments{{"-o", "a.czt", "-n", "3", "--wrong-kind", "8:33"}, "past the last"},
        BadArguments{{"-o", "a.czt", "--wrong-kind", "5:4294967296"}, "'4294967296'"},
        BadArguments{{"-o", "a.czt", "--zero", "5:40"}, "from 0 to 39"},
        BadArguments{{"-o", "a.czt", "--zero", "5:address"}, "neither a byte offset"},
        BadArguments{{"-o", "a.czt", "--set-byte", "5:year"}, "RECORD:OFFSET=VALUE"},
        BadArguments{{"-o", "a.czt", "--set-byte", "5:year=256"}, "from 0 to 255"},
        BadArguments{{"-o", "a.czt", "--trailing", "40"}, "from 0 to 39"}));

TEST(MkArchiveArguments, TakesTheKindFromTheExtensionUnlessGiven) {
  const std::vector<std::string> zdr = {"-o", "x.zdr"};
  EXPECT_EQ(ParseMkArchiveOptions(zdr).kind, ArchiveKind::kEvent);
  const std::vector<std::string> upperCase = {"-o", "DATA.CZT", "--kind", "interval"};
  EXPECT_EQ(ParseMkArchiveOptions(upperCase).kind, ArchiveKind::kInterval);
  const std::vector<std::string> mismatch = {"-o", "x.czt", "-k", "event"};
  EXPECT_EQ(ParseMkArchiveOptions(mismatch).kind, ArchiveKind::kEvent);
}

TEST(MkArchiveArguments, AcceptsBothValueSpellingsAndConvertsTextToWindows1250) {
  const std::vector<std::string> arguments = {
      "--output=x.czt", "--records=7",      "--unit",     "2=°C",
      "--name=1=Łódź",  "--format=1=%5.2f", "--start",    "2005-03-14 08:05",
      "--count-char",   "missing",          "--set-byte", "6:month=255"};
  const MkArchiveOptions options = ParseMkArchiveOptions(arguments);
  EXPECT_EQ(options.records, 7u);
  EXPECT_EQ(options.channels[1].label.unit,
            "\xB0"
            "C");
  EXPECT_EQ(options.channels[0].label.name, "\xA3\xF3\x64\x9F");
  EXPECT_EQ(options.channels[0].format, (ValueFormat{ValueFormat::Style::kFixed, 2}));
  EXPECT_EQ(options.start, (DateTime{2005, 3, 14, 8, 5, 0}));
  EXPECT_EQ(options.channelCountCharacter, '\0');
  ASSERT_EQ(options.overrides.bytes.size(), 1u);
  EXPECT_EQ(options.overrides.bytes[0].recordNumber, 6u);
  EXPECT_EQ(options.overrides.bytes[0].offset, 1u);
  EXPECT_EQ(options.overrides.bytes[0].value, 255);
}

TEST(MkArchiveArguments, RepeatedOptionsApplyInTheOrderGiven) {
  const std::vector<std::string> everyThenOne = {
      "-o", "x.czt", "--range", "0:10", "--range", "2=5:6", "-n", "3", "--records", "4"};
  const MkArchiveOptions first = ParseMkArchiveOptions(everyThenOne);
  EXPECT_EQ(first.channels[0].maximum, 10);
  EXPECT_EQ(first.channels[1].maximum, 6);
  EXPECT_EQ(first.records, 4u);

  const std::vector<std::string> oneThenEvery = {"--range=2=5:6", "-o", "x.czt", "--range=0:10"};
  const MkArchiveOptions second = ParseMkArchiveOptions(oneThenEvery);
  EXPECT_EQ(second.channels[1].maximum, 10);
}

TEST(MkArchiveArguments, VersionNeedsNothingElse) {
  const auto run = RunTool({"--version"});
  EXPECT_EQ(run.exitStatus, kExitSuccess);
  EXPECT_TRUE(std::regex_match(run.out, std::regex("telvoran-mkarchive [0-9]+\\.[0-9]+\n")))
      << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(MkArchiveArguments, HelpWinsOverEverythingElseAndDocumentsEveryOption) {
  const auto run = RunTool({"--records", "oops", "--help"});
  EXPECT_EQ(run.exitStatus, kExitSuccess);
  EXPECT_EQ(run.out, MkArchiveUsageText());
  for (const OptionHandler& handler : MkArchiveOptionHandlers()) {
    EXPECT_NE(run.out.find("--" + std::string(handler.name)), std::string::npos) << handler.name;
  }
  EXPECT_NE(run.out.find("--version"), std::string::npos);
}

}  // namespace
}  // namespace telvoran
