#include "core/rows/EventRows.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

#include "core/rows/DateTimeColumn.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

struct Situation {
  char code;
  int textId;
  char colourDigit;
};

// In slot order: the five codes whose rows show the channel columns first.
constexpr std::size_t kSituationsWithChannels = 5;
constexpr std::array<Situation, 7> kSituations{{
    {'G', sid::kSituationG, '0'},
    {'L', sid::kSituationL, '1'},
    {'H', sid::kSituationH, '2'},
    {'M', sid::kSituationM, '3'},
    {'W', sid::kSituationW, '4'},
    {'O', sid::kSituationO, '5'},
    {'F', sid::kSituationF, '5'},
}};

constexpr std::size_t kTextFieldsEnd = event_field::kFieldsEnd;
static_assert(kEventColumns.front().pieceWidth == kDateTimeColumnWidth);

// The central unit, channel, medium, reading and unit columns, or the spaces in their place.
constexpr std::size_t kChannelColumnsWidth = EventPieceOffset(kSituationColumnIndex) -
                                             kEventColumns[kSituationColumnIndex].gapBefore -
                                             kDateTimeColumnWidth;

// Where each column's piece of the row lies (offset counted from 0, width), by sort column.
struct PrefixPiece {
  std::size_t offset;
  std::size_t width;
};
constexpr PrefixPiece PieceOfColumn(int sortColumn) {
  const auto index = static_cast<std::size_t>(sortColumn - 1);
  return {EventPieceOffset(index), kEventColumns[index].pieceWidth};
}

// Calls `each` with std::integral_constant<std::size_t, I> for every channel column I, so that
// the table's offsets and widths are constants where the pieces are written.
template <typename Each>
constexpr void ForEachChannelColumn(Each&& each) {
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (each(std::integral_constant<std::size_t, kFirstChannelColumn + I>{}), ...);
  }
  (std::make_index_sequence<kSituationColumnIndex - kFirstChannelColumn>{});
}

bool HasPrefix(int sortColumn) {
  return sortColumn >= 2 && sortColumn <= kEventSortColumns;
}

// Reading, medium and unit come from the record text, which ends at the first zero byte:
// a field cut by it comes out shorter, or empty.
std::string_view TextField(std::string_view recordText, std::size_t offset, std::size_t width) {
  if (offset >= recordText.size()) return {};
  return recordText.substr(offset, width);
}

// The usual record: an address of two digits at most and no zero byte in the text fields. Its
// channel columns are one fixed layout, filled in whole pieces.
// Nonzero when one of eight bytes is zero, all eight looked at in one step: this runs for every
// record when rows are built or measured, where a call of memchr costs more than the check.
std::uint64_t ZeroByteBits(const unsigned char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return (word - 0x0101010101010101u) & ~word & 0x8080808080808080u;
}

bool HasPlainChannelColumns(const ArchiveRecord& record) {
  static_assert(kTextFieldsEnd > 16 && kTextFieldsEnd <= 24);
  const int address = DecodedByte(record.bytes[event_field::kCentralAddress]);
  const unsigned char* bytes = record.bytes.data();
  // Bytes 0 to 7, 8 to 15 and the last eight of the text fields.
  const std::uint64_t zeros =
      ZeroByteBits(bytes) | ZeroByteBits(bytes + 8) | ZeroByteBits(bytes + kTextFieldsEnd - 8);
  return address >= 0 && address < 100 && zeros == 0;
}

// Writes the piece of a usual record's channel column kEventColumns[I] to `out`.
template <std::size_t I>
void FillPlainPieceOf(char* out, const ArchiveRecord& record) {
  constexpr EventColumn column = kEventColumns[I];
  if constexpr (column.shape == EventFieldShape::kNumber) {
    // A usual record's numbers have two digits at most.
    static_assert(column.pieceWidth == 2 && column.recordWidth == 1);
    const int number = DecodedByte(record.bytes[column.recordOffset]);
    out[0] = number >= 10 ? static_cast<char>('0' + number / 10) : ' ';
    out[1] = static_cast<char>('0' + number % 10);
  } else {
    static_assert(column.shape == EventFieldShape::kCharacter ||
                  column.shape == EventFieldShape::kText);
    static_assert(column.pieceWidth == column.recordWidth);
    std::memcpy(out, record.bytes.data() + column.recordOffset, column.pieceWidth);
  }
}

