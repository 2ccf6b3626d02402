#pragma once

#include <string_view>

#include "core/archive/ArchiveRecord.h"
#include "core/rows/RowText.h"

namespace telvoran {

class StringLookup;

inline constexpr int kEventSortColumns = 7;

// The situation text of a situation code followed by the code's colour digit ("...2" for H),
// or an empty text for a code outside the table. Looked up anew on every call.
RowText SituationText(char code, const StringLookup& strings);

// The colour digit of a situation code ('0' for G to '5' for O and F), or a zero character for
// a code outside the table.
char SituationColourDigit(char code);

// The row of an event record for a view sorted by `sortColumn` (1 date and time, 2 central
// unit, 3 channel, 4 medium, 5 reading, 6 unit, 7 situation), with the piece of the row of
// that column copied in front as the sort prefix. The row ends with the colour digit.
RowText EventRow(const ArchiveRecord& record, int sortColumn, const StringLookup& strings);

// The text drawn, printed and saved for a stored event row: without its sort prefix and
// without its last character (the colour digit).
std::string_view EventDisplayText(std::string_view stored, int sortColumn);

}  // namespace telvoran
