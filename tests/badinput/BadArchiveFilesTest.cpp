// Whole archive files that are broken in one way each, read as the open command reads them:
// what is reported and how many rows the reader keeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
#include "core/view/ViewTexts.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using namespace test;
using Events = std::vector<std::string>;

const Events kNothing;
const Events kEmptyFile{"beep", "message:S107"};
const Events kWrongKind{"beep", "message:S108\rS109"};

// Records as file bytes, then `tail`.
std::string Bytes(const std::vector<ArchiveRecord>& records, std::string_view tail = {}) {
  std::string bytes;
  for (const auto& record : records) bytes.append(record.bytes.begin(), record.bytes.end());
  return bytes += tail;
}

std::vector<ArchiveRecord> IntervalFile(std::size_t dataRecords) {
  auto records = IntervalHeader('2');
  for (std::size_t i = 0; i < dataRecords; ++i)
    records.push_back(IntervalRecord(static_cast<int>(i)));
  return records;
}

std::vector<ArchiveRecord> EventFile(std::size_t count) {
  std::vector<ArchiveRecord> records;
  for (std::size_t i = 0; i < count; ++i) records.push_back(EventRecord(static_cast<int>(i)));
  return records;
}

// The file with record `index` (from 0) given `kind`.
std::vector<ArchiveRecord> WithKind(std::vector<ArchiveRecord> records, std::size_t index,
                                    std::uint32_t kind) {
  for (int i = 0; i < 4; ++i)
    records[index].bytes[36 + i] = static_cast<unsigned char>(kind >> (8 * i));
  return records;
}

struct BadFile {
  const char* what;
  const char* name;  // its extension chooses the reading
  std::string bytes;
  Events reported;
  std::size_t rowsKept;
};

std::vector<BadFile> BadFiles() {
  return {
      {"empty interval archive", "a.czt", "", kEmptyFile, 0},
      {"empty event archive", "a.zdr", "", kEmptyFile, 0},
      {"39 bytes", "a.zdr", std::string(39, '\x21'), kEmptyFile, 0},
      {"40 zero bytes as an interval archive", "a.czt", std::string(40, '\0'), kWrongKind, 0},
      {"40 zero bytes as an event archive", "a.zdr", std::string(40, '\0'), kWrongKind, 0},
      {"interval archive with a trailing partial record", "a.czt", Bytes(IntervalFile(2), "x"),
       kNothing, 2},
      {"event archive with a trailing partial record", "a.zdr",
       Bytes(EventFile(2), std::string(39, '\x21')), kNothing, 2},
      // Only the whole four bytes count: 26 + 256 is not 26.
      {"first interval record of kind 282", "a.czt", Bytes(WithKind(IntervalFile(3), 4, 282)),
       kWrongKind, 0},
      {"middle interval record of the event kind", "a.czt",
       Bytes(WithKind(IntervalFile(3), 5, kEventKind)), kWrongKind, 1},
      {"last interval record of kind 0xFFFFFFFF", "a.czt",
       Bytes(WithKind(IntervalFile(3), 6, 0xFFFFFFFF)), kWrongKind, 2},
      {"first event record of the interval kind", "a.zdr",
       Bytes(WithKind(EventFile(3), 0, kIntervalKind)), kWrongKind, 0},
      {"middle event record of kind 0", "a.zdr", Bytes(WithKind(EventFile(3), 1, 0)), kWrongKind,
       1},
      {"last event record of kind 33 << 24", "a.zdr",
       Bytes(WithKind(EventFile(3), 2, std::uint32_t{33} << 24)), kWrongKind, 2},
  };
}

class BadArchiveFiles : public ::testing::Test, protected test::ArchiveReading {
 protected:
  bool Read(const std::filesystem::path& path) {
    return ArchiveKindOfName(path.filename().string()) == ArchiveKind::Interval
               ? ReloadIntervalRows(file, path, 1, kOpenMessages, rows)
               : ReloadEventRows(file, path, 1, kOpenMessages, rows);
  }
};

TEST_F(BadArchiveFiles, ReportWhyAndKeepTheRowsReadBefore) {
  for (const BadFile& bad : BadFiles()) {
    SCOPED_TRACE(bad.what);
    reporter.events.clear();
    const bool complete = Read(dir.Write(bad.name, bad.bytes));
    EXPECT_EQ(complete, bad.reported.empty());
    EXPECT_EQ(reporter.events, bad.reported);
    EXPECT_EQ(rows.Size(), bad.rowsKept);
    EXPECT_FALSE(file.IsOpen());
  }
}

TEST_F(BadArchiveFiles, NonAsciiPathIsReadLikeAnyOther) {
  const auto path =
      dir.Write("Pomiary \xC5\xBC\xC3\xB3\xC5\x82w \xE2\x80\x94 2005.zdr", Bytes(EventFile(2)));
  EXPECT_TRUE(Read(path));
  EXPECT_EQ(rows.Size(), 2u);
  EXPECT_TRUE(reporter.events.empty());
}

// A file whose every read fails: the system's text for the error is shown, the reading ends and
// the file is closed, for either kind of archive.
TEST_F(BadArchiveFiles, ReadErrorIsShownAndEndsTheReading) {
  // A network device without a link speed: a regular file of 4096 bytes, each read refused.
  const std::filesystem::path unreadable = "/sys/class/net/lo/speed";
  std::error_code error;
  if (!std::filesystem::is_regular_file(unreadable, error))
    GTEST_SKIP() << "no file here whose reading fails";
#ifdef _WIN32
  const Events shown{"error:Invalid parameter."};  // under wine, which maps the system's error
#else
  const Events shown{"error:Invalid argument"};
#endif
  for (const bool interval : {true, false}) {
    SCOPED_TRACE(interval ? "interval" : "event");
    reporter.events.clear();
    EXPECT_FALSE(interval ? ReloadIntervalRows(file, unreadable, 1, kOpenMessages, rows)
                          : ReloadEventRows(file, unreadable, 1, kOpenMessages, rows));
    EXPECT_EQ(reporter.events, shown);
    EXPECT_EQ(rows.Size(), 0u);
    EXPECT_FALSE(file.IsOpen());
  }
}

}  // namespace
}  // namespace telvoran
