// The daily summary against sums kept while a small plant folder was made: days of one unit
// with blank values, a record past the span, a day whose header names another channel, a day
// that cannot be read, and alarms of two units; then its report and CSV lines.
#include "core/plant/DailySummary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>

#include "core/plant/SummaryDays.h"
#include "core/plant/SummaryReport.h"
#include "support/ChartRecords.h"
#include "support/FakeStrings.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using test::DateBytesOf;
using test::MakeRecord;

constexpr ArchiveSeconds kDay = 86400;

std::vector<ArchiveRecord> Header(std::string text) {
  text.resize(4 * kRecordTextLength, ' ');
  std::vector<ArchiveRecord> records;
  for (std::size_t i = 0; i < 4; ++i)
    records.push_back(
        MakeRecord(text.substr(kRecordTextLength * i, kRecordTextLength), kIntervalKind));
  return records;
}

ArchiveRecord Alarm(int unit, ArchiveSeconds time, char code) {
  return MakeRecord(std::string(1, static_cast<char>(10 + unit)) + DateBytesOf(time) + "2" + code +
                        " 45.0AB  cd  ",
                    kEventKind);
}

// What the summary should say, kept while the files were written.
struct Expected {
  std::map<std::pair<ArchiveSeconds, std::string>, ChannelDay> values;  // by day and channel
  std::map<ArchiveSeconds, std::map<char, std::uint32_t>> alarms;
};

TEST(DailySummaryTest, AgreesWithTheValuesWrittenAndNamesTheDayThatCannotBeRead) {
  test::TempDir dir;
  test::FakeStrings strings = test::NumberedStrings();
  strings.Set(349, "Unit ");
  const ArchiveSeconds first = ToArchiveSeconds({2005, 3, 1, 0, 0, 0});
  std::mt19937 random(7);
  std::uniform_int_distribution<int> tenths(-999, 9999);
  Expected expected;

  SummaryFiles files;
  files.unit = 7;
  files.firstDay = first;
  files.lastDay = first + 3 * kDay;  // four days; the last has no file
  for (int d = 0; d < 3; ++d) {
    const ArchiveSeconds midnight = first + d * kDay;
    // Day 1 names its second channel otherwise: a column of its own.
    const std::vector<std::string> names{"T1", d == 1 ? "P9" : "T2"};
    std::string header = "H2";
    for (std::size_t k = 1; k <= 2; ++k) {
      header.resize(26 * k - 24, ' ');
      header += names[k - 1] + "  degC";
    }
    std::vector<ArchiveRecord> records = Header(header);
    for (int i = 0; i < 96; ++i) {
      const ArchiveSeconds time = midnight + i * 900;
      std::string values;
      for (std::size_t k = 0; k < 2; ++k) {
        if ((i + static_cast<int>(k)) % 17 == 0) {
          values += "     ";  // blank: no value
          continue;
        }
        const int value = tenths(random);
        char text[8];
        std::snprintf(text, sizeof text, "%5.1f", value / 10.0);
        values += text;
        expected.values[{midnight, names[k]}].Add(value / 10.0, time);
      }
      records.push_back(test::IntervalRecordAt(time, values));
    }
    // A record of the day after the span's end is left out.
    if (d == 2) records.push_back(test::IntervalRecordAt(first + 10 * kDay, "  1.0  2.0"));
    char name[32];
    std::snprintf(name, sizeof name, "2005-03-%02d  07.czt", d + 1);
    files.dayFiles.push_back(dir.Write(name, records));
  }
  files.dayFiles.push_back(dir.Write("2005-03-05  07.czt", Header("H9 broken")));

  std::vector<ArchiveRecord> events;
  for (int i = 0; i < 200; ++i) {
    const int unit = i % 3 == 0 ? 8 : 7;
    const ArchiveSeconds time = first - kDay + i * 2000 + i % 7;
    const char code = "GLHMWOF"[i % 7];
    events.push_back(Alarm(unit, time, code));
    if (unit == 7 && time >= first && time < first + 4 * kDay) ++expected.alarms[DayOf(time)][code];
  }
  files.eventFiles.push_back(dir.Write("alarm2005.zdr", events));

  const DailySummary summary = SummarizeDays(files, strings);
  ASSERT_EQ(summary.unreadable.size(), 1u);
  EXPECT_EQ(summary.unreadable[0].first, files.dayFiles.back());
  EXPECT_FALSE(summary.unreadable[0].second.empty()) << "the failure's text";

  ASSERT_EQ(summary.channels.size(), 3u);
  std::vector<std::string> names;
  for (const SummaryChannel& channel : summary.channels) names.push_back(channel.name);
  EXPECT_EQ(names, std::vector<std::string>({"T1", "T2", "P9"}));
  ASSERT_EQ(summary.days.size(), 4u) << "three days of files and one of alarms only";
  std::size_t compared = 0;
  for (const SummaryDay& day : summary.days) {
    SCOPED_TRACE(FormatArchiveTime(day.day));
    ASSERT_EQ(day.channels.size(), 3u);
    for (std::size_t c = 0; c < 3; ++c) {
      const auto it = expected.values.find({day.day, names[c]});
      const ChannelDay want = it == expected.values.end() ? ChannelDay{} : it->second;
      const ChannelDay& got = day.channels[c];
      EXPECT_EQ(got.count, want.count) << names[c];
      if (!want.count) continue;
      ++compared;
      EXPECT_NEAR(got.minimum, want.minimum, 1e-4);
      EXPECT_NEAR(got.maximum, want.maximum, 1e-4);
      EXPECT_EQ(got.minimumTime, want.minimumTime);
      EXPECT_EQ(got.maximumTime, want.maximumTime);
      EXPECT_NEAR(got.Mean(), want.Mean(), 1e-3);
    }
    EXPECT_EQ(day.alarms, expected.alarms[day.day]);
  }
  EXPECT_EQ(compared, 6u);
  EXPECT_EQ(summary.situations, "GLHMWOF");

  // A row a day and channel, in the report and in the CSV, whose heading names each situation.
  const SummaryReport report(summary, strings);
  EXPECT_EQ(report.RowCount(), 12u);
  EXPECT_EQ(report.Caption(), "Unit 07, 2005-03-01 - 2005-03-04");
  const std::vector<std::string> csv = SummaryCsvLines(summary);
  ASSERT_EQ(csv.size(), 12u);
  EXPECT_EQ(SummaryCsvHeadingLine(summary),
            "day,channel,count,minimum,minimum_time,maximum,maximum_time,mean,alarms_G,alarms_L,"
            "alarms_H,alarms_M,alarms_W,alarms_O,alarms_F");
  EXPECT_TRUE(csv[0].starts_with("2005-03-01,T1 [degC],")) << csv[0];
  EXPECT_TRUE(csv[2].starts_with("2005-03-01,P9 [degC],0,,,,,,")) << csv[2];
  EXPECT_NE(csv[0].find(",2005-03-01T"), std::string::npos) << "full moments";
  EXPECT_TRUE(std::string(report.DisplayText(0)).starts_with("2005-03-01  T1 [degC]"));
}

