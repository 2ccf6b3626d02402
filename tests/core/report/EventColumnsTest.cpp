// The event view's column table lays out the row, its sort prefixes, the report's column titles
// and sort marks and the CSV fields: each column's pieces must line up across all of them.
#include "core/rows/EventColumns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/report/CsvReport.h"
#include "core/report/ReportLines.h"
#include "core/rows/EventRows.h"
#include "support/FakeReportSource.h"
#include "support/FakeStrings.h"
#include "support/Records.h"

namespace telvoran {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

TEST(EventColumns, RowPiecesPrefixesTitlesMarksAndCsvFieldsAgree) {
  const test::FakeStrings strings = test::NumberedStrings();
  for (const int address : {5, 42}) {
    SCOPED_TRACE(address);
    const ArchiveRecord record =
        test::MakeRecord(std::string(1, static_cast<char>(address + 10)) +
                             test::DateBytes(9, 3, 5, 7, 4, 9) + "2G" + " 45.0AB  cd  ",
                         kEventKind);
    const RowText rowText = EventRow(record, 1, strings);
    const std::string row(rowText.Row());

    std::array<std::string_view, kEventColumns.size()> captions{"Data", "Ce", "Ka", "Me",
                                                                "Wa",   "Je", "St"};
    const std::string titles = EventColumnTitleLine(captions);

    test::FakeReportSource source;
    source.kind = ArchiveKind::Event;
    source.records = {record};
    const std::string situation = "S" + std::to_string(sid::kSituationG) + "0";
    source.situations = {{'G', situation}};
    const std::vector<std::string> heading = Fields(CsvHeadingLine(source));
    const std::vector<std::string> csv = Fields(CsvRowLine(source, 0));
    ASSERT_EQ(heading.size(), kEventColumns.size() + 1);
    ASSERT_EQ(csv.size(), heading.size());

    for (std::size_t i = 0; i < kEventColumns.size(); ++i) {
      SCOPED_TRACE(i);
      const EventColumn& column = kEventColumns[i];
      const std::size_t offset = EventPieceOffset(i);
      const std::string piece = row.substr(offset, column.pieceWidth);
      const int sortColumn = static_cast<int>(i) + 1;
      if (i > 0) {
        const RowText sorted = EventRow(record, sortColumn, strings);
        EXPECT_EQ(sorted.Text().substr(0, piece.size()), piece) << "the sort prefix";
      }
      // The mark's ">" stands over the column's field (report columns count from 1).
      const std::size_t markEnd = EventSortMarkLine(sortColumn).size();
      EXPECT_GT(markEnd, offset);
      EXPECT_LE(markEnd, offset + column.pieceWidth);
      if (i >= kFirstChannelColumn && i < kSituationColumnIndex) {
        const std::size_t title = titles.find(captions[i]);
        EXPECT_LE(title, offset) << "the title field covers the piece";
        EXPECT_LE(offset + piece.size(), title + column.titleWidth);
        EXPECT_EQ(csv[i], Trimmed(piece));
      }
    }
    EXPECT_EQ(row.substr(EventPieceOffset(kSituationColumnIndex)), situation);
    EXPECT_EQ(csv[kSituationColumnIndex] + ":" + csv[kSituationColumnIndex + 1],
              "0:" + situation.substr(0, situation.size() - 1));
  }
}

}  // namespace
}  // namespace telvoran
