#pragma once

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "core/archive/ArchiveRecord.h"

namespace telvoran::test {

// How the dates of made-up records follow each other.
enum class DateRun {
  Rising,      // one minute apart, as an archive is written
  WithEquals,  // never falling, often equal
  Shuffled,    // in no order
  WithStrays,  // rising, with now and then a byte outside its range
  AllEqual,    // every record of one date and time
  Scattered,   // in no order, over years and to the second, copies anywhere in the file
};

// Made-up records of either kind, from few enough different bytes that many rows share sort
// prefixes, dates and whole texts: every way of ordering two rows gets taken. Now and then a
// field holds a zero byte, and some records repeat the one before.
class RandomRecords {
 public:
  explicit RandomRecords(unsigned seed) : random_(seed) {}

  std::vector<ArchiveRecord> Interval(std::size_t count, DateRun dates) {
    return Make(count, dates, 0, kIntervalKind, [this](ArchiveRecord& record) {
      for (std::size_t i = 6; i < 26; ++i) record.bytes[i] = Pick(" -.0159aAB");
    });
  }

  std::vector<ArchiveRecord> Event(std::size_t count, DateRun dates) {
    return Make(count, dates, 1, kEventKind, [this](ArchiveRecord& record) {
      record.bytes[0] = static_cast<unsigned char>(10 + Below(3) * 9);  // addresses 0, 9, 18
      if (Below(50) == 0) record.bytes[0] = static_cast<unsigned char>(Below(256));
      record.bytes[7] = Pick("12A");
      record.bytes[8] = Pick("GLHMWOFx");
      for (std::size_t i = 9; i < 22; ++i) record.bytes[i] = Pick(" .05aAb");
    });
  }

 private:
  template <typename Fields>
  std::vector<ArchiveRecord> Make(std::size_t count, DateRun dates, std::size_t dateByte,
                                  std::uint32_t kind, Fields fields) {
    std::vector<ArchiveRecord> records;
    long minute = 0;
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0 && Below(8) == 0) {
        records.push_back(records.back());
        continue;
      }
      ArchiveRecord record;
      for (int b = 0; b < 4; ++b)
        record.bytes[36 + b] = static_cast<unsigned char>(kind >> (8 * b));
      fields(record);
      if (Below(40) == 0) record.bytes[6 + Below(16)] = 0;
      if (dates == DateRun::Shuffled) minute = static_cast<long>(Below(3000));
      if (dates == DateRun::Rising || dates == DateRun::WithStrays) ++minute;
      if (dates == DateRun::WithEquals) minute += static_cast<long>(Below(2));
      unsigned char* date = record.bytes.data() + dateByte;
      long year = 5;
      long second = 0;
      if (dates == DateRun::Scattered) {
        minute = static_cast<long>(Below(3000));
        year = static_cast<long>(Below(4) * 31);
        second = static_cast<long>(Below(3));
      }
      const long values[] = {year, 3, 14 + minute / 1440, minute / 60 % 24, minute % 60, second};
      for (int f = 0; f < 6; ++f) date[f] = static_cast<unsigned char>(values[f] + 10);
      if (dates == DateRun::WithStrays && Below(30) == 0)
        date[Below(6)] = static_cast<unsigned char>(Below(2) ? Below(10) : 110 + Below(100));
      records.push_back(record);
    }
    if (dates == DateRun::Scattered) std::shuffle(records.begin(), records.end(), random_);
    return records;
  }

  unsigned Below(unsigned bound) { return static_cast<unsigned>(random_() % bound); }
  unsigned char Pick(const char* bytes) {
    return static_cast<unsigned char>(bytes[Below(static_cast<unsigned>(std::strlen(bytes)))]);
  }

  std::mt19937 random_;
};

}  // namespace telvoran::test
