#pragma once

#include <cstdint>

namespace telvoran {

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

  // Takes the next record's six bytes of year, month, day, hour, minute and second.
  void Note(const unsigned char* dateTime) {
    // The six bytes as one number, the year in its highest byte: numbers order as dates do.
    std::uint64_t date = 0;
    bool inRange = true;
    for (int i = 0; i < kBytes; ++i) {
      date = date << 8 | dateTime[i];
      // Each byte holds its number plus 10.
      inRange = inRange && static_cast<unsigned char>(dateTime[i] - 10) < 100;
    }
    allInRange_ = allInRange_ && inRange;
    if (seenAny_) {
      roseStrictly_ = roseStrictly_ && date > last_;
      neverFell_ = neverFell_ && date >= last_;
    }
    last_ = date;
    seenAny_ = true;
  }

  bool AllInRange() const { return allInRange_; }
  bool NeverFell() const { return neverFell_; }
  bool RoseStrictly() const { return roseStrictly_; }

 private:
  static constexpr int kBytes = 6;

  std::uint64_t last_ = 0;
  bool seenAny_ = false;
  bool allInRange_ = true;
  bool neverFell_ = true;
  bool roseStrictly_ = true;
};

}  // namespace telvoran