// Writes the piece of a usual record's channel columns that sort column `column` (2 to 6)
// shows to `out`: the central unit (two places), channel, medium, reading or unit.
void FillPlainPiece(char* out, const ArchiveRecord& record, int column) {
  ForEachChannelColumn([&](auto index) {
    if (static_cast<std::size_t>(column) == index + 1) FillPlainPieceOf<index>(out, record);
  });
}

// Fills the channel columns of a usual record into `columns`, which holds kChannelColumnsWidth
// spaces.
void FillPlainChannelColumns(char* columns, const ArchiveRecord& record) {
  ForEachChannelColumn([&](auto index) {
    FillPlainPieceOf<index>(columns + EventPieceOffset(index) - kDateTimeColumnWidth, record);
  });
}

void AppendPlainChannelColumns(RowText& row, const ArchiveRecord& record) {
  // The spaces are written where they go: copied from a text of spaces on the stack, they
  // would be read back before the processor had them from its stores, and it would wait.
  if (char* columns = row.Extend(kChannelColumnsWidth)) {
    std::memset(columns, ' ', kChannelColumnsWidth);
    FillPlainChannelColumns(columns, record);
    return;
  }
  // No room for all of them: as many as there is room for.
  char columns[kChannelColumnsWidth];
  std::memset(columns, ' ', kChannelColumnsWidth);
  FillPlainChannelColumns(columns, record);
  row.AppendWhole(columns, kChannelColumnsWidth);
}

// The spaces before a channel column's field and the field itself, as wide as it comes out.
template <std::size_t I>
void AppendChannelColumn(RowText& row, const ArchiveRecord& record) {
  constexpr EventColumn column = kEventColumns[I];
  if constexpr (column.shape == EventFieldShape::kNumber) {
    const int number = DecodedByte(record.bytes[column.recordOffset]);
    row.AppendSpaces(column.gapBefore + (number < 10 ? 1 : 0));
    row.AppendNumber(number);
  } else {
    row.AppendSpaces(column.gapBefore);
    row.Append(EventFieldText(record, I));
  }
}

template <std::size_t I>
std::size_t ChannelColumnWidth(const ArchiveRecord& record) {
  constexpr EventColumn column = kEventColumns[I];
  if constexpr (column.shape == EventFieldShape::kNumber) {
    const int number = DecodedByte(record.bytes[column.recordOffset]);
    return column.gapBefore + (number < 10 ? 1 : 0) + NumberWidth(number);
  } else {
    return column.gapBefore + EventFieldText(record, I).size();
  }
}

void AppendChannelColumns(RowText& row, const ArchiveRecord& record) {
  if (HasPlainChannelColumns(record)) {
    AppendPlainChannelColumns(row, record);
    return;
  }
  ForEachChannelColumn([&](auto index) { AppendChannelColumn<index>(row, record); });
}

// The characters AppendChannelColumns() appends for the record.
std::size_t ChannelColumnsWidth(const ArchiveRecord& record) {
  if (HasPlainChannelColumns(record)) return kChannelColumnsWidth;
  std::size_t width = 0;
  ForEachChannelColumn([&](auto index) { width += ChannelColumnWidth<index>(record); });
  return width;
}

// The library text of a situation, up to a zero byte, followed by its colour digit.
std::string TextWithDigit(const Situation& situation, const StringLookup& strings) {
  std::string_view words = strings.Text(situation.textId);
  words = words.substr(0, words.find('\0'));
  std::string text(words);
  text += situation.colourDigit;
  return text;
}

}  // namespace

constinit const std::array<std::uint8_t, 256> SituationTexts::kSlots = [] {
  std::array<std::uint8_t, 256> slots{};
  slots.fill(kNoSituation);
  for (std::size_t i = 0; i < kSituations.size(); ++i)
    slots[static_cast<unsigned char>(kSituations[i].code)] = static_cast<std::uint8_t>(i);
  return slots;
}();

