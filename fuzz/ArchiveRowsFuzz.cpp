// Any bytes as an archive file, read the way a view reads its file to re-sort it. The first
// byte chooses how to read the rest, which is the file:
//   bit 0      the kind: 0 interval archive (.czt), 1 event archive (.zdr)
//   bits 1-3   the sort column, taken modulo the view's column count
//   bits 4-5   the set of situation texts the string library holds
// The file is read twice, by date and time and by the chosen column, and the two readings
// must agree: the same outcome and messages, the same rows as drawn, each list in order. The
// records of the second reading, put in order in two parts, the later merged into the earlier,
// must give the same list as sorting them all, and a filter chosen by the next bytes must show
// the same rows whether it saw the later records merged in or all of them at once. Then the file
// is followed as it grows: its first half is read, the rest appended, and the rows of what was
// appended, merged into the list, must equal the whole reading. The view's CSV file must be UTF-8
// that an RFC 4180 reader splits into one line per row, each of the view kind's number of fields.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/report/CsvReport.h"
#include "core/report/TextReport.h"
#include "core/rows/AppendedRows.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/rows/RowReading.h"
#include "core/rows/RowStore.h"
#include "core/sort/Collation.h"
#include "core/text/Cp1250.h"
#include "core/view/ShownRows.h"
#include "core/view/ViewContent.h"
#include "core/view/ViewTexts.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFile.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"

