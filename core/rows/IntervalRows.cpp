#include "core/rows/IntervalRows.h"

#include <algorithm>
#include <cstring>

#include "core/rows/DateTimeColumn.h"

namespace telvoran {
namespace {

constexpr std::size_t kSpacesAfterDateTime = 7;
constexpr std::size_t kSpacesAfterValue = 11;
constexpr std::size_t kChannelColumnWidth = kValueWidth + kSpacesAfterValue;

bool IsChannelColumn(int sortColumn) {
  return sortColumn >= 2 && sortColumn <= 5;
}

// Where the value of the column's channel stands in the row, counted from 0.
std::size_t ValueOffset(int sortColumn) {
  return 16 * static_cast<std::size_t>(sortColumn) - 5;
}

// The channel columns of values without a zero byte: copied in whole, spaces and all.
void AppendPlainValues(RowText& row, const char* values, int channels) {
  const std::size_t width = static_cast<std::size_t>(channels) * kChannelColumnWidth;
  char room[4 * kChannelColumnWidth];
  char* columns = row.Extend(width);
  // No room for all of them: as many as there is room for.
  if (columns == nullptr) columns = room;
  std::memset(columns, ' ', width);
  for (int k = 0; k < channels; ++k)
    std::memcpy(columns + k * kChannelColumnWidth, values + k * kValueWidth, kValueWidth);
  if (columns == room) row.AppendWhole(room, width);
}

// Writes the value of channel `channel` (from 0) as the row shows it to `out`: a zero byte drawn
// as a space.
void WriteShownValue(char* out, const ArchiveRecord& record, int channel) {
  const unsigned char* bytes = record.bytes.data() + interval_field::kFirstValue +
                               static_cast<std::size_t>(channel) * kValueWidth;
  for (std::size_t i = 0; i < kValueWidth; ++i)
    out[i] = bytes[i] == 0 ? ' ' : static_cast<char>(bytes[i]);
}

}  // namespace

void IntervalRow(const ArchiveRecord& record, int channelCount, int sortColumn, RowText& row) {
  row.Clear();
  AppendDateTime(row, record.bytes.data() + kIntervalDateTimeByte);
  row.AppendSpaces(kSpacesAfterDateTime);
  const int channels = std::clamp(channelCount, 0, 4);
  const auto* values =
      reinterpret_cast<const char*>(record.bytes.data() + interval_field::kFirstValue);
  const auto valueBytes = static_cast<std::size_t>(channels) * kValueWidth;
  if (std::memchr(values, 0, valueBytes) == nullptr) {
    AppendPlainValues(row, values, channels);
  } else {
    for (int k = 0; k < channels; ++k) {
      row.Append(std::string_view(values + k * kValueWidth, kValueWidth));
      row.AppendSpaces(kSpacesAfterValue);
    }
  }
  if (IsChannelColumn(sortColumn)) row.PrefixWithCopy(ValueOffset(sortColumn), kValueWidth);
}

RowText IntervalRow(const ArchiveRecord& record, int channelCount, int sortColumn) {
  RowText row;
  IntervalRow(record, channelCount, sortColumn, row);
  return row;
}

bool IntervalStoredHead(const ArchiveRecord& record, int channelCount, int sortColumn,
                        std::size_t length, RowText& head) {
  const unsigned char* dateTime = record.bytes.data() + kIntervalDateTimeByte;
  head.Clear();
  if (!IsChannelColumn(sortColumn)) {
    AppendDateTime(head, dateTime);
    return true;
  }
  const int channel = sortColumn - 2;
  if (channel >= std::clamp(channelCount, 0, 4) || !DateTimeInTwoDigits(dateTime)) return false;
  char value[kValueWidth];
  WriteShownValue(value, record, channel);
  AppendDateTimeBeginning(head, dateTime, length > kValueWidth ? length - kValueWidth : 0);
  head.PutPrefix(std::string_view(value, kValueWidth));
  return true;
}

int IntervalQuickHead(const ArchiveRecord& record, int channelCount, int sortColumn,
                      std::size_t length, char* out) {
  if (!IsChannelColumn(sortColumn) || length > kValueWidth + kDateTimeColumnWidth) return -1;
  const int channel = sortColumn - 2;
  const unsigned char* dateTime = record.bytes.data() + kIntervalDateTimeByte;
  if (channel >= std::clamp(channelCount, 0, 4) || !DateTimeInTwoDigits(dateTime)) return -1;
  WriteShownValue(out, record, channel);
  if (length > kValueWidth) WriteTwoDigitDateTime(out + kValueWidth, dateTime);
  return static_cast<int>(kValueWidth);
}

std::size_t IntervalPrefixWidth(int sortColumn) {
  return IsChannelColumn(sortColumn) ? kValueWidth : 0;
}

std::string_view IntervalDisplayText(std::string_view stored, int sortColumn) {
  if (!IsChannelColumn(sortColumn)) return stored;
  stored.remove_prefix(StoredPrefixLength(stored.size(), ValueOffset(sortColumn), kValueWidth));
  if (!stored.empty()) stored.remove_suffix(1);
  return stored;
}

// The display width of a row whose date and time take `dateTimeWidth` characters: every value
// takes its five characters whatever it holds.
static std::size_t DisplayWidthWithDateTime(std::size_t dateTimeWidth, int channelCount,
                                            int sortColumn) {
  const auto channels = static_cast<std::size_t>(std::clamp(channelCount, 0, 4));
  const std::size_t row = std::min(
      dateTimeWidth + kSpacesAfterDateTime + channels * kChannelColumnWidth, RowText::kRowRoom);
  return IsChannelColumn(sortColumn) && row > 0 ? row - 1 : row;
}

std::size_t IntervalDisplayWidth(const ArchiveRecord& record, int channelCount, int sortColumn) {
  return DisplayWidthWithDateTime(DateTimeWidth(record.bytes.data() + kIntervalDateTimeByte),
                                  channelCount, sortColumn);
}

std::size_t IntervalWidestDisplayWidth(std::span<const ArchiveRecord> records, int channelCount,
                                       int sortColumn) {
  // Rows with a date of this century are all equally wide; only the others are measured.
  bool anyUsual = false;
  std::size_t widest = 0;
  for (const ArchiveRecord& record : records) {
    if (DateTimeInTwoDigits(record.bytes.data() + kIntervalDateTimeByte)) {
      anyUsual = true;
    } else {
      widest = std::max(widest, IntervalDisplayWidth(record, channelCount, sortColumn));
    }
  }
  if (anyUsual)
    widest =
        std::max(widest, DisplayWidthWithDateTime(kDateTimeColumnWidth, channelCount, sortColumn));
  return widest;
}

}  // namespace telvoran
