// telvoran-mkarchive --plant: a folder the catalogue reads as units by days, with alarms.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/plant/FolderCatalogue.h"
#include "support/TempDir.h"
#include "tools/mkarchive/MkArchiveCommand.h"
#include "tools/mkarchive/PlantFolder.h"

namespace telvoran {
namespace {

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int MkArchive(std::vector<std::string> arguments, std::string* errors = nullptr) {
  std::ostringstream out, err;
  const int status = RunMkArchive(arguments, out, err);
  if (errors) *errors = err.str();
  return status;
}

TEST(MkPlant, WritesUnitsByDaysAndTheAlarmsOfTheirChannels) {
  test::TempDir dir;
  const std::string folder = (dir / "plant").string();
  ASSERT_EQ(MkArchive({"--plant", folder, "--units", "3", "--days", "4", "--start", "2005-12-30",
                       "--records-per-day", "7", "--alarms", "60"}),
            kExitSuccess);
  plant::FolderCatalogue catalogue(dir / "plant");
  ASSERT_TRUE(catalogue.Read());
  EXPECT_EQ(catalogue.Units(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(catalogue.DayCount(), 12u);
  EXPECT_EQ(plant::DayText(*catalogue.LastDay()), "2006-01-02");
  for (int unit : catalogue.Units())
    for (const plant::DayFile* day : catalogue.DaysOfUnit(unit)) EXPECT_EQ(day->Records(), 7u);
  EXPECT_TRUE(catalogue.OtherFiles().empty());

  // The alarms of two years, in time order, on units 1 to 3 and channels 1 and 2.
  ASSERT_EQ(catalogue.EventArchives().size(), 2u);
  std::uint64_t alarms = 0;
  std::string last;
  for (const plant::CatalogueFile& file : catalogue.EventArchives()) {
    const std::string bytes = Bytes(file.path);
    for (std::size_t at = 0; at + 40 <= bytes.size(); at += 40, ++alarms) {
      const int unit = static_cast<unsigned char>(bytes[at]) - 10;
      EXPECT_TRUE(unit >= 1 && unit <= 3) << unit;
      EXPECT_TRUE(bytes[at + 7] == '1' || bytes[at + 7] == '2');
      const std::string time = bytes.substr(at + 1, 6);
      EXPECT_LE(last, time);
      last = time;
    }
  }
  EXPECT_EQ(alarms, 60u);

  // The same options give the same bytes.
  const std::string day = Bytes(catalogue.DaysOfUnit(2)[1]->path);
  const std::string events = Bytes(catalogue.EventArchives()[0].path);
  ASSERT_EQ(MkArchive({"--plant", folder, "--units", "3", "--days", "4", "--start", "2005-12-30",
                       "--records-per-day", "7", "--alarms", "60"}),
            kExitSuccess);
  EXPECT_EQ(Bytes(catalogue.DaysOfUnit(2)[1]->path), day);
  EXPECT_EQ(Bytes(catalogue.EventArchives()[0].path), events);
}

TEST(MkPlant, WrongCommandLinesAreRefused) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--plant", ""},
           {"--plant", "p", "--units", "0"},
           {"--plant", "p", "--units", "100"},
           {"--plant", "p", "--start", "2099-12-30", "--days", "3"},
           {"--plant", "p", "--records", "5"}}) {
    std::string err;
    EXPECT_EQ(MkArchive(arguments, &err), kExitUsage) << testing::PrintToString(arguments);
    EXPECT_TRUE(err.starts_with("telvoran-mkarchive: ")) << err;
  }
}

}  // namespace
}  // namespace telvoran
