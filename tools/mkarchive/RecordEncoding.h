#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "tools/mkarchive/DateTime.h"

namespace telvoran {

inline constexpr std::size_t kMaxChannels = 4;
inline constexpr std::size_t kHeaderRecordCount = 4;
// Width of a channel value and of an event's reading, in characters.
inline constexpr std::size_t kValueWidth = 5;
// Width of a channel name, a unit and an event's medium, in characters.
inline constexpr std::size_t kLabelWidth = 4;

// All texts below are single-byte Windows-1250 strings, written into the record as they stand.
// A text shorter than its field is padded with spaces on the right; a longer one is refused.

// One stored moment of an interval archive. Values of channels above the archive's channel
// count may stay empty; they are written as spaces.
struct IntervalSample {
  DateTime time;
  std::array<std::string, kMaxChannels> values;
};

// One entry of an event archive.
struct EventSample {
  int centralAddress = 0;
  DateTime time;
  char channel = '1';
  char situation = 'G';
  std::string reading;
  std::string medium;
  std::string unit;
};

// The name and unit of one measuring channel, as the interval header holds them.
struct ChannelLabel {
  std::string name;
  std::string unit;
};

// Byte offsets of the fields of an interval record.
namespace interval_field {
inline constexpr std::size_t kYear = 0;
inline constexpr std::size_t kMonth = 1;
inline constexpr std::size_t kDay = 2;
inline constexpr std::size_t kHour = 3;
inline constexpr std::size_t kMinute = 4;
inline constexpr std::size_t kSecond = 5;
// Channel k (1 to 4) occupies bytes 5k+1 to 5k+5.
constexpr std::size_t ValueOffset(std::size_t channel) {
  return 5 * channel + 1;
}
}  // namespace interval_field

// Byte offsets of the fields of an event record.
namespace event_field {
inline constexpr std::size_t kCentralAddress = 0;
inline constexpr std::size_t kYear = 1;
inline constexpr std::size_t kMonth = 2;
inline constexpr std::size_t kDay = 3;
inline constexpr std::size_t kHour = 4;
inline constexpr std::size_t kMinute = 5;
inline constexpr std::size_t kSecond = 6;
inline constexpr std::size_t kChannel = 7;
inline constexpr std::size_t kSituation = 8;
inline constexpr std::size_t kReading = 9;
inline constexpr std::size_t kMedium = 14;
inline constexpr std::size_t kUnit = 18;
}  // namespace event_field

inline constexpr std::size_t kKindOffset = 36;

// An interval record (kind 26). Throws std::out_of_range when a date or time field cannot be
// stored in its byte and std::invalid_argument when a value is longer than 5 characters.
ArchiveRecord EncodeIntervalRecord(const IntervalSample& sample);

// An event record (kind 33), with the same failures as EncodeIntervalRecord.
ArchiveRecord EncodeEventRecord(const EventSample& sample);

// The four header records of an interval archive for the given channels (0 to 4 of them): the
// channel-count digit at position 2 of the header text, channel k's name at positions
// 26k-23 to 26k-20 and its unit at 26k-19 to 26k-16, spaces elsewhere, so that each record
// text has its full 33 characters. Throws std::invalid_argument for more than four channels
// or a label longer than 4 characters.
std::vector<ArchiveRecord> MakeIntervalHeader(std::span<const ChannelLabel> channels,
                                              std::uint32_t kind = kIntervalKind);

// Stores `kind` as a 32-bit little-endian integer in bytes 36 to 39.
void SetKind(ArchiveRecord& record, std::uint32_t kind);

}  // namespace telvoran