TEST(DailySummaryTest, StopsBetweenFilesWhenCancelled) {
  const test::FakeStrings strings = test::NumberedStrings();
  SummaryFiles files;
  files.dayFiles = {"nowhere-a.czt", "nowhere-b.czt"};
  const std::atomic<bool> cancel{true};
  const DailySummary summary = SummarizeDays(files, strings, &cancel);
  EXPECT_TRUE(summary.cancelled);
  EXPECT_TRUE(summary.unreadable.empty()) << "no file was looked at";
}

// The days a catalogue hands over and those a listing of the year's folder finds are the same
// files, and so the same summary: a second copy of a day, another unit's days, a name of
// neither kind, the year's event archive above the folder and one beside the days.
TEST(DailySummaryTest, DaysHandedFromACatalogueSummarizeAsAListingOfTheFolder) {
  test::TempDir dir;
  test::FakeStrings strings = test::NumberedStrings();
  std::filesystem::create_directories(dir / "plant/2005");
  const ArchiveSeconds first = ToArchiveSeconds({2005, 3, 1, 0, 0, 0});
  std::vector<std::filesystem::path> unitDays;
  for (int d = 0; d < 9; ++d) {
    if (d == 4) continue;
    for (int unit : {7, 8}) {
      std::vector<ArchiveRecord> records = Header("H1  T1  degC");
      for (int i = 0; i < 4; ++i)
        records.push_back(test::IntervalRecordAt(first + d * kDay + i * 3600,
                                                 " " + std::to_string(unit * 10 + d + i) + ".0"));
      char name[32];
      std::snprintf(name, sizeof name, "plant/2005/2005-03-%02d_C%02d.czt", d + 1, unit);
      const std::filesystem::path path = dir.Write(name, records);
      if (unit == 7 && d >= 1 && d <= 7) unitDays.push_back(path);
    }
  }
  dir.Write("plant/2005/2005-03-03xC07.czt", Header("H1  X9  bar"));  // a second copy
  dir.Write("plant/2005/notes.txt", "not an archive");
  std::vector<ArchiveRecord> alarms;
  for (int i = 0; i < 40; ++i) alarms.push_back(Alarm(7 + i % 2, first + i * 20000, "GLH"[i % 3]));
  const std::filesystem::path above = dir.Write("plant/alarm2005.zdr", alarms);
  const std::filesystem::path beside = dir.Write("plant/2005/alarm.zdr", alarms);

  plant::FolderCatalogue catalogue(dir / "plant");
  ASSERT_TRUE(catalogue.Read());
  using namespace std::chrono;
  const plant::Day from = year{2005} / March / 2;
  const plant::Day to = year{2005} / March / 8;
  const SummaryFiles handed = plant::SummaryFilesOfCatalogue(catalogue, 7, from, to);
  const SummaryFiles listed = plant::SummaryFilesOfFolder(dir / "plant/2005", 7, from, to);
  EXPECT_EQ(handed.dayFiles, unitDays);
  EXPECT_EQ(listed.dayFiles, unitDays);
  EXPECT_EQ(handed.eventFiles, (std::vector{beside, above}));
  EXPECT_EQ(listed.eventFiles, handed.eventFiles);
  EXPECT_EQ(listed.firstDay, first + kDay);
  EXPECT_EQ(listed.lastDay, handed.lastDay);

  const SummaryReport fromCatalogue(SummarizeDays(handed, strings), strings);
  const SummaryReport fromListing(SummarizeDays(listed, strings), strings);
  ASSERT_EQ(fromCatalogue.RowCount(), 7u);
  ASSERT_EQ(fromListing.RowCount(), fromCatalogue.RowCount());
  for (std::size_t row = 0; row < fromListing.RowCount(); ++row)
    EXPECT_EQ(fromListing.DisplayText(row), fromCatalogue.DisplayText(row)) << row;

  // A catalogue of the year's folder alone still finds the year's event archive above it.
  plant::FolderCatalogue yearOnly(dir / "plant/2005");
  ASSERT_TRUE(yearOnly.Read());
  EXPECT_EQ(plant::SummaryFilesOfCatalogue(yearOnly, 7, from, to).eventFiles, handed.eventFiles);
}

}  // namespace
}  // namespace telvoran