namespace telvoran {
namespace {

using test::FakeStrings;
using test::RecordingReporter;

// Situation texts of lengths around the 29 characters of the situation column's sort prefix,
// none at all, and the longest a library text can be, with Windows-1250 letters.
FakeStrings StringsWithSituations(int set) {
  FakeStrings strings = test::NumberedStrings();
  for (int id = 160; id <= 166; ++id) {
    switch (set) {
      case 0:
        break;
      case 1:
        strings.Set(id, "");
        break;
      case 2:
        strings.Set(id, std::string(static_cast<std::size_t>(25 + id - 160), 'a' + (id - 160)));
        break;
      default:
        strings.Set(id, std::string(60, static_cast<char>(0xA5 + id - 160)));
        break;
    }
  }
  return strings;
}

struct Reading {
  bool complete = false;
  std::vector<std::string> events;
  std::vector<std::string> rows;  // as stored, in list order
};

Reading Read(const FakeStrings& strings, ArchiveKind kind, const std::filesystem::path& path,
             int sortColumn, ViewContent& content, std::string& header) {
  RecordingReporter reporter;
  ArchiveFile file(strings, reporter);
  Reading reading;
  content.rows.Clear();
  reading.complete = kind == ArchiveKind::Interval
                         ? ReloadIntervalRows(file, path, sortColumn, kReloadMessages, content.rows)
                         : ReloadEventRows(file, path, sortColumn, kReloadMessages, content.rows);
  TELVORAN_FUZZ_CHECK(!file.IsOpen());
  header = file.IntervalHeader();
  reading.events = reporter.events;
  for (std::size_t i = 0; i < content.rows.Size(); ++i) reading.rows.emplace_back(content.rows[i]);
  return reading;
}

// What every reading must keep on its own.
void CheckReading(const Reading& reading, ArchiveKind kind) {
  // A complete reading reports nothing; one that stopped has said why, once.
  if (reading.complete) {
    TELVORAN_FUZZ_CHECK(reading.events.empty());
  } else {
    TELVORAN_FUZZ_CHECK(!reading.events.empty() && reading.events.size() <= 2);
  }
  for (std::size_t i = 1; i < reading.rows.size(); ++i) {
    TELVORAN_FUZZ_CHECK(!Collation::RowLess(reading.rows[i], reading.rows[i - 1]));
    if (kind == ArchiveKind::Event && reading.complete)
      TELVORAN_FUZZ_CHECK(reading.rows[i] != reading.rows[i - 1]);
  }
  for (const std::string& row : reading.rows)
    TELVORAN_FUZZ_CHECK(row.find('\0') == std::string::npos);
}

// The rows as drawn, printed and saved, in an order that does not depend on the sort column.
std::vector<std::string> Drawn(const ViewContent& content, bool dropClosingSpace) {
  std::vector<std::string> drawn;
  for (std::size_t i = 0; i < content.rows.Size(); ++i) {
    std::string text(content.DisplayText(content.rows[i]));
    if (dropClosingSpace) {
      TELVORAN_FUZZ_CHECK(!text.empty() && text.back() == ' ');
      text.pop_back();
    }
    drawn.push_back(std::move(text));
  }
  std::sort(drawn.begin(), drawn.end());
  return drawn;
}

// The records of a store's rows, in the order they were read.
std::vector<ArchiveRecord> RecordsAsRead(const RowStore& rows) {
  std::vector<std::pair<RecordIndex, ArchiveRecord>> indexed;
  rows.ForEachRow([&](std::size_t row, const ArchiveRecord& record) {
    indexed.emplace_back(rows.RecordIndexAt(row), record);
  });
  std::sort(indexed.begin(), indexed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<ArchiveRecord> records;
  for (const auto& [index, record] : indexed) records.push_back(record);
  return records;
}

std::vector<RecordIndex> OrderOf(const RowStore& rows) {
  std::vector<RecordIndex> order;
  for (std::size_t row = 0; row < rows.Size(); ++row) order.push_back(rows.RecordIndexAt(row));
  return order;
}

// A filter of the Windows-1250 characters `first` and, when odd, `second` (a byte the code page
// leaves undefined, which no typed text holds, stands for "a"), hiding the situations of the
// bits of `hidden`.
RowFilter FilterOf(std::uint8_t first, std::uint8_t second, std::uint8_t hidden) {
  auto typed = [](std::uint8_t byte) {
    return Cp1250ToUnicode(byte) == kReplacementCharacter ? 'a' : static_cast<char>(byte);
  };
  std::string text(1, typed(first));
  if (second & 1) text += typed(second);
  RowFilter filter;
  filter.SetText(Cp1250ToUtf8(text));
  for (int bit = 0; bit < 7; ++bit)
    if (hidden >> bit & 1) filter.SetSituationHidden("GLHMWOF"[bit], true);
  return filter;
}

// The rows a filter keeps are those whose drawn text holds its text, folded, and whose situation
// it does not hide; rows merged in later are filtered as the others.
void CheckFilter(const RowStore& whole, const RowStore& grown, const ShownRows& merged,
                 const RowFilter& filter) {
  ShownRows atOnce;
  atOnce.SetFilter(filter, whole);
  TELVORAN_FUZZ_CHECK(atOnce.Count(whole) == merged.Count(grown));
  const std::string text = FoldAsSorted(filter.Text());
  RowText row;
  std::size_t shown = 0;
  for (std::size_t i = 0; i < whole.Size(); ++i) {
    const std::string drawn = FoldAsSorted(whole.DisplayText(i, row));
    const char code = static_cast<char>(whole.RecordAt(i).bytes[kEventSituationByte]);
    const bool hidden = whole.Format().Kind() == ArchiveKind::Event && filter.SituationHidden(code);
    const bool kept = !hidden && drawn.find(text) != std::string::npos;
    const bool isShown = shown < atOnce.Count(whole) && atOnce.StoreRow(shown) == i;
    TELVORAN_FUZZ_CHECK(kept == isShown);
    if (isShown) {
      TELVORAN_FUZZ_CHECK(merged.StoreRow(shown) == i);
      ++shown;
    }
  }
}

// Sorting the records at once and merging the ones after `split` into the sorted others give one
// list, duplicates removed in both or in neither.
void CheckMerge(const RowStore& read, std::size_t split, bool removeDuplicates,
                const RowFilter& filter) {
  const std::vector<ArchiveRecord> records = RecordsAsRead(read);
  split = std::min(split, records.size());
  RowStore whole(read.Format());
  RowStore grown(read.Format());
  for (std::size_t i = 0; i < records.size(); ++i) {
    whole.Append(records[i]);
    if (i < split) grown.Append(records[i]);
  }
  whole.Sort();
  grown.Sort();
  if (removeDuplicates) {
    whole.RemoveDuplicateRows();
    grown.RemoveDuplicateRows();
  }
  ShownRows shown;
  shown.SetFilter(filter, grown);
  for (std::size_t i = split; i < records.size(); ++i) grown.Append(records[i]);
  const std::vector<RowNumber> places = grown.MergeAppended();
  shown.MergeInserted(grown, places);
  TELVORAN_FUZZ_CHECK(OrderOf(whole) == OrderOf(grown));
  for (RowNumber place : places) TELVORAN_FUZZ_CHECK(grown.RecordIndexAt(place) >= split);
  CheckFilter(whole, grown, shown, filter);
}

// The lines of a CSV file as RFC 4180 reads them, each a list of fields; a quote out of place,
// a bare CR or LF, or a line not ended by CR LF breaks the property.
std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> fields(1);
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      TELVORAN_FUZZ_CHECK(fields.back().empty());
      for (++i;; ++i) {
        TELVORAN_FUZZ_CHECK(i < text.size());
        if (text[i] != '"') {
          fields.back() += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          fields.back() += '"';
          ++i;
        } else {
          break;
        }
      }
      ++i;
      TELVORAN_FUZZ_CHECK(i == text.size() || text[i] == ',' || text[i] == '\r');
    } else if (c == ',') {
      fields.emplace_back();
      ++i;
    } else if (c == '\r') {
      TELVORAN_FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
      lines.push_back(std::move(fields));
      fields.assign(1, std::string());
      i += 2;
    } else {
      TELVORAN_FUZZ_CHECK(c != '\n');
      fields.back() += c;
      ++i;
    }
  }
  TELVORAN_FUZZ_CHECK(fields.size() == 1 && fields.back().empty());
  return lines;
}