SituationTexts::SituationTexts(const StringLookup& strings) {
  for (std::size_t i = 0; i < kSituations.size(); ++i)
    texts_[i] = TextWithDigit(kSituations[i], strings);
}

RowText SituationText(char code, const StringLookup& strings) {
  RowText text;
  for (const Situation& situation : kSituations) {
    if (situation.code == code) text.Append(TextWithDigit(situation, strings));
  }
  return text;
}

void EventRow(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
              RowText& row) {
  row.Clear();
  AppendDateTime(row, record.bytes.data() + kEventDateTimeByte);
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  if (situations.HasChannelColumns(code)) {
    AppendChannelColumns(row, record);
  } else {
    row.AppendSpaces(kChannelColumnsWidth);
  }
  row.AppendSpaces(kEventColumns[kSituationColumnIndex].gapBefore);
  const std::string_view situation = situations.Of(code);  // cut at any zero byte already
  row.AppendWhole(situation.data(), situation.size());
  if (HasPrefix(sortColumn)) {
    const PrefixPiece piece = PieceOfColumn(sortColumn);
    row.PrefixWithCopy(piece.offset, piece.width);
  }
}

bool EventStoredHead(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
                     std::size_t length, RowText& head) {
  const unsigned char* dateTime = record.bytes.data() + kEventDateTimeByte;
  head.Clear();
  if (!HasPrefix(sortColumn)) {
    AppendDateTime(head, dateTime);
    return true;
  }
  if (!DateTimeInTwoDigits(dateTime)) return false;
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  const PrefixPiece piece = PieceOfColumn(sortColumn);
  const bool channelColumns = situations.HasChannelColumns(code);
  // Other channel columns than the usual ones are as wide as their fields: the situation moves.
  if (channelColumns && !HasPlainChannelColumns(record)) return false;
  std::string_view prefix;
  char columns[kChannelColumnsWidth + 1] = "                               ";
  if (sortColumn == kEventSortColumns) {
    // The situation text with its colour digit, where the row ends.
    prefix = situations.Of(code).substr(0, piece.width);
  } else {
    if (channelColumns) FillPlainChannelColumns(columns, record);
    prefix = std::string_view(columns + (piece.offset - kDateTimeColumnWidth), piece.width);
  }
  AppendDateTimeBeginning(head, dateTime, length > prefix.size() ? length - prefix.size() : 0);
  head.PutPrefix(prefix);
  return true;
}

int EventQuickHead(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
                   std::size_t length, char* out) {
  // The situation column's prefix is a library text: its rows are told apart by PrefixSlot().
  if (!HasPrefix(sortColumn) || sortColumn == kEventSortColumns) return -1;
  const std::size_t width = PieceOfColumn(sortColumn).width;
  const unsigned char* dateTime = record.bytes.data() + kEventDateTimeByte;
  if (length > width + kDateTimeColumnWidth || !DateTimeInTwoDigits(dateTime)) return -1;
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  if (!situations.HasChannelColumns(code)) {
    std::memset(out, ' ', width);
  } else if (HasPlainChannelColumns(record)) {
    FillPlainPiece(out, record, sortColumn);
  } else {
    return -1;
  }
  if (length > width) WriteTwoDigitDateTime(out + width, dateTime);
  return static_cast<int>(width);
}

std::optional<bool> EventRowsEqual(const ArchiveRecord& a, const ArchiveRecord& b,
                                   const SituationTexts& situations) {
  const unsigned char code = a.bytes[kEventSituationByte];
  if (code != b.bytes[kEventSituationByte]) return std::nullopt;
  const unsigned char* dateTimeA = a.bytes.data() + kEventDateTimeByte;
  const unsigned char* dateTimeB = b.bytes.data() + kEventDateTimeByte;
  if (!DateTimeInTwoDigits(dateTimeA) || !DateTimeInTwoDigits(dateTimeB)) return std::nullopt;
  // Without channel columns a row shows its date and time and its situation alone.
  if (!situations.HasChannelColumns(static_cast<char>(code)))
    return std::memcmp(dateTimeA, dateTimeB, kDateTimeBytes) == 0;
  // Usual channel columns show every byte of their fields, each as itself.
  if (!HasPlainChannelColumns(a) || !HasPlainChannelColumns(b)) return std::nullopt;
  return std::memcmp(a.bytes.data(), b.bytes.data(), kTextFieldsEnd) == 0;
}

