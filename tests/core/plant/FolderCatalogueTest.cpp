#include "core/plant/FolderCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace telvoran::plant {
namespace {

using test::TempDir;

std::string Bytes(std::size_t records, std::size_t tail = 0) {
  return std::string(records * 40 + tail, 'x');
}

TEST(FolderCatalogueTest, NamesAreSortedIntoDaysEventsAndOthers) {
  struct Case {
    const char* name;
    int unit;  // -1: not a day of a unit
    const char* day;
  };
  const std::vector<Case> cases = {
      {"2005-03-14_C07.czt", 7, "2005-03-14"},
      {"2005-03-15xx00.czt", 0, "2005-03-15"},        // characters 11 and 12 are not read
      {"2005-03-16_C99_copy.czt", 99, "2005-03-16"},  // more after the unit
      {"2004-02-29_C01.czt", 1, "2004-02-29"},        // a leap day
      {"2005-02-29_C01.czt", -1, ""},                 // no such day
      {"2005-13-01_C01.czt", -1, ""},
      {"2005-3-14_C07.czt", -1, ""},
      {"2005-03-14_C7.czt", -1, ""},  // unit of one digit
      {"2005-03-14_C0x.czt", -1, ""},
      {"2005-03-14.czt", -1, ""},      // too short for a unit
      {"2005-03-14_C07.CZT", -1, ""},  // upper case is another kind
      {"2005-03-14_C07.czt.bak", -1, ""},
      {"2005-03-14_C08.zdr", -1, ""},  // an event archive, however named
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<DayAndUnit> key = DayAndUnitOfName(c.name);
    ASSERT_EQ(key.has_value(), c.unit >= 0);
    if (!key) continue;
    EXPECT_EQ(key->unit, c.unit);
    EXPECT_EQ(DayText(key->day), c.day);
  }
}

TEST(FolderCatalogueTest, ListsSubfoldersWithRecordsFromSizes) {
  TempDir dir;
  std::filesystem::create_directories(dir / "2005" / "deep");
  dir.Write("2005-03-14_C07.czt", Bytes(4 + 96));
  dir.Write("2005/2005-03-15_C07.czt", Bytes(4 + 3, 17));  // a partial record is not counted
  dir.Write("2005/deep/2005-03-16_C07.czt", Bytes(2));     // header cut short: no records
  dir.Write("2005/2005-03-14_C07.czt", Bytes(4 + 1));      // a second copy of a day
  dir.Write("2005-03-14_C02.czt", Bytes(5));
  dir.Write("alarm2005.zdr", Bytes(12));
  dir.Write("2005/alarm2006.zdr", Bytes(3));
  dir.Write("notes.txt", "x");
  dir.Write(PathFromUtf8("zażółć.czt"), Bytes(5));

  FolderCatalogue catalogue(dir.Path());
  ASSERT_TRUE(catalogue.Read());
  EXPECT_EQ(catalogue.Units(), (std::vector<int>{2, 7}));
  std::vector<std::string> names;
  std::vector<std::uint64_t> records;
  for (const DayFile* file : catalogue.DaysOfUnit(7)) {
    names.push_back(file->name);
    records.push_back(file->Records());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"2005-03-14_C07.czt", "2005/2005-03-15_C07.czt",
                                             "2005/deep/2005-03-16_C07.czt"}));
  EXPECT_EQ(records, (std::vector<std::uint64_t>{96, 3, 0}));
  ASSERT_EQ(catalogue.EventArchives().size(), 2u);
  EXPECT_EQ(catalogue.EventArchives()[0].name, "2005/alarm2006.zdr");
  EXPECT_EQ(catalogue.EventArchives()[1].size, 12u * 40);
  std::vector<std::string> others;
  for (const OtherFile& file : catalogue.OtherFiles())
    others.push_back(file.name + (file.reason == OtherReason::kSecondCopy ? " (copy)" : ""));
  EXPECT_EQ(others, (std::vector<std::string>{"2005/2005-03-14_C07.czt (copy)", "notes.txt",
                                              "zażółć.czt"}));
  EXPECT_EQ(DayText(*catalogue.FirstDay()), "2005-03-14");
  EXPECT_EQ(DayText(*catalogue.LastDay()), "2005-03-16");
}

TEST(FolderCatalogueTest, SpanTakesBothEndsAndSkipsMissingDays) {
  TempDir dir;
  for (const char* day : {"2005-02-27", "2005-02-28", "2005-03-02", "2005-03-03"})
    dir.Write(std::string(day) + "_C01.czt", Bytes(5));
  FolderCatalogue catalogue(dir.Path());
  ASSERT_TRUE(catalogue.Read());
  auto span = [&](const char* from, const char* to) {
    std::string days;
    for (const DayFile* file : catalogue.Span(1, *DayFromText(from), *DayFromText(to)))
      days += DayText(file->day).substr(5) + " ";
    return days;
  };
  EXPECT_EQ(span("2005-02-28", "2005-03-02"), "02-28 03-02 ");
  EXPECT_EQ(span("2005-02-20", "2005-02-27"), "02-27 ");
  EXPECT_EQ(span("2005-03-03", "2005-03-03"), "03-03 ");
  EXPECT_EQ(span("2005-03-01", "2005-03-01"), "");
  EXPECT_EQ(span("2005-03-03", "2005-02-27"), "");  // backwards
  EXPECT_TRUE(catalogue.Span(2, *DayFromText("2000-01-01"), *DayFromText("2099-01-01")).empty());
}

TEST(FolderCatalogueTest, RefreshTellsWhatAppearedGrewAndWent) {
  TempDir dir;
  dir.Write("2005-03-14_C07.czt", Bytes(6));
  dir.Write("2005-03-13_C07.czt", Bytes(6));
  dir.Write("alarm.zdr", Bytes(1));
  FolderCatalogue catalogue(dir.Path());
  ASSERT_TRUE(catalogue.Read());
  EXPECT_FALSE(catalogue.Refresh().Any());

  dir.Write("2005-03-14_C07.czt", Bytes(7));
  dir.Write("2005-03-15_C07.czt", Bytes(5));
  dir.Write("alarm.zdr", Bytes(2));
  std::filesystem::remove(dir / "2005-03-13_C07.czt");
  const CatalogueChanges changes = catalogue.Refresh();
  ASSERT_EQ(changes.daysAppeared.size(), 1u);
  EXPECT_EQ(changes.daysAppeared[0].name, "2005-03-15_C07.czt");
  ASSERT_EQ(changes.daysGrown.size(), 1u);
  EXPECT_EQ(changes.daysGrown[0].Records(), 3u);
  ASSERT_EQ(changes.eventsGrown.size(), 1u);
  EXPECT_EQ(changes.gone, (std::vector<std::string>{"2005-03-13_C07.czt"}));
  EXPECT_FALSE(changes.othersChanged);
  EXPECT_EQ(catalogue.DayCount(), 2u);
}

TEST(FolderCatalogueTest, AFolderThatCannotBeListedIsTold) {
  TempDir dir;
  FolderCatalogue catalogue(dir / "missing");
  EXPECT_FALSE(catalogue.Read());
  EXPECT_FALSE(catalogue.ErrorText().empty());
  FolderCatalogue file(dir.Write("file.czt", "x"));
  EXPECT_FALSE(file.Read());
}

}  // namespace
}  // namespace telvoran::plant