void CheckCsv(const ViewReport& report) {
  std::ostringstream out;
  TELVORAN_FUZZ_CHECK(!WriteCsvReport(report, out));
  const std::string text = out.str();
  TELVORAN_FUZZ_CHECK(IsValidUtf8(text));
  const auto lines = ReadCsv(text);
  TELVORAN_FUZZ_CHECK(lines.size() == report.RowCount() + 1);
  const std::size_t fieldCount = lines.front().size();
  if (report.Kind() == ArchiveKind::Event) TELVORAN_FUZZ_CHECK(fieldCount == 8);
  for (std::size_t row = 1; row < lines.size(); ++row) {
    const std::vector<std::string>& fields = lines[row];
    TELVORAN_FUZZ_CHECK(fields.size() == fieldCount);
    TELVORAN_FUZZ_CHECK(!fields.front().empty());
    if (report.Kind() == ArchiveKind::Event) {
      TELVORAN_FUZZ_CHECK(fields[6].empty() ||
                          (fields[6].size() == 1 && fields[6][0] >= '0' && fields[6][0] <= '5'));
      // A code outside the table has neither digit nor text.
      if (fields[6].empty()) TELVORAN_FUZZ_CHECK(fields[7].empty());
    }
  }
}

// The report's heading and rows, with the interval view's channel captions from the header,
// and the CSV file of the same view.
void MakeReport(ViewContent& content, const std::string& header) {
  if (content.kind == ArchiveKind::Interval) {
    const auto captions = ChannelPanelCaptions(header);
    content.columnCaptions.assign(1, "Date");
    content.columnCaptions.insert(content.columnCaptions.end(), captions.begin(), captions.end());
    content.intervalHeader = header;
  }
  const ViewReport report(content);
  ReportHeadingLines(report);
  for (std::size_t i = 0; i < report.RowCount(); ++i) report.DisplayText(i);
  CheckCsv(report);
}

