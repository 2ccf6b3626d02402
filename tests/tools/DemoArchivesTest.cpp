#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tools/MkArchiveTestSupport.h"

namespace telvoran {
namespace {

using test::ReadRecords;

const std::filesystem::path kDemoFolder = std::filesystem::path(TELVORAN_BUILD_DIR) / "demo";

TEST(DemoArchives, IntervalArchivesCarryTheirChannelsInTheHeader) {
  struct Demo {
    std::string name;
    char channelCount;
    std::size_t records;
  };
  for (const Demo& demo :
       {Demo{"2005-03-14_C07.czt", '2', 150}, Demo{"2005-03-15_C12.czt", '4', 300}}) {
    SCOPED_TRACE(demo.name);
    const auto records = ReadRecords(kDemoFolder / demo.name);
    ASSERT_EQ(records.size(), 4 + demo.records);
    std::string header;
    for (std::size_t r = 0; r < 4; ++r) header += records[r].RecordText();
    EXPECT_EQ(header[1], demo.channelCount);
    EXPECT_EQ(header.substr(6, 4),
              "\xB0"
              "C  ");
    for (std::size_t r = 4; r < records.size(); ++r) ASSERT_EQ(records[r].Kind(), kIntervalKind);
  }
}

TEST(DemoArchives, EventArchivesShowEverySituationAndSomeDuplicates) {
  for (const std::string name : {"alarm2005.zdr", "alarm2009.zdr"}) {
    SCOPED_TRACE(name);
    const auto records = ReadRecords(kDemoFolder / name);
    ASSERT_GE(records.size(), 100u);
    std::set<char> codes;
    std::size_t repeats = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
      ASSERT_EQ(records[i].Kind(), kEventKind);
      codes.insert(static_cast<char>(records[i].bytes[8]));
      repeats += i > 0 && records[i].bytes == records[i - 1].bytes;
    }
    for (char code : std::string("GLHMWOF")) EXPECT_TRUE(codes.contains(code)) << code;
    EXPECT_EQ(codes.size(), 8u) << "one code outside the table";
    EXPECT_GT(repeats, 0u);
  }
}

}  // namespace
}  // namespace telvoran
