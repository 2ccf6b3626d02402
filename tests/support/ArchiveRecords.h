#pragma once

#include <string>
#include <vector>

#include "support/Records.h"

namespace telvoran::test {

// The four header records of an interval archive with `channels` channels ('0' to '4', or
// any character to make a bad header); channel k is named "Ck" with unit "Uk".
inline std::vector<ArchiveRecord> IntervalHeader(char channels = '2',
                                                 std::uint32_t kind = kIntervalKind) {
  std::string text = std::string("H") + channels;
  for (int k = 1; k <= 4; ++k) {
    text.resize(26 * k - 24, ' ');
    text += "C" + std::to_string(k) + "  U" + std::to_string(k) + "  ";
  }
  text.resize(4 * kRecordTextLength, ' ');
  std::vector<ArchiveRecord> records;
  for (int i = 0; i < 4; ++i) records.push_back(MakeRecord(text.substr(33 * i, 33), kind));
  return records;
}

// An interval record of 2005-03-14 08:minute:00 with two channel values.
inline ArchiveRecord IntervalRecord(int minute, std::string values = " 21.5101.0",
                                    std::uint32_t kind = kIntervalKind) {
  return MakeRecord(DateBytes(5, 3, 14, 8, minute, 0) + values, kind);
}

// An event record of central unit 5 at 2009-03-05 07:minute:09 with situation `code`.
inline ArchiveRecord EventRecord(int minute, char code = 'H', std::uint32_t kind = kEventKind) {
  return MakeRecord(
      std::string(1, 15) + DateBytes(9, 3, 5, 7, minute, 9) + "2" + code + " 45.0AB  cd  ", kind);
}

template <typename... More>
std::vector<ArchiveRecord> Join(std::vector<ArchiveRecord> records, const More&... more) {
  (records.insert(records.end(), more.begin(), more.end()), ...);
  return records;
}

}  // namespace telvoran::test
