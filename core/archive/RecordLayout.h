#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of the archives' records, the one place it is written down: everything that
// reads or writes a record's fields takes its offsets and widths from here.
//
// Every record has 40 bytes: a payload in bytes 0 to 35 and the record's kind, a 32-bit
// little-endian integer, in bytes 36 to 39 (26 for an interval record, 33 for an event). Bytes 0
// to 32 read as single-byte text are the record text, cut at its first zero byte.
//
// Numbers (date and time fields, an event's central unit) are stored as one byte each holding the
// number plus 10; the year is counted from 2000. A date and time is six such bytes in the order
// year, month, day, hour, minute, second.
//
//   interval record                      event record
//   0..5    date and time                0       central unit address
//   6..10   channel 1 value (5 chars)    1..6    date and time
//   11..15  channel 2 value              7       channel character
//   16..20  channel 3 value              8       situation code
//   21..25  channel 4 value              9..13   reading (5 chars)
//                                        14..17  medium (4 chars)
//                                        18..21  unit (4 chars)
//
// The first four records of an interval archive are its header, one text running on across their
// four record texts: the channel count as a digit at position 2, and channel k's name and unit
// (4 characters each) at positions 26k-23 and 26k-19, counted from 1.

namespace telvoran {

inline constexpr std::size_t kRecordSize = 40;
inline constexpr std::size_t kRecordTextLength = 33;
inline constexpr std::size_t kKindOffset = 36;
inline constexpr std::size_t kKindWidth = 4;
inline constexpr std::uint32_t kIntervalKind = 26;
inline constexpr std::uint32_t kEventKind = 33;

// Number bytes hold their number plus kByteBias; a year byte counts from kYearBase.
inline constexpr int kByteBias = 10;
inline constexpr int kYearBase = 2000;
inline constexpr std::size_t kDateTimeBytes = 6;

constexpr int DecodedByte(unsigned char byte) {
  return int{byte} - kByteBias;
}

// Width of a channel value and of an event's reading, in characters.
inline constexpr std::size_t kValueWidth = 5;
// Width of a channel name, a unit and an event's medium, in characters.
inline constexpr std::size_t kLabelWidth = 4;
inline constexpr std::size_t kMaxChannels = 4;

// Byte offsets of the fields of an interval record.
namespace interval_field {
inline constexpr std::size_t kDateTime = 0;
inline constexpr std::size_t kYear = 0;
inline constexpr std::size_t kMonth = 1;
inline constexpr std::size_t kDay = 2;
inline constexpr std::size_t kHour = 3;
inline constexpr std::size_t kMinute = 4;
inline constexpr std::size_t kSecond = 5;
inline constexpr std::size_t kFirstValue = kDateTime + kDateTimeBytes;
// Channel k (1 to 4) occupies bytes 5k+1 to 5k+5.
constexpr std::size_t ValueOffset(std::size_t channel) {
  return kFirstValue + (channel - 1) * kValueWidth;
}
}  // namespace interval_field

// Byte offsets of the fields of an event record.
namespace event_field {
inline constexpr std::size_t kCentralAddress = 0;
inline constexpr std::size_t kDateTime = 1;
inline constexpr std::size_t kYear = 1;
inline constexpr std::size_t kMonth = 2;
inline constexpr std::size_t kDay = 3;
inline constexpr std::size_t kHour = 4;
inline constexpr std::size_t kMinute = 5;
inline constexpr std::size_t kSecond = 6;
inline constexpr std::size_t kChannel = 7;
inline constexpr std::size_t kSituation = 8;
inline constexpr std::size_t kReading = 9;
inline constexpr std::size_t kMedium = kReading + kValueWidth;
inline constexpr std::size_t kUnit = kMedium + kLabelWidth;
// The bytes an event's row is built from end here.
inline constexpr std::size_t kFieldsEnd = kUnit + kLabelWidth;
}  // namespace event_field

// Positions in the header text of an interval archive, counted from 0.
namespace interval_header {
inline constexpr std::size_t kRecordCount = 4;
inline constexpr std::size_t kChannelCountDigit = 1;
constexpr std::size_t NameOffset(std::size_t channel) {
  return 26 * channel - 24;
}
constexpr std::size_t UnitOffset(std::size_t channel) {
  return NameOffset(channel) + kLabelWidth;
}
}  // namespace interval_header

static_assert(interval_field::ValueOffset(kMaxChannels) + kValueWidth <= kRecordTextLength);
static_assert(event_field::kFieldsEnd == 22 && event_field::kFieldsEnd <= kRecordTextLength);
static_assert(kKindOffset + kKindWidth == kRecordSize);

}  // namespace telvoran