int EventPrefixSlot(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations) {
  if (sortColumn != kEventSortColumns) return -1;
  if (!DateTimeInTwoDigits(record.bytes.data() + kEventDateTimeByte)) return -1;
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  // The prefix is the situation text alone, unless other channel columns move it.
  if (situations.HasChannelColumns(code) && !HasPlainChannelColumns(record)) return -1;
  return record.bytes[kEventSituationByte];
}

RowText EventRow(const ArchiveRecord& record, int sortColumn, const StringLookup& strings) {
  RowText row;
  EventRow(record, sortColumn, SituationTexts(strings), row);
  return row;
}

// The display width of a row of `code` from the widths of its date and time and its channel
// columns: without the colour digit, or whatever character ends a row cut short.
static std::size_t DisplayWidthOfParts(std::size_t dateTimeWidth, std::size_t columnsWidth,
                                       char code, const SituationTexts& situations) {
  const std::size_t row =
      std::min(dateTimeWidth + columnsWidth + kEventColumns[kSituationColumnIndex].gapBefore +
                   situations.Of(code).size(),
               RowText::kRowRoom);
  return row > 0 ? row - 1 : 0;
}

std::size_t EventDisplayWidth(const ArchiveRecord& record, const SituationTexts& situations) {
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  const std::size_t columns =
      situations.HasChannelColumns(code) ? ChannelColumnsWidth(record) : kChannelColumnsWidth;
  return DisplayWidthOfParts(DateTimeWidth(record.bytes.data() + kEventDateTimeByte), columns, code,
                             situations);
}

std::size_t EventWidestDisplayWidth(std::span<const ArchiveRecord> records,
                                    const SituationTexts& situations) {
  // Usual records (a date of this century, plain channel columns) differ only by their
  // situation: their codes are noted, and each code is measured once at the end.
  std::array<bool, 256> usualCodes{};
  std::size_t widest = 0;
  for (const ArchiveRecord& record : records) {
    if (DateTimeInTwoDigits(record.bytes.data() + kEventDateTimeByte) &&
        HasPlainChannelColumns(record)) {
      usualCodes[record.bytes[kEventSituationByte]] = true;
    } else {
      widest = std::max(widest, EventDisplayWidth(record, situations));
    }
  }
  for (std::size_t code = 0; code < usualCodes.size(); ++code) {
    if (usualCodes[code])
      widest = std::max(widest, DisplayWidthOfParts(kDateTimeColumnWidth, kChannelColumnsWidth,
                                                    static_cast<char>(code), situations));
  }
  return widest;
}

std::size_t EventPrefixWidth(int sortColumn) {
  return HasPrefix(sortColumn) ? PieceOfColumn(sortColumn).width : 0;
}

std::string_view EventDisplayText(std::string_view stored, int sortColumn) {
  if (HasPrefix(sortColumn)) {
    const PrefixPiece piece = PieceOfColumn(sortColumn);
    stored.remove_prefix(StoredPrefixLength(stored.size(), piece.offset, piece.width));
  }
  if (!stored.empty()) stored.remove_suffix(1);
  return stored;
}

bool ShowsChannelColumns(char code) {
  for (std::size_t i = 0; i < kSituationsWithChannels; ++i)
    if (kSituations[i].code == code) return true;
  return false;
}

std::string_view EventFieldText(const ArchiveRecord& record, std::size_t columnIndex) {
  const EventColumn& column = kEventColumns[columnIndex];
  if (column.shape == EventFieldShape::kCharacter)
    return {reinterpret_cast<const char*>(record.bytes.data()) + column.recordOffset, 1};
  return TextField(record.RecordText(), column.recordOffset, column.recordWidth);
}

char SituationColourDigit(char code) {
  for (const Situation& situation : kSituations)
    if (situation.code == code) return situation.colourDigit;
  return '\0';
}

}  // namespace telvoran
