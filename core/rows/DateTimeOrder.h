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

  // A record's six bytes of year, month, day, hour, minute and second as one number, the year
  // in its highest byte, so that numbers order as dates do; and whether every field is in range.
  struct Moment {
    std::uint64_t date = 0;
    bool inRange = false;
  };
  static Moment MomentOf(const unsigned char* dateTime) {
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

  std::uint64_t last_ = 0;
  bool seenAny_ = false;
  bool allInRange_ = true;
  bool neverFell_ = true;
  bool roseStrictly_ = true;
};

}  // namespace telvoran
