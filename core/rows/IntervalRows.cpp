#include "core/rows/IntervalRows.h"

#include "core/rows/DateTimeColumn.h"

namespace telvoran {
namespace {

constexpr std::size_t kValueWidth = 5;
constexpr std::size_t kSpacesAfterDateTime = 7;
constexpr std::size_t kSpacesAfterValue = 11;

bool IsChannelColumn(int sortColumn) {
  return sortColumn >= 2 && sortColumn <= 5;
}

// Where the value of the column's channel stands in the row, counted from 0.
std::size_t ValueOffset(int sortColumn) {
  return 16 * static_cast<std::size_t>(sortColumn) - 5;
}

}  // namespace

RowText IntervalRow(const ArchiveRecord& record, int channelCount, int sortColumn) {
  RowText row;
  AppendDateTime(row, record.bytes.data());
  row.AppendSpaces(kSpacesAfterDateTime);
  for (int k = 1; k <= channelCount && k <= 4; ++k) {
    const auto* value = reinterpret_cast<const char*>(record.bytes.data() + 5 * k + 1);
    row.Append(std::string_view(value, kValueWidth));
    row.AppendSpaces(kSpacesAfterValue);
  }
  if (IsChannelColumn(sortColumn)) row.PrefixWithCopy(ValueOffset(sortColumn), kValueWidth);
  return row;
}

std::string_view IntervalDisplayText(std::string_view stored, int sortColumn) {
  if (!IsChannelColumn(sortColumn)) return stored;
  stored.remove_prefix(StoredPrefixLength(stored.size(), ValueOffset(sortColumn), kValueWidth));
  if (!stored.empty()) stored.remove_suffix(1);
  return stored;
}

}  // namespace telvoran
