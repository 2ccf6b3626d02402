#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace telvoran {

// The width of the date and time column when every field lies from 0 to 99.
inline constexpr std::size_t kDateTimeColumnWidth = 20;

// What was seen of the records' dates and times while they were read, in reading order. When
// every date lies in 2000 to 2099 with all its fields from 0 to 99, its text in a row is
// "20YY-MM-DD  hh:mm:ss" and orders as its six bytes do; when, besides, the dates never fell,
// rows with the same sort prefix are already in their list order, except among equal dates.
class DateTimeOrder {
 public:
  // Facts of nothing: no conclusion may be drawn from them.
  static DateTimeOrder Unknown() {
    DateTimeOrder order;
    order.allInRange_ = order.neverFell_ = order.roseStrictly_ = false;
    return order;
  }

  // A record's six bytes of year, month, day, hour, minute and second as one number, the year
  // in its highest byte, so that numbers order as dates do; and whether every field is in range.
  struct Moment {
    std::uint64_t date = 0;
    bool inRange = false;
  };
  static Moment MomentOf(const unsigned char* dateTime) {
    if constexpr (std::endian::native == std::endian::little) {
      // All six bytes at once: this runs for every record read and every row built. They are
      // loaded as four and two, put together in a register: six bytes copied into a word in
      // memory are stored in two pieces and read back as one, which the processor cannot
      // forward from its stores, and waits.
      std::uint32_t first = 0;
      std::uint16_t last = 0;
      std::memcpy(&first, dateTime, 4);
      std::memcpy(&last, dateTime + 4, 2);
      const std::uint64_t bytes = first | std::uint64_t{last} << 32;
      return {ByteSwapped(bytes) >> 16, AllInRange(bytes)};
    }
    Moment moment;
    moment.inRange = true;
    for (int i = 0; i < kBytes; ++i) {
      moment.date = moment.date << 8 | dateTime[i];
      // Each byte holds its number plus 10.
      moment.inRange = moment.inRange && static_cast<unsigned char>(dateTime[i] - 10) < 100;
    }
    return moment;
  }

  // Takes the next record's moment; true when it equals the one before.
  bool Note(Moment moment) {
    allInRange_ = allInRange_ && moment.inRange;
    const bool same = seenAny_ && moment.date == last_;
    if (seenAny_) {
      roseStrictly_ = roseStrictly_ && moment.date > last_;
      neverFell_ = neverFell_ && moment.date >= last_;
    }
    last_ = moment.date;
    seenAny_ = true;
    return same;
  }
  bool Note(const unsigned char* dateTime) { return Note(MomentOf(dateTime)); }

  bool AllInRange() const { return allInRange_; }
  bool NeverFell() const { return neverFell_; }
  bool RoseStrictly() const { return roseStrictly_; }

 private:
  static constexpr int kBytes = 6;

  static std::uint64_t ByteSwapped(std::uint64_t word) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_bswap64(word);
#else
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i, word >>= 8) swapped = swapped << 8 | (word & 0xFF);
    return swapped;
#endif
  }
  // Whether each of the six low bytes of `bytes` lies from 10 to 109, all eight looked at in one
  // step; the two high bytes, zero, are given a value in range first. Adding 18 to a byte below
  // 128 sets its high bit from 110 on, adding 118 from 10 on, and neither carries out of it.
  static bool AllInRange(std::uint64_t bytes) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const std::uint64_t x = bytes | std::uint64_t{0x3232} << 48;
    return (x & kHighBits) == 0 && ((x + 0x1212121212121212u) & kHighBits) == 0 &&
           ((x + 0x7676767676767676u) & kHighBits) == kHighBits;
  }

  std::uint64_t last_ = 0;
  bool seenAny_ = false;
  bool allInRange_ = true;
  bool neverFell_ = true;
  bool roseStrictly_ = true;
};

}  // namespace telvoran
