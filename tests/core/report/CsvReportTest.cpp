// The spreadsheet export: fields, lines of both archive kinds, and the file it writes.
#include "core/report/CsvReport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <system_error>

#include "core/report/CsvFields.h"
#include "support/ArchiveRecords.h"
#include "support/FakeReportSource.h"
#include "support/SystemErrorText.h"
#include "support/TempDir.h"

#ifdef __unix__
#include <unistd.h>
#endif

namespace telvoran {
namespace {

using test::DateBytes;
using test::FakeReportSource;
using test::MakeRecord;
using test::ReadBytes;
using test::TempDir;

std::string Quoted(std::string_view field) {
  std::string line;
  AppendCsvField(line, field);
  return line;
}

TEST(CsvField, QuotesOnlyFieldsThatNeedItAndDoublesTheirQuotes) {
  EXPECT_EQ(Quoted(""), "");
  EXPECT_EQ(Quoted("21.5"), "21.5");
  EXPECT_EQ(Quoted("a b;c\t'"), "a b;c\t'");
  EXPECT_EQ(Quoted("1,5"), "\"1,5\"");
  EXPECT_EQ(Quoted("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(Quoted("\""), "\"\"\"\"");
  EXPECT_EQ(Quoted("line\rend"), "\"line\rend\"");
  EXPECT_EQ(Quoted("line\nend"), "\"line\nend\"");
  EXPECT_EQ(Quoted("\xC5\xBC\xC3\xB3\xC5\x82w"), "\xC5\xBC\xC3\xB3\xC5\x82w");
}

std::string DateTimeOf(int year, int month, int day, int hour, int minute, int second) {
  const std::string bytes = DateBytes(year, month, day, hour, minute, second);
  return CsvDateTime(reinterpret_cast<const unsigned char*>(bytes.data()));
}

TEST(CsvDateTime, RealMomentsInIso8601) {
  EXPECT_EQ(DateTimeOf(5, 3, 14, 8, 0, 0), "2005-03-14T08:00:00");
  EXPECT_EQ(DateTimeOf(0, 1, 1, 0, 0, 0), "2000-01-01T00:00:00");
  EXPECT_EQ(DateTimeOf(99, 12, 31, 23, 59, 59), "2099-12-31T23:59:59");
  EXPECT_EQ(DateTimeOf(4, 2, 29, 12, 30, 5), "2004-02-29T12:30:05");
}

// Every date that names no real moment is text to a spreadsheet, hours a spreadsheet would
// count on into the next day included.
TEST(CsvDateTime, OtherDatesAsTheRowShowsThemMarkedAsText) {
  EXPECT_EQ(DateTimeOf(5, 13, 14, 8, 0, 0), "'2005-13-14T08:00:00");
  EXPECT_EQ(DateTimeOf(5, 2, 30, 8, 0, 0), "'2005-02-30T08:00:00");
  EXPECT_EQ(DateTimeOf(5, 3, 14, 24, 0, 0), "'2005-03-14T24:00:00");
  EXPECT_EQ(DateTimeOf(5, 3, 14, 30, 15, 0), "'2005-03-14T30:15:00");
  EXPECT_EQ(DateTimeOf(5, 3, 14, 8, 60, 0), "'2005-03-14T08:60:00");
  EXPECT_EQ(DateTimeOf(5, 3, 14, 8, 0, 60), "'2005-03-14T08:00:60");
  EXPECT_EQ(DateTimeOf(5, 0, 14, 8, 0, 0), "'2005-00-14T08:00:00");
  // Byte 5 decodes to -5; a byte of 255 to 245.
  EXPECT_EQ(DateTimeOf(5, -5, 14, 8, 0, 0), "'2005-0-5-14T08:00:00");
  EXPECT_EQ(DateTimeOf(245, 3, 14, 8, 0, 0), "'20245-03-14T08:00:00");
}

// A text a spreadsheet would take for a formula, or lose the first character of, is marked as
// text; numbers stay numbers.
TEST(CsvTextField, MarksTextThatASpreadsheetWouldEvaluate) {
  for (const std::string text : {"=1+1", "+49 1", "-x", "@SUM(A1)", "\tTab", "\rCR", "-"})
    EXPECT_EQ(CsvTextField(text), "'" + text) << text;
  for (const std::string text : {"", "a=1", "1-2", " =1", "\n=1", "'", "\xC5\x82-"})
    EXPECT_EQ(CsvTextField(text), text) << text;
  EXPECT_EQ(CsvText(" =A1"), "'=A1");
  EXPECT_EQ(CsvValue("=1+1 "), "'=1+1");
  EXPECT_EQ(CsvValue("-1,5 "), "-1.5");
  EXPECT_EQ(CsvValue("+2.5"), "2.5");
  EXPECT_EQ(CsvValue("- 1  "), "'- 1");
}

TEST(CsvValue, NumbersWithADotTextAsWrittenBlankEmpty) {
  EXPECT_EQ(CsvValue(" 21.5"), "21.5");
  EXPECT_EQ(CsvValue(" 21,5"), "21.5");
  EXPECT_EQ(CsvValue("-3,25"), "-3.25");
  EXPECT_EQ(CsvValue("  007"), "7");
  EXPECT_EQ(CsvValue("+1,50"), "1.50");
  EXPECT_EQ(CsvValue("-0,0 "), "0.0");
  EXPECT_EQ(CsvValue("     "), "");
  EXPECT_EQ(CsvValue(std::string_view("\0\0\0\0\0", 5)), "");
  EXPECT_EQ(CsvValue("  ERR"), "ERR");
  EXPECT_EQ(CsvValue("1.2.3"), "1.2.3");
  EXPECT_EQ(CsvValue("1e5  "), "1e5");
  EXPECT_EQ(CsvValue("\xB3\xB9k 1"), "\xC5\x82\xC4\x85k 1");  // łąk 1
  EXPECT_EQ(CsvValue(std::string_view("1\0"
                                      "2 ",
                                      4)),
            "1 2");
}

TEST(CsvText, TrimsPaddingAndConvertsToUtf8) {
  EXPECT_EQ(CsvText("AB  "), "AB");
  EXPECT_EQ(CsvText(" \xA3\xF3\xBF "), "\xC5\x81\xC3\xB3\xC5\xBC");  // Łóż
  EXPECT_EQ(CsvText(std::string_view("a\0b\0", 4)), "a b");
  EXPECT_EQ(CsvText(""), "");
}

// An interval archive's header with the given channel count; channel k's name and unit fields
// are taken from `names` and `units` (four characters each).
std::string Header(char count, std::vector<std::string> names, std::vector<std::string> units) {
  std::string header = std::string("H") + count;
  for (std::size_t k = 1; k <= names.size(); ++k) {
    header.resize(26 * k - 24, ' ');
    header += names[k - 1] + units[k - 1];
  }
  header.resize(132, ' ');
  return header;
}

ArchiveRecord IntervalValues(std::string_view dateBytes, std::string_view values) {
  return MakeRecord(std::string(dateBytes) + std::string(values), kIntervalKind);
}

FakeReportSource IntervalSource(char count, std::vector<std::string> names,
                                std::vector<std::string> units) {
  FakeReportSource source;
  source.kind = ArchiveKind::Interval;
  source.intervalHeader = Header(count, std::move(names), std::move(units));
  return source;
}

TEST(CsvInterval, HeadsOneColumnPerChannelTheHeaderNames) {
  EXPECT_EQ(CsvHeadingLine(IntervalSource('0', {}, {})), "date_time");
  EXPECT_EQ(CsvHeadingLine(IntervalSource('2',
                                          {"T1  ",
                                           "P\xB3"
                                           "a "},
                                          {"\xB0"
                                           "C  ",
                                           "bar "})),
            "date_time,T1 [\xC2\xB0"
            "C],P\xC5\x82"
            "a [bar]");
  // A blank name is the channel's number; a blank unit leaves the brackets out; a comma or a
  // quote in a name is quoted.
  EXPECT_EQ(CsvHeadingLine(IntervalSource('4', {"    ", "A,B ", "Q\"  ", "X   "},
                                          {"m   ", "    ", "s   ", "\"   "})),
            "date_time,1 [m],\"A,B\",\"Q\"\" [s]\",\"X [\"\"]\"");
  // A header without a valid count names no channel.
  EXPECT_EQ(CsvHeadingLine(IntervalSource('7', {"T1  "}, {"C   "})), "date_time");
}

TEST(CsvInterval, HeadingsAndValuesASpreadsheetWouldEvaluateAreText) {
  FakeReportSource source = IntervalSource('3', {"=1+1", "@A  ", "-   "}, {"kPa ", "    ", "=A1 "});
  EXPECT_EQ(CsvHeadingLine(source), "date_time,'=1+1 [kPa],'@A,'- [=A1]");
  source.records = {IntervalValues(DateBytes(5, 3, 14, 8, 0, 0), "=A1  -1,5 +1+1 ")};
  EXPECT_EQ(CsvRowLine(source, 0), "2005-03-14T08:00:00,'=A1,-1.5,'+1+1");
}

TEST(CsvInterval, RowsGiveTheValuesOfThePresentChannelsOnly) {
  FakeReportSource source = IntervalSource('3', {"A   ", "B   ", "C   "}, {"u   ", "v   ", "w   "});
  const std::string date = DateBytes(5, 3, 14, 8, 0, 0);
  source.records = {
      IntervalValues(date, " 21.5 21,5  ERR     9.999"),
      IntervalValues(DateBytes(5, 2, 30, 8, 0, 0), "1,2,3\"a\"b \xB3\xB9k  "),
      IntervalValues(date, std::string_view("\0\0\0\0\0-0.10 1 2 ", 15)),
  };
  EXPECT_EQ(CsvRowLine(source, 0), "2005-03-14T08:00:00,21.5,21.5,ERR");
  EXPECT_EQ(CsvRowLine(source, 1),
            "'2005-02-30T08:00:00,\"1,2,3\",\"\"\"a\"\"b\",\xC5\x82\xC4\x85k");
  EXPECT_EQ(CsvRowLine(source, 2), "2005-03-14T08:00:00,,-0.10,1 2");
}

TEST(CsvInterval, NoChannelsGivesTheDatesAlone) {
  FakeReportSource source = IntervalSource('0', {}, {});
  source.records = {IntervalValues(DateBytes(5, 3, 14, 8, 0, 0), " 21.5")};
  EXPECT_EQ(CsvRowLine(source, 0), "2005-03-14T08:00:00");
}

// An event record: address byte, date, channel, code, then reading, medium and unit.
ArchiveRecord EventValues(int address, char channel, char code, std::string_view fields) {
  return MakeRecord(std::string(1, static_cast<char>(address + 10)) + DateBytes(9, 3, 5, 7, 4, 9) +
                        channel + code + std::string(fields),
                    kEventKind);
}

FakeReportSource EventSource() {
  FakeReportSource source;
  source.kind = ArchiveKind::Event;
  source.situations = {{'H', "Alarm wysoki, \"g\xF3ra\"2"},
                       {'O',
                        "Za\xB3\xB9"
                        "czenie5"},
                       {'G', "Norma0"}};
  return source;
}

TEST(CsvEvent, HeadingNamesTheEightFields) {
  EXPECT_EQ(CsvHeadingLine(EventSource()),
            "date_time,central_unit,channel,medium,value,unit,situation,situation_text");
}

TEST(CsvEvent, RowsGiveTheRecordsFieldsAndTheSituationText) {
  FakeReportSource source = EventSource();
  source.records = {
      EventValues(5, '2', 'H', " 45,0AB  cd  "),
      EventValues(42, '7', 'G',
                  "  ERR\xA3\xF3"
                  "d,\"%\"  "),
      // O shows no channel columns, whatever the record holds there.
      EventValues(5, '2', 'O', " 45.0AB  cd  "),
      // A code outside the table: no digit and no text.
      EventValues(5, '2', 'h', " 45.0AB  cd  "),
      // A zero byte in the reading ends the record text: medium and unit are empty.
      EventValues(5, '3', 'G',
                  std::string_view(" 4\0"
                                   "5.AB  cd  ",
                                   13)),
      // An address beyond two digits is written as the number it is; a zero channel byte ends
      // the record text there, so medium, reading and unit are empty.
      EventValues(150, '\0', 'G', "     AB  cd  "),
  };
  EXPECT_EQ(CsvRowLine(source, 0),
            "2009-03-05T07:04:09,5,2,AB,45.0,cd,2,\"Alarm wysoki, \"\"g\xC3\xB3ra\"\"\"");
  EXPECT_EQ(CsvRowLine(source, 1),
            "2009-03-05T07:04:09,42,7,\"\xC5\x81\xC3\xB3"
            "d,\",ERR,\"\"\"%\"\"\",0,Norma");
  EXPECT_EQ(CsvRowLine(source, 2),
            "2009-03-05T07:04:09,,,,,,5,Za\xC5\x82\xC4\x85"
            "czenie");
  EXPECT_EQ(CsvRowLine(source, 3), "2009-03-05T07:04:09,,,,,,,");
  EXPECT_EQ(CsvRowLine(source, 4), "2009-03-05T07:04:09,5,3,,4,,0,Norma");
  EXPECT_EQ(CsvRowLine(source, 5), "2009-03-05T07:04:09,150,,,,,0,Norma");
}

TEST(CsvEvent, FieldsASpreadsheetWouldEvaluateAreText) {
  FakeReportSource source = EventSource();
  source.situations['W'] = "=HYPERLINK(\"x\")4";
  source.records = {EventValues(5, '-', 'W', "=1+1 @cm +kg ")};
  EXPECT_EQ(CsvRowLine(source, 0),
            "2009-03-05T07:04:09,5,'-,'@cm,'=1+1,'+kg,4,\"'=HYPERLINK(\"\"x\"\")\"");
}

std::string PlatformText(int error) {
  return std::generic_category().message(error);
}

TEST(CsvReport, WritesTheHeadingAndEveryRowInListOrderEndedByCrLf) {
  TempDir folder;
  FakeReportSource source = EventSource();
  source.records = {EventValues(5, '2', 'H', " 45,0AB  cd  "), EventValues(1, '1', 'O', "")};
  const auto target = folder / "events.csv";
  ASSERT_EQ(WriteCsvReport(source, target), std::nullopt);
  const std::string expected =
      "date_time,central_unit,channel,medium,value,unit,situation,situation_text\r\n"
      "2009-03-05T07:04:09,5,2,AB,45.0,cd,2,\"Alarm wysoki, \"\"g\xC3\xB3ra\"\"\"\r\n"
      "2009-03-05T07:04:09,,,,,,5,Za\xC5\x82\xC4\x85"
      "czenie\r\n";
  EXPECT_EQ(ReadBytes(target), expected);

  std::ostringstream out;
  EXPECT_EQ(WriteCsvReport(source, out), std::nullopt);
  EXPECT_EQ(out.str(), expected);
}

TEST(CsvReport, AViewWithoutRowsGivesTheHeadingLineAlone) {
  TempDir folder;
  const auto target = folder / "empty.csv";
  ASSERT_EQ(WriteCsvReport(IntervalSource('1', {"T   "}, {"C   "}), target), std::nullopt);
  EXPECT_EQ(ReadBytes(target), "date_time,T [C]\r\n");
}

TEST(CsvReport, ReplacesAnExistingFileWhole) {
  TempDir folder;
  const auto target = folder.Write("data.csv", std::string(100000, 'x'));
  FakeReportSource source = IntervalSource('1', {"T   "}, {"C   "});
  source.records =
      std::vector<ArchiveRecord>(20000, IntervalValues(DateBytes(5, 3, 14, 8, 0, 0), " 21,5"));
  ASSERT_EQ(WriteCsvReport(source, target), std::nullopt);
  const std::string line = "2005-03-14T08:00:00,21.5\r\n";
  EXPECT_EQ(std::filesystem::file_size(target), 17 + 20000 * line.size());
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.csv"});
}

TEST(CsvReport, AFailureIsToldInTheSystemsWordsAndLeavesNothing) {
  TempDir folder;
  EXPECT_EQ(WriteCsvReport(EventSource(), folder / "missing" / "e.csv"),
            test::SystemErrorText(ENOENT, test::kWindowsPathNotFound));
  EXPECT_TRUE(folder.Entries().empty());
#ifdef __unix__
  if (geteuid() == 0) return;  // the superuser may write into any folder
  std::filesystem::create_directory(folder / "locked");
  std::filesystem::permissions(
      folder / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(WriteCsvReport(EventSource(), folder / "locked" / "e.csv"), PlatformText(EACCES));
  EXPECT_TRUE(std::filesystem::is_empty(folder / "locked"));
#endif
}

TEST(CsvReport, AStreamThatTakesNothingIsReported) {
  std::ostream broken(nullptr);
  EXPECT_EQ(WriteCsvReport(EventSource(), broken), PlatformText(EIO));
}

}  // namespace
}  // namespace telvoran
