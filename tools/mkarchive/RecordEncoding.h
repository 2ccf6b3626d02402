#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/archive/ArchiveRecord.h"
#include "core/archive/DateTime.h"

namespace telvoran {

inline constexpr std::size_t kHeaderRecordCount = interval_header::kRecordCount;

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

}  // namespace telvoran
