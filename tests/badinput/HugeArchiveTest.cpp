// A 2 GiB archive whose first record already has the wrong kind must be refused at once: the
// reader may read its first records and make room for some rows, never more, whatever the size.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
#include "core/view/ViewTexts.h"
#include "support/ArchiveReading.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

constexpr std::uintmax_t kHugeSize = std::uintmax_t{2} << 30;
constexpr std::uint64_t kMiB = 1 << 20;
// The reader reads records just under 256 KiB at a time: a second reading would take the bytes
// read past this.
constexpr std::uint64_t kTwoReadings = 512 << 10;

// The bytes this process has read through system calls so far, where the system counts them.
std::optional<std::uint64_t> BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string field;
  std::uint64_t value = 0;
  while (io >> field >> value)
    if (field == "rchar:") return value;
  return std::nullopt;
}

class HugeArchiveTest : public ::testing::TestWithParam<const char*>,
                        protected test::ArchiveReading {};

INSTANTIATE_TEST_SUITE_P(BothKinds, HugeArchiveTest, ::testing::Values("zeros.czt", "zeros.zdr"));

TEST_P(HugeArchiveTest, SparseFileOfZerosIsRefusedAfterItsFirstReading) {
  const std::filesystem::path path = dir / GetParam();
  std::ofstream{path};
  std::filesystem::resize_file(path, kHugeSize);  // sparse: no disk space, reads give zeros

  const std::optional<std::uint64_t> before = BytesReadSoFar();
  const bool interval = ArchiveKindOfName(GetParam()) == ArchiveKind::Interval;
  const bool complete = interval ? ReloadIntervalRows(file, path, 1, kOpenMessages, rows)
                                 : ReloadEventRows(file, path, 1, kOpenMessages, rows);
  const std::optional<std::uint64_t> after = BytesReadSoFar();

  EXPECT_FALSE(complete);
  EXPECT_EQ(reporter.events, (Events{"beep", "message:S108\rS109"}));
  EXPECT_TRUE(rows.Empty());
  EXPECT_LT(rows.MemoryBytes(), kMiB);
  if (before && after) {
    EXPECT_LT(*after - *before, kTwoReadings);
  }
}

}  // namespace
}  // namespace telvoran
