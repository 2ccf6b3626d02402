#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/archive/DateTime.h"
#include "tools/mkarchive/RecordEncoding.h"
#include "tools/mkarchive/RecordOverrides.h"
#include "tools/mkarchive/ValueFormat.h"

namespace telvoran {

enum class ArchiveKind { kInterval, kEvent };

// One measuring channel: its label (in an event archive, the medium and unit written with
// the channel's events) and how its values are made up.
struct ChannelOptions {
  ChannelLabel label;
  ValueFormat format;
  double minimum = 0;
  double maximum = 100;
};

// The situation codes of the event view's table, in the order their weights are kept.
inline constexpr std::array<char, 7> kSituationCodes = {'G', 'L', 'H', 'M', 'W', 'O', 'F'};

struct SituationMix {
  // Weight of each code of kSituationCodes, in that order.
  std::array<unsigned, kSituationCodes.size()> weights = {6, 2, 2, 1, 1, 1, 1};
  // Weight of the codes outside the table, and the bytes used for them.
  unsigned otherWeight = 0;
  std::string otherCodes = "X";
};

// Everything telvoran-mkarchive is asked to write. Texts are Windows-1250.
struct MkArchiveOptions {
  bool showHelp = false;
  bool showVersion = false;

  ArchiveKind kind = ArchiveKind::kInterval;
  std::filesystem::path output;
  std::uint64_t records = 100;  // data records, after the header of an interval archive
  std::uint64_t seed = 1;
  DateTime start{2005, 3, 14, 8, 0, 0};
  // Interval archives: the exact time between records. Event archives: the longest time
  // between one event and the next.
  std::int64_t stepSeconds = 900;

  std::size_t channelCount = 2;
  std::array<ChannelOptions, kMaxChannels> channels = {{
      {{"T1",
        "\xB0"
        "C"},
       {},
       15,
       25},  // 0xB0 is the degree sign in Windows-1250
      {{"P1", "kPa"}, {}, 95, 105},
      {{"Q1", "m3/h"}, {}, 0, 50},
      {{"H1", "%RH"}, {}, 30, 70},
  }};

  // Event archives only.
  int addressLow = 1;
  int addressHigh = 1;
  SituationMix situations;

  // Share of data records, in percent, that repeat the record before them.
  unsigned duplicatePercent = 0;
  // Share of data records, in percent, taken out of time order and put back in random places
  // among themselves: archives whose records are not in time order.
  unsigned shufflePercent = 0;

  // Interval archives only.
  std::uint32_t headerKind = kIntervalKind;
  std::size_t headerRecords = kHeaderRecordCount;
  // Replaces the channel-count digit. '\0' ends the header text after its first character,
  // so that the digit is missing altogether.
  std::optional<char> channelCountCharacter;

  // Deliberate faults.
  RecordOverrides overrides;
  std::size_t trailingBytes = 0;

  std::uint64_t HeaderRecordCount() const {
    return kind == ArchiveKind::kInterval ? headerRecords : 0;
  }
  std::uint64_t WholeRecordCount() const { return HeaderRecordCount() + records; }
};

}  // namespace telvoran
