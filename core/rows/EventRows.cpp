#include "core/rows/EventRows.h"

#include <array>

#include "core/rows/DateTimeColumn.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

struct Situation {
  char code;
  int textId;
  char colourDigit;
  bool hasChannelColumns;
};

constexpr std::array<Situation, 7> kSituations{{
    {'G', sid::kSituationG, '0', true},
    {'L', sid::kSituationL, '1', true},
    {'H', sid::kSituationH, '2', true},
    {'M', sid::kSituationM, '3', true},
    {'W', sid::kSituationW, '4', true},
    {'O', sid::kSituationO, '5', false},
    {'F', sid::kSituationF, '5', false},
}};

const Situation* FindSituation(char code) {
  for (const auto& situation : kSituations)
    if (situation.code == code) return &situation;
  return nullptr;
}

// Byte offsets of the fields in an event record.
constexpr std::size_t kAddressByte = 0;
constexpr std::size_t kDateTimeByte = 1;
constexpr std::size_t kChannelByte = 7;
constexpr std::size_t kSituationByte = 8;

// Reading, medium and unit come from the record text, which ends at the first zero byte:
// a field cut by it comes out shorter, or empty.
std::string_view TextField(std::string_view recordText, std::size_t offset, std::size_t width) {
  if (offset >= recordText.size()) return {};
  return recordText.substr(offset, width);
}

// Where each column's piece of the row lies (offset counted from 0, width), by sort column.
struct PrefixPiece {
  std::size_t offset;
  std::size_t width;
};
constexpr std::array<PrefixPiece, 8> kPrefixPieces{{
    {0, 0},    // unused
    {0, 0},    // date and time: no prefix
    {23, 2},   // central unit: the last two characters of the address field
    {30, 1},   // channel
    {34, 4},   // medium
    {40, 5},   // reading
    {47, 4},   // unit
    {53, 29},  // situation text with its colour digit
}};

bool HasPrefix(int sortColumn) {
  return sortColumn >= 2 && sortColumn <= kEventSortColumns;
}

void AppendChannelColumns(RowText& row, const ArchiveRecord& record) {
  const int address = int{record.bytes[kAddressByte]} - 10;
  row.AppendSpaces(address < 10 ? 4 : 3);
  row.AppendNumber(address);
  row.AppendSpaces(5);
  row.Append(static_cast<char>(record.bytes[kChannelByte]));
  const std::string_view text = record.RecordText();
  row.AppendSpaces(3);
  row.Append(TextField(text, 14, 4));  // medium
  row.AppendSpaces(2);
  row.Append(TextField(text, 9, 5));  // reading
  row.AppendSpaces(2);
  row.Append(TextField(text, 18, 4));  // unit
}

}  // namespace

RowText SituationText(char code, const StringLookup& strings) {
  RowText text;
  const Situation* situation = FindSituation(code);
  if (!situation) return text;
  std::string_view words = strings.Text(situation->textId);
  words = words.substr(0, words.find('\0'));
  text.Append(words);
  text.Append(situation->colourDigit);
  return text;
}

RowText EventRow(const ArchiveRecord& record, int sortColumn, const StringLookup& strings) {
  RowText row;
  AppendDateTime(row, record.bytes.data() + kDateTimeByte);
  const char code = static_cast<char>(record.bytes[kSituationByte]);
  const Situation* situation = FindSituation(code);
  if (situation && situation->hasChannelColumns) {
    AppendChannelColumns(row, record);
  } else {
    row.AppendSpaces(31);
  }
  row.AppendSpaces(2);
  row.Append(SituationText(code, strings).Row());
  if (HasPrefix(sortColumn)) {
    const PrefixPiece piece = kPrefixPieces[static_cast<std::size_t>(sortColumn)];
    row.PrefixWithCopy(piece.offset, piece.width);
  }
  return row;
}

std::string_view EventDisplayText(std::string_view stored, int sortColumn) {
  if (HasPrefix(sortColumn)) {
    const PrefixPiece piece = kPrefixPieces[static_cast<std::size_t>(sortColumn)];
    stored.remove_prefix(StoredPrefixLength(stored.size(), piece.offset, piece.width));
  }
  if (!stored.empty()) stored.remove_suffix(1);
  return stored;
}

char SituationColourDigit(char code) {
  const Situation* situation = FindSituation(code);
  return situation ? situation->colourDigit : '\0';
}

}  // namespace telvoran