// A view that read the first half of the file (whole records), following it while the rest is
// appended: what it then shows must be what a reading of the whole file shows.
void CheckFollowing(const FakeStrings& strings, ArchiveKind kind, int sortColumn,
                    fuzz::MemoryFile& file, const std::uint8_t* bytes, std::size_t size,
                    const Reading& whole) {
  const std::size_t half = size / kRecordSize / 2 * kRecordSize;
  file.Fill(bytes, half);
  ViewContent followed;
  followed.kind = kind;
  std::string header;
  const Reading first = Read(strings, kind, file.Path(), sortColumn, followed, header);
  if (!first.complete) return;

  RecordingReporter reporter;
  ArchiveFile archive(strings, reporter);
  // Where the reading of the first half ended, as the view keeps it.
  TELVORAN_FUZZ_CHECK(archive.OpenArchiveFile(file.Path(), 155, 156));
  while (!archive.AtEnd()) TELVORAN_FUZZ_CHECK(archive.ReadRecord());
  archive.Close();
  const ReadingEnd since = archive.LastReadingEnd();
  TELVORAN_FUZZ_CHECK(since.records == half / kRecordSize);

  file.Fill(bytes, size);
  const AppendedRows appended =
      ReadAppendedRows(archive, file.Path(), since,
                       kind == ArchiveKind::Interval ? kIntervalKind : kEventKind, followed.rows);
  TELVORAN_FUZZ_CHECK(!archive.IsOpen());
  TELVORAN_FUZZ_CHECK(reporter.events.empty());
  switch (appended.look) {
    case FollowLook::kNothingNew:
      TELVORAN_FUZZ_CHECK(whole.complete && first.rows == whole.rows);
      break;
    case FollowLook::kNewRows: {
      TELVORAN_FUZZ_CHECK(whole.complete);
      followed.rows.MergeAppended();
      std::vector<std::string> rows;
      for (std::size_t i = 0; i < followed.rows.Size(); ++i) rows.emplace_back(followed.rows[i]);
      TELVORAN_FUZZ_CHECK(rows == whole.rows);
      TELVORAN_FUZZ_CHECK(appended.end.records == (size / kRecordSize));
      break;
    }
    case FollowLook::kReadAgain:
      // Only a reading that never got past an interval archive's header has no place to go on.
      TELVORAN_FUZZ_CHECK(kind == ArchiveKind::Interval && since.records < 5);
      break;
    case FollowLook::kStopped:
      TELVORAN_FUZZ_CHECK(!whole.complete && appended.stop == ReadStop::WrongKind);
      break;
  }
}

}  // namespace
}  // namespace telvoran

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace telvoran;
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const ArchiveKind kind = (choice & 1) ? ArchiveKind::Event : ArchiveKind::Interval;
  const int columns = kind == ArchiveKind::Event ? kEventSortColumns : kIntervalSortColumns;
  const int sortColumn = 1 + (choice >> 1 & 7) % columns;
  static const FakeStrings stringSets[] = {StringsWithSituations(0), StringsWithSituations(1),
                                           StringsWithSituations(2), StringsWithSituations(3)};
  const FakeStrings& strings = stringSets[choice >> 4 & 3];

  static fuzz::MemoryFile file;
  file.Fill(data + 1, size - 1);

  ViewContent byDate;
  byDate.kind = kind;
  ViewContent byColumn;
  byColumn.kind = kind;
  byColumn.sortColumn = sortColumn;
  byColumn.columnCaptions.assign(7, "Caption");
  std::string header;
  const Reading first = Read(strings, kind, file.Path(), 1, byDate, header);
  const Reading second = Read(strings, kind, file.Path(), sortColumn, byColumn, header);
  CheckReading(first, kind);
  CheckReading(second, kind);

  TELVORAN_FUZZ_CHECK(first.complete == second.complete);
  TELVORAN_FUZZ_CHECK(first.events == second.events);
  TELVORAN_FUZZ_CHECK(first.rows.size() == second.rows.size());
  // Sorted by a channel, an interval row is drawn without the last of its closing spaces.
  const bool dropClosingSpace = kind == ArchiveKind::Interval && sortColumn > 1;
  TELVORAN_FUZZ_CHECK(Drawn(byDate, dropClosingSpace) == Drawn(byColumn, false));

  // Bytes 1 to 4, part of the file too, choose where the merge splits the records and the filter.
  const auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < size ? data[i] : 0; };
  CheckMerge(byColumn.rows, byteAt(1), kind == ArchiveKind::Event,
             FilterOf(byteAt(2), byteAt(3), byteAt(4)));
  MakeReport(byColumn, header);
  CheckFollowing(strings, kind, sortColumn, file, data + 1, size - 1, second);
  return 0;
}
