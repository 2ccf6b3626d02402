// Finding a text in a folder's archives against a plain scan of each file's rows, on one thread
// and on several, with a file that stops at a record of another kind, one that cannot be read
// and a name of neither kind.
#include "core/plant/FolderSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>

#include "core/archive/ArchiveKind.h"
#include "core/rows/RowFilter.h"
#include "core/rows/RowFormat.h"
#include "support/ArchiveRecords.h"
#include "support/FakeStrings.h"
#include "support/RandomRecords.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

using Found = std::tuple<std::size_t, std::uint64_t, std::string>;

// Each record of the file, read from its bytes, made into its row and searched as plain text
// after folding both; up to the first record of another kind.
std::vector<Found> PlainScan(const std::vector<std::filesystem::path>& files, std::string_view text,
                             const StringLookup& strings) {
  std::vector<Found> found;
  const std::string wanted = FoldAsSorted(text);
  for (std::size_t f = 0; f < files.size(); ++f) {
    const ArchiveKind kind = ArchiveKindOfName(files[f].filename().string());
    if (kind == ArchiveKind::Other) continue;
    std::ifstream in(files[f], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::size_t at = kind == ArchiveKind::Interval ? 4 * kRecordSize : 0;
    const RowFormat format = kind == ArchiveKind::Interval ? RowFormat::Interval(bytes[1] - '0', 1)
                                                           : RowFormat::Event(1, strings);
    RowText row;
    for (std::uint64_t record = 0; at + kRecordSize <= bytes.size(); at += kRecordSize, ++record) {
      ArchiveRecord r;
      std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kRecordSize, r.bytes.begin());
      if (r.Kind() != (kind == ArchiveKind::Interval ? kIntervalKind : kEventKind)) break;
      const std::string drawn(format.DisplayText(r, row));
      if (FoldAsSorted(drawn).find(wanted) != std::string::npos)
        found.emplace_back(f, record, drawn);
    }
  }
  return found;
}

TEST(FolderSearchTest, FindsWhatAPlainScanFindsOnAnyNumberOfThreads) {
  test::TempDir dir;
  const test::FakeStrings strings = test::NumberedStrings();
  test::RandomRecords random(11);
  std::vector<std::filesystem::path> files;
  for (int i = 0; i < 6; ++i) {
    const std::string day = "2005-03-0" + std::to_string(i + 1) + "  07";
    files.push_back(dir.Write(
        day + ".czt",
        test::Join(test::IntervalHeader('4'), random.Interval(300, test::DateRun::Rising))));
    files.push_back(dir.Write("alarm" + std::to_string(i) + ".zdr",
                              random.Event(300, test::DateRun::WithEquals)));
  }
  // Stops at a record of the other kind: the rows before it are found, the file is named.
  files.push_back(dir.Write("mixed.zdr", test::Join(random.Event(50, test::DateRun::Rising),
                                                    random.Interval(5, test::DateRun::Rising),
                                                    random.Event(50, test::DateRun::Rising))));
  files.push_back(dir.Write("short.czt", std::string(60, 'H')));
  files.push_back(dir.Write("notes.txt", "nothing to see: A"));
  files.push_back(dir / "gone.zdr");

  for (std::string_view text : {"a", "5a", "s16", "0.5", "zzz"}) {
    const std::vector<Found> expected = PlainScan(files, text, strings);
    for (unsigned threads : {1u, 3u}) {
      SCOPED_TRACE(std::string(text) + " on " + std::to_string(threads) + " threads");
      std::vector<Found> found;
      std::vector<std::size_t> progress;
      SearchListener listener;
      listener.found = [&](std::vector<FoundRow> rows) {
        for (FoundRow& row : rows) found.emplace_back(row.file, row.record, std::move(row.text));
      };
      listener.progress = [&](std::size_t done) { progress.push_back(done); };
      const SearchOutcome outcome =
          SearchArchives(files, text, strings, listener, nullptr, threads);
      std::sort(found.begin(), found.end());
      EXPECT_EQ(found, expected);
      EXPECT_EQ(outcome.filesSearched, files.size() - 1)
          << "the name of neither kind is passed over";
      EXPECT_EQ(progress.size(), files.size());
      EXPECT_EQ(progress.back(), files.size());
      std::vector<std::filesystem::path> unreadable;
      for (const auto& [path, failure] : outcome.unreadable) {
        unreadable.push_back(path);
        EXPECT_FALSE(failure.empty()) << path;
      }
      std::sort(unreadable.begin(), unreadable.end());
      EXPECT_EQ(unreadable, std::vector<std::filesystem::path>(
                                {dir / "gone.zdr", dir / "mixed.zdr", dir / "short.czt"}));
      EXPECT_FALSE(outcome.cancelled);
    }
  }

  const std::atomic<bool> cancel{true};
  const SearchOutcome cancelled = SearchArchives(files, "a", strings, {}, &cancel, 2);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(cancelled.filesSearched, 0u);
}

// A unit and span of days: what the search finds in the files it lists is what a plain scan finds
// in the folder's files whose names, read as text, begin with a day of the span and name the unit
// in characters 13 and 14; days in a subfolder, other units, days just outside, event archives.
TEST(FolderSearchTest, AUnitsSpanFindsWhatAPlainScanOfThoseFilesFinds) {
  test::TempDir dir;
  const test::FakeStrings strings = test::NumberedStrings();
  test::RandomRecords random(23);
  std::filesystem::create_directory(dir / "2005");
  for (int day = 1; day <= 9; ++day) {
    for (const char* unit : {"07", "08", "17"}) {
      const std::string name = (day % 2 ? "2005/" : "") + std::string("2005-03-0") +
                               std::to_string(day) + "_C" + unit + ".czt";
      dir.Write(name, test::Join(test::IntervalHeader('3'),
                                 random.Interval(120, test::DateRun::Rising)));
    }
  }
  dir.Write("2005/alarm2005.zdr", random.Event(200, test::DateRun::Rising));
  dir.Write("2005-03-04_C07.txt", "a name of neither kind");

  std::vector<std::filesystem::path> restricted;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.ends_with(".czt") && name.substr(12, 2) == "07" &&
        name.substr(0, 10) >= "2005-03-03" && name.substr(0, 10) <= "2005-03-07")
      restricted.push_back(entry.path());
  }
  std::sort(restricted.begin(), restricted.end());
  using namespace std::chrono;
  const std::vector<std::filesystem::path> files =
      UnitArchivesInFolder(dir.Path(), 7, year{2005} / March / 3, year{2005} / March / 7);
  ASSERT_EQ(files, restricted);
  for (std::string_view text : {"1", "5a", ".2"}) {
    std::vector<Found> found;
    SearchListener listener;
    listener.found = [&](std::vector<FoundRow> rows) {
      for (FoundRow& row : rows) found.emplace_back(row.file, row.record, std::move(row.text));
    };
    SearchArchives(files, text, strings, listener, nullptr, 2);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, PlainScan(restricted, text, strings)) << text;
  }
  EXPECT_TRUE(UnitArchivesInFolder(dir.Path(), 9, year{2005} / March / 1, year{2005} / March / 9)
                  .empty());
}

}  // namespace
}  // namespace telvoran
