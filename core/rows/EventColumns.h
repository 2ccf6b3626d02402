#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/archive/RecordLayout.h"
#include "core/text/StringIds.h"

namespace telvoran {

// How a column shows its record field, in the row, the report and the CSV export.
enum class EventFieldShape {
  kDateTime,   // the six date and time bytes
  kNumber,     // a number byte (RecordLayout.h), right-aligned in its piece
  kCharacter,  // one byte shown as itself
  kText,       // characters of the record text, cut at its first zero byte
  kSituation,  // the situation code, shown as its library text with its colour digit
};

// One column of the event view: its panel, where its piece lies in the rows, its place in the
// report's column titles and in the CSV export. The row text, its sort prefix, the panels, the
// report's titles and sort mark and the CSV columns are all laid out from this table.
struct EventColumn {
  EventFieldShape shape;
  std::size_t recordOffset;     // the field's first byte in the record
  std::size_t recordWidth;      // its bytes
  int captionId;                // the panel's caption in the string library
  const char* builtInCaption;   // the panel's caption before the library's is set, Windows-1250
  std::size_t gapBefore;        // spaces in the row before the column's piece
  std::size_t pieceWidth;       // characters of the piece in a usual row (the sort prefix's)
  int panelSpan;                // characters of the rows under the column's panel
  std::size_t titleWidth;       // the report's column title, cut and filled to this
  std::ptrdiff_t markEnd;       // the report column on which the sort mark's ">" stands
  std::string_view csvHeading;  // the CSV export's heading of the column's fields
  bool csvNumber = false;       // the CSV export writes a number it reads as one
};

// Panel 1 is the date and time; sort column n is the table's row n - 1. Each row: shape, record
// offset and width, caption id, built-in caption, gap, piece width, panel span, title width,
// mark, CSV heading, and whether the CSV reads a number.
inline constexpr auto kEventColumns = std::to_array<EventColumn>({
    {EventFieldShape::kDateTime, event_field::kDateTime, kDateTimeBytes, sid::kDateTimeColumn,
     "Data i godzina", 0, 20, 21, 20, 11, "date_time"},
    {EventFieldShape::kNumber, event_field::kCentralAddress, 1, sid::kCentralColumn, "Cen.", 3, 2,
     6, 4, 25, "central_unit"},
    {EventFieldShape::kCharacter, event_field::kChannel, 1, sid::kChannelColumn, "Kan.", 5, 1, 6, 4,
     31, "channel"},
    {EventFieldShape::kText, event_field::kMedium, kLabelWidth, sid::kMediumColumn, "Med.", 3,
     kLabelWidth, 6, 4, 37, "medium"},
    {EventFieldShape::kText, event_field::kReading, kValueWidth, sid::kReadingColumn, "Wart.", 2,
     kValueWidth, 7, 5, 44, "value", true},
    {EventFieldShape::kText, event_field::kUnit, kLabelWidth, sid::kUnitColumn, "Jedn.", 2,
     kLabelWidth, 6, 4, 50, "unit"},
    // The piece is the situation text with its colour digit, as long as the longest text.
    {EventFieldShape::kSituation, event_field::kSituation, 1, sid::kSituationColumn, "Stan", 2, 29,
     35, 0, 66, "situation,situation_text"},
});

inline constexpr int kEventSortColumns = static_cast<int>(kEventColumns.size());

// Where the piece of column `index` (from 0) begins in a usual row.
constexpr std::size_t EventPieceOffset(std::size_t index) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < index; ++i)
    offset += kEventColumns[i].gapBefore + kEventColumns[i].pieceWidth;
  return offset + kEventColumns[index].gapBefore;
}

// The columns between the date and time and the situation: the channel columns, which rows of
// some situations leave blank.
inline constexpr std::size_t kFirstChannelColumn = 1;
inline constexpr std::size_t kSituationColumnIndex = kEventColumns.size() - 1;

static_assert(kEventColumns.front().shape == EventFieldShape::kDateTime &&
              kEventColumns.back().shape == EventFieldShape::kSituation);
static_assert(EventPieceOffset(1) == 23 && EventPieceOffset(kSituationColumnIndex) == 53,
              "the rows of saved reports keep their columns");

}  // namespace telvoran
