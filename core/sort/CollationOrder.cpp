// The sort of a view's rows: their stored texts in collation order, equal texts in reading order.
//
// Words used here:
//   reading order  the order records were read in; a record's index counts in it.
//   list order     the order the view lists its rows in: the result.
//   stored text    a row as it is compared: its sort prefix (a copy of the sort column, empty
//                  when sorted by date), the date and time, the rest of the row.
//   head           the beginning of a stored text: enough characters to tell most rows apart,
//                  built without the rest of the row (SortSpeedUps::StoredHead()).
//   quick head     a head written straight from a record's bytes, without a text being built
//                  (SortSpeedUps::QuickHead()).
//   slot           a number from 0 to 255 that rows with equal sort prefixes share, told from
//                  the record (SortSpeedUps::PrefixSlot()).
//   marks          one bit a record: whether it repeats the date and time of the record read
//                  before it (RepeatedDates).
//   words          the 64-bit numbers sorted: key bits above, the record's index below.
//
// Words. A word holds collation weights of a few characters of its row (the key) in its high
// bits and the row's index, counted from the first record sorted, in its low bits, as few as
// the count needs. Ordering words as plain numbers therefore orders rows by their keys and keeps
// rows of equal keys in reading order: the sort is stable without ever comparing indices, and
// any way of ordering numbers (radix passes, std::sort, merges) may be used.
//
// The row shape every shortcut relies on: a stored text is its sort prefix, then the date and
// time, which is "20YY-MM-DD  hh:mm:ss" (kDateTimeColumnWidth characters, ordering as the six
// bytes of the record do) when every field lies from 0 to 99 (DateTimeOrder::AllInRange()), then
// the rest of the row. So rows of equal prefixes are in list order by date, and only rows of
// equal prefixes and equal dates need the rest of their texts.
//
// The ladder, tried in this order (Sorter::Run()):
//   1. Nothing to sort: no rows, or rows by date whose dates rose strictly as read. The reading
//      order is the list order, and nothing is allocated.
//   2. Rows by date whose dates never fell, with marks: only the groups of equal dates the marks
//      show are sorted; words are made once a group is out of order.
//   3. Rows by date whose dates never fell, without marks: each run of equal dates is sorted.
//   4. Rows by date in no order, every date in range, the records in memory
//      (SortByDateTime()): the six fields of each date, read from the record, make one number
//      that is the key; radix passes order the words, and only groups of equal dates that are
//      not all copies of one record are sorted further, as in 6.
//   5. Prefixes wider than a key, few of them different: each row's prefix gets a class (built
//      once a slot), the classes are ranked, and the rows sorted by rank; then each run of one
//      prefix as in 3 when the dates never fell, else as in 4, else as in 6.
//   6. Any rows (SortRange()): a range of at most kFew rows is put in order by insertion of its
//      texts; a range in order already is left; else every word gets the weights of the next
//      few characters as its key (from a quick head, a head or the whole text), the words are
//      sorted (radix passes from kRadixFrom words, else std::sort), and each run of equal keys
//      is sorted the same way from the characters after the key (by date as in 4 when the key
//      covered every prefix, all equally long); texts that ended inside the key are ordered by
//      their bytes.
// Long ranges have their keys made and their words sorted on two threads, a half each.
//
// Memory: 8 bytes a row for the words and at most 4 for the scratch area of the radix passes
// and merges (room for half of the words), 12 bytes a row at most besides the records while the
// sort runs; the result, 4 bytes a row, is written over the words. Two bits a row more note
// what the sort learnt of neighbouring rows' texts on its way (NeighbourMarks), which spares
// the search for repeated rows most reaches into the records.

#include "core/sort/CollationOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <numeric>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "core/sort/Collation.h"
#include "core/sort/PrefixClasses.h"
#include "core/sort/SideBySide.h"
#include "core/sort/SortMemory.h"

namespace telvoran {
namespace {

// One row while it is sorted: the collation weights of some characters of its stored text in
// the high bits, its record index (counted from the first record sorted) in the low bits. Words
// in reading order are in ascending index order, so ordering words as numbers orders their rows
// by those weights and keeps rows of equal weights in reading order.
using Word = std::uint64_t;

// Ranges of this many rows at most are sorted by comparing their texts, built once each.
constexpr std::size_t kFew = 16;
// Ranges from this size on are sorted a key byte at a time; smaller ones by comparing words.
constexpr std::size_t kRadixFrom = 2048;
// Ranges from this size on are worked on by two threads, a half each: their rows' texts built
// for the keys, their words sorted.
constexpr std::size_t kTwoThreadsFrom = 1 << 15;
// Rows whose texts are built between two looks at whether the sort was asked to stop: a few
// milliseconds of work.
constexpr std::ptrdiff_t kRowsBetweenStopChecks = 1 << 16;

// Loops that reach records in no order ask for the record this many words ahead.
constexpr std::ptrdiff_t kAhead = 16;

// Asks for the cache line of `byte` ahead of a loop that reaches it a few steps later.
inline void FetchAhead(const unsigned char* byte) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(byte);
#else
  (void)byte;
#endif
}

// Compares two stored texts whose collation weights are equal before `shared`.
bool LessFrom(std::string_view a, std::string_view b, std::size_t shared) {
  const int order = Collation::Compare(a.substr(std::min(shared, a.size())),
                                       b.substr(std::min(shared, b.size())));
  return order != 0 ? order < 0 : a < b;
}

class Sorter {
 public:
  Sorter(const SortSource& source, RecordIndex first, std::size_t count, const DateTimeOrder& dates,
         SortMemory* memory, const WorkProgress* progress)
      : source_(source),
        first_(first),
        count_(count),
        dates_(dates),
        repeats_(source.DateRepeats()),
        indexBits_(static_cast<int>(std::bit_width(std::max<std::size_t>(count, 2) - 1))),
        indexMask_((Word{1} << indexBits_) - 1),
        keyChars_(static_cast<std::size_t>(64 - indexBits_) / 8),
        memory_(memory),
        progress_(progress) {}

  CollationOrder Run();

 private:
  // The least and the most characters of sort prefix among some rows.
  struct PrefixWidths {
    std::size_t least = std::numeric_limits<std::size_t>::max();
    std::size_t most = 0;
  };

  RecordIndex IndexOf(Word word) const {
    return first_ + static_cast<RecordIndex>(word & indexMask_);
  }
  Word KeyOf(Word word) const { return word >> indexBits_; }
  void BuildText(Word word, RowText& text) const { source_.StoredText(IndexOf(word), text); }
  std::string_view TextUpTo(Word word, std::size_t length, RowText& text) const;

  bool ReadingOrderIsListOrder() const;
  Word* MakeWords();
  CollationOrder SortGroupsOfEqualDates();
  bool RowsWithinPrefixInReadingOrder() const;
  bool SortByPrefixClasses(Word* begin, Word* end);
  bool PutClasses(Word* begin, Word* end, PrefixClasses& classes);
  bool PutClasses(Word* begin, Word* end, PrefixClasses& classes, RowText& row) const;
  bool PutBackReadingOrder(Word* begin, Word* end) const;
  void SortRange(Word* begin, Word* end, std::size_t shared);
  PrefixWidths PutKeys(Word* begin, Word* end, std::size_t offset);
  PrefixWidths PutKeys(Word* begin, Word* end, std::size_t offset, RowText& row) const;
  // How the keys of a radix sort are cut: `count` digits of `bits` bits each, from the lowest.
  struct Digits {
    int bits = 8;
    int count = 0;
  };
  Digits KeyBytes() const { return {8, static_cast<int>(keyChars_)}; }
  static Digits DigitsOf(int keyBits);
  void SortWords(Word* begin, Word* end);
  void SortWords(Word* begin, Word* end, Digits digits);
  void SortWords(Word* begin, Word* end, std::span<Word> scratch, bool twoThreads,
                 Digits digits) const;
  void SortRuns(Word* begin, Word* end, std::size_t covered, PrefixWidths widths);
  void SortEqualDateTimes(Word* begin, Word* end, std::size_t shared);
  bool SortByDateTime(Word* begin, Word* end, std::size_t offset);
  bool SameDateTime(Word earlier, Word later) const;
  bool InOrder(const Word* begin, const Word* end, std::size_t shared);
  void SortFew(Word* begin, Word* end);
  void SortEqualWeights(Word* begin, Word* end);
  std::size_t ScratchWords() const;
  Word* Scratch();
  static void MergeHalves(Word* begin, Word* middle, Word* end, Word* scratch);
  CollationOrder Result();
  // Notes that the row of `word` differs in its text from the row before it in the list.
  void MarkDiffers(const Word* word) { Mark(neighbours_.differs, word); }
  // Notes that the row of `word` has the text of the row before it.
  void MarkEqual(const Word* word) { Mark(neighbours_.equal, word); }
  void Mark(std::vector<std::uint64_t>& bits, const Word* word) {
    const auto place = static_cast<std::size_t>(word - static_cast<const Word*>(words_.Data()));
    bits[place / 64] |= std::uint64_t{1} << (place % 64);
  }
  // Gives up the sort, throwing SortCancelled, once whoever waits for it asked it to stop.
  void StopIfAsked() const {
    if (StopAsked(progress_)) throw SortCancelled{};
  }

  const SortSource& source_;
  const RecordIndex first_;
  const std::size_t count_;
  const DateTimeOrder dates_;
  // Asked once: the runs of equal dates look at them for every row.
  const RepeatedDates* const repeats_;
  const int indexBits_;
  const Word indexMask_;
  const std::size_t keyChars_;
  // Memory prepared for the sort ahead, if any.
  SortMemory* const memory_;
  const WorkProgress* const progress_;
  platform::LargeBuffer words_;
  platform::LargeBuffer scratch_;
  RowText text_;
  RowText otherText_;
  std::array<RowText, kFew> fewTexts_;
  // What the sort learns of neighbours: where runs of different keys or dates meet, and groups
  // of copies of one record.
  NeighbourMarks neighbours_;
};

// The stored text of a word's row, or a beginning of it at least `length` characters long: the
// sort prefix and as much of the date and time as is needed are mostly built alone, without the
// rest of the row.
std::string_view Sorter::TextUpTo(Word word, std::size_t length, RowText& text) const {
  const SortSpeedUps::Head head = source_.StoredHead(IndexOf(word), length, text);
  if (head == SortSpeedUps::Head::kNothing ||
      (head == SortSpeedUps::Head::kBeginning && text.Text().size() < length))
    BuildText(word, text);
  return text.Text();
}

// Archives are written in time order: sorted by date and time, their rows most often are in
// list order as read.
bool Sorter::ReadingOrderIsListOrder() const {
  return source_.WithoutPrefixes() && RowsWithinPrefixInReadingOrder() && dates_.RoseStrictly();
}

// Every row is its sort prefix, its date and time of 20 characters ordering as the date's bytes,
// then the rest. When no date fell while reading, rows whose prefixes have equal weights and
// equal lengths are therefore in list order as read, except among rows of equal dates.
bool Sorter::RowsWithinPrefixInReadingOrder() const {
  return dates_.AllInRange() && dates_.NeverFell();
}

CollationOrder Sorter::Run() {
  if (count_ == 0 || ReadingOrderIsListOrder()) return {};
  const bool byDateInReadingOrder = source_.WithoutPrefixes() && RowsWithinPrefixInReadingOrder();
  if (byDateInReadingOrder && repeats_) return SortGroupsOfEqualDates();
  Word* begin = MakeWords();
  Word* end = begin + count_;
  if (byDateInReadingOrder) {
    SortEqualDateTimes(begin, end, kDateTimeColumnWidth);
  } else if (source_.WithoutPrefixes()) {
    if (!SortByDateTime(begin, end, 0)) SortRange(begin, end, 0);
  } else if (source_.WidestPrefix() <= keyChars_ || !SortByPrefixClasses(begin, end)) {
    SortRange(begin, end, 0);
  }
  scratch_.Resize(0);
  return Result();
}

// A word for every row, each holding its index alone, in reading order.
Word* Sorter::MakeWords() {
  if (memory_) words_ = memory_->TakeWords(count_ * sizeof(Word));
  words_.Resize(count_ * sizeof(Word));
  words_.Prepare(0, words_.Size());
  Word* begin = static_cast<Word*>(words_.Data());
  for (std::size_t i = 0; i < count_; ++i) begin[i] = i;
  neighbours_.differs.assign((count_ + 63) / 64, 0);
  neighbours_.equal.assign((count_ + 63) / 64, 0);
  return begin;
}

// Rows in list order as read but within groups of equal dates, which the marks of repeated
// dates find without a look at every row: only those groups are sorted, and words for every
// row are made once a group is found out of order. Most archives have none.
CollationOrder Sorter::SortGroupsOfEqualDates() {
  Word* words = nullptr;
  auto sortGroup = [&](std::size_t from, std::size_t to) {
    if (!words) {
      std::array<Word, kFew> few;
      if (to - from <= kFew) {
        std::iota(few.begin(), few.begin() + (to - from), Word{from});
        if (InOrder(few.data(), few.data() + (to - from), kDateTimeColumnWidth)) return;
      }
      words = MakeWords();
    }
    SortRange(words + from, words + to, kDateTimeColumnWidth);
  };
  // Record first_ + i repeats the date of the one before it: the group of i - 1 goes on to i.
  std::size_t groupFrom = 0;
  std::size_t groupTo = 0;
  repeats_->ForEachMarked(first_ + 1, first_ + count_, [&](std::size_t record) {
    const std::size_t i = record - first_;
    if (i == groupTo) {
      ++groupTo;
      return;
    }
    if (groupTo - groupFrom > 1) sortGroup(groupFrom, groupTo);
    groupFrom = i - 1;
    groupTo = i + 1;
  });
  if (groupTo - groupFrom > 1) sortGroup(groupFrom, groupTo);
  scratch_.Resize(0);
  if (!words) return {};
  return Result();
}

// Prefixes wider than a key, few of them different (one for each situation): the rows are
// ordered by the rank of their prefix among the others, and then, among equal prefixes, as
// rows that share them. False when the prefixes are too many, or when the order of two of
// them depends on the rest of the rows; the words are then left as they were.
bool Sorter::SortByPrefixClasses(Word* begin, Word* end) {
  PrefixClasses classes;
  if (!PutClasses(begin, end, classes)) return PutBackReadingOrder(begin, end);
  // With every date in range, each row goes on after its prefix with "20" of its year.
  const auto ranks = classes.Ranks(dates_.AllInRange() ? "20" : "");
  if (!ranks) return PutBackReadingOrder(begin, end);
  std::vector<std::size_t> widths(ranks->size());
  for (Word* word = begin; word != end; ++word) {
    const auto id = static_cast<std::uint32_t>(KeyOf(*word));
    widths[(*ranks)[id]] = classes.Width(id);
    *word = Word{(*ranks)[id]} << indexBits_ | (*word & indexMask_);
  }
  SortWords(begin, end);
  for (Word* run = begin; run != end;) {
    const Word rank = KeyOf(*run);
    Word* runEnd = run + 1;
    while (runEnd != end && KeyOf(*runEnd) == rank) ++runEnd;
    const std::size_t width = widths[rank];
    if (runEnd - run > 1) {
      if (!RowsWithinPrefixInReadingOrder()) {
        if (!SortByDateTime(run, runEnd, width)) SortRange(run, runEnd, width);
      } else if (!dates_.RoseStrictly()) {
        SortEqualDateTimes(run, runEnd, width + kDateTimeColumnWidth);
      }
    }
    run = runEnd;
  }
  return true;
}

// Gives each word the class of its row's prefix as its key; false when the prefixes are too
// many. A long range is looked at on two threads, a half each, with classes of their own: the
// second half's classes are then given the numbers they have among the first half's.
bool Sorter::PutClasses(Word* begin, Word* end, PrefixClasses& classes) {
  if (static_cast<std::size_t>(end - begin) < kTwoThreadsFrom || !source_.FromAnyThread())
    return PutClasses(begin, end, classes, text_);
  Word* const middle = begin + (end - begin) / 2;
  PrefixClasses secondClasses;
  RowText secondText;
  bool first = false;
  bool second = false;
  RunSideBySide([&] { first = PutClasses(begin, middle, classes, text_); },
                [&] { second = PutClasses(middle, end, secondClasses, secondText); });
  if (!first || !second) return false;
  std::vector<std::uint32_t> ids(secondClasses.Count());
  for (std::uint32_t id = 0; id < ids.size(); ++id) {
    ids[id] = classes.ClassOf(secondClasses.Prefix(id));
    if (ids[id] == PrefixClasses::kTooMany) return false;
  }
  for (Word* word = middle; word != end; ++word)
    *word = Word{ids[KeyOf(*word)]} << indexBits_ | (*word & indexMask_);
  return true;
}

// A row whose record gives the slot of its prefix takes the class found for that slot before:
// its prefix is built only for the first row of each slot.
bool Sorter::PutClasses(Word* begin, Word* end, PrefixClasses& classes, RowText& row) const {
  constexpr std::uint32_t kNotFound = PrefixClasses::kTooMany;
  std::array<std::uint32_t, 256> classOfSlot;
  classOfSlot.fill(kNotFound);
  for (Word* word = begin; word != end; ++word) {
    if ((word - begin) % kRowsBetweenStopChecks == 0) StopIfAsked();
    const int slot = source_.PrefixSlot(IndexOf(*word));
    std::uint32_t id = slot >= 0 ? classOfSlot[static_cast<std::size_t>(slot)] : kNotFound;
    if (id == kNotFound) {
      id = classes.ClassOf(TextUpTo(*word, 0, row).substr(0, row.PrefixLength()));
      if (id == PrefixClasses::kTooMany) return false;
      if (slot >= 0) classOfSlot[static_cast<std::size_t>(slot)] = id;
    }
    *word = Word{id} << indexBits_ | (*word & indexMask_);
  }
  return true;
}

// Gives every word its index alone again, in reading order; false, for a strategy given up.
bool Sorter::PutBackReadingOrder(Word* begin, Word* end) const {
  for (Word* word = begin; word != end; ++word) *word = static_cast<Word>(word - begin);
  return false;
}

// Sorts rows whose texts have equal weights before `shared`, which stand in reading order:
// by the weights of the next few characters, packed into their words, then each run of rows
// sharing those by the characters after them. A range in order already is left as it is.
void Sorter::SortRange(Word* begin, Word* end, std::size_t shared) {
  if (static_cast<std::size_t>(end - begin) <= kFew) {
    SortFew(begin, end);
    return;
  }
  StopIfAsked();
  if (InOrder(begin, end, shared)) return;
  const PrefixWidths widths = PutKeys(begin, end, shared);
  SortWords(begin, end);
  SortRuns(begin, end, shared + keyChars_, widths);
}

// Gives each word the weights of the characters of its row from `offset` on as its key. The
// rows' texts are most of the sort's work: a long range has them built on two threads, a half
// each.
Sorter::PrefixWidths Sorter::PutKeys(Word* begin, Word* end, std::size_t offset) {
  if (static_cast<std::size_t>(end - begin) < kTwoThreadsFrom || !source_.FromAnyThread())
    return PutKeys(begin, end, offset, text_);
  Word* const middle = begin + (end - begin) / 2;
  PrefixWidths first;
  PrefixWidths second;
  RowText secondText;
  RunSideBySide([&] { first = PutKeys(begin, middle, offset, text_); },
                [&] { second = PutKeys(middle, end, offset, secondText); });
  return {std::min(first.least, second.least), std::max(first.most, second.most)};
}

Sorter::PrefixWidths Sorter::PutKeys(Word* begin, Word* end, std::size_t offset,
                                     RowText& row) const {
  PrefixWidths widths;
  const std::size_t length = offset + keyChars_;
  char quickHead[kQuickHeadRoom];
  for (Word* word = begin; word != end; ++word) {
    if ((word - begin) % kRowsBetweenStopChecks == 0) StopIfAsked();
    // Most rows' keys are told from their records' bytes at once; the others build their heads.
    const int quickPrefix = source_.QuickHead(IndexOf(*word), length, quickHead);
    const std::string_view text =
        quickPrefix >= 0 ? std::string_view(quickHead, length) : TextUpTo(*word, length, row);
    const std::size_t prefixLength =
        quickPrefix >= 0 ? static_cast<std::size_t>(quickPrefix) : row.PrefixLength();
    widths.least = std::min(widths.least, prefixLength);
    widths.most = std::max(widths.most, prefixLength);
    Word key = 0;
    for (std::size_t i = offset; i < offset + keyChars_; ++i)
      key =
          key << 8 | (i < text.size() ? Collation::Weight(static_cast<unsigned char>(text[i])) : 0);
    *word = key << indexBits_ | (*word & indexMask_);
  }
  return widths;
}

// Orders the words as numbers, with the scratch area, which has room for half of all words.
void Sorter::SortWords(Word* begin, Word* end) {
  SortWords(begin, end, KeyBytes());
}

// The same, for keys whose bits above the lowest `digits` cover are all zero.
void Sorter::SortWords(Word* begin, Word* end, Digits digits) {
  SortWords(begin, end, {Scratch(), ScratchWords()}, true, digits);
}

// Keys of `keyBits` bits cut into as few digits as the widest digit allows, all equally wide:
// each digit is a pass over the words, and a wider one spreads them over more places.
Sorter::Digits Sorter::DigitsOf(int keyBits) {
  constexpr int kWidestDigit = 11;
  const int count = std::max(1, (keyBits + kWidestDigit - 1) / kWidestDigit);
  return {(keyBits + count - 1) / count, count};
}

// A long range goes a digit of the key at a time from the last (a key byte, unless told
// otherwise), each pass spreading the words over the digit's values in one sweep; a digit every
// key shares needs no pass. The passes keep the order of equal keys, which is the ascending
// order of the indices. A range longer than `scratch` is sorted in two halves that are then
// merged; when `twoThreads` allows, the halves of a long range are
// sorted on two threads, each with part of the scratch area, room for half of its half.
void Sorter::SortWords(Word* begin, Word* end, std::span<Word> scratch, bool twoThreads,
                       Digits digits) const {
  const auto count = static_cast<std::size_t>(end - begin);
  if (count < kRadixFrom) {
    std::sort(begin, end);
    return;
  }
  if (count > scratch.size()) {
    Word* middle = begin + count / 2;
    if (twoThreads && count >= kTwoThreadsFrom) {
      const std::span<Word> first = scratch.first((middle - begin + 1) / 2);
      const std::span<Word> second = scratch.subspan(first.size());
      RunSideBySide([&] { SortWords(begin, middle, first, false, digits); },
                    [&] { SortWords(middle, end, second, false, digits); });
    } else {
      SortWords(begin, middle, scratch, false, digits);
      SortWords(middle, end, scratch, false, digits);
    }
    MergeHalves(begin, middle, end, scratch.data());
    return;
  }
  const std::size_t values = std::size_t{1} << digits.bits;
  const auto passes = static_cast<std::size_t>(digits.count);
  const Word mask = values - 1;
  // The counts of every digit's values at once, then their places; a range holds fewer than
  // 2^32 words.
  std::vector<std::uint32_t> counts(passes * values);
  auto digit = [&](Word word, std::size_t pass) {
    return static_cast<std::size_t>(word >> (indexBits_ + digits.bits * static_cast<int>(pass)) &
                                    mask);
  };
  for (const Word* word = begin; word != end; ++word) {
    for (std::size_t pass = 0; pass < passes; ++pass) ++counts[pass * values + digit(*word, pass)];
  }
  Word* from = begin;
  Word* to = scratch.data();
  for (std::size_t pass = 0; pass < passes; ++pass) {
    StopIfAsked();
    std::uint32_t* const places = counts.data() + pass * values;
    if (places[digit(*from, pass)] == count) continue;
    std::uint32_t place = 0;
    for (std::size_t value = 0; value < values; ++value)
      place += std::exchange(places[value], place);
    for (const Word* word = from; word != from + count; ++word)
      to[places[digit(*word, pass)]++] = *word;
    std::swap(from, to);
  }
  if (from != begin) std::copy(from, from + count, begin);
}

// Room for half of all words sorted, plus one, which every range of the words within it uses in
// turn. Half, so that the sort needs 12 bytes a row at most, not 16.
std::size_t Sorter::ScratchWords() const {
  return count_ / 2 + 1;
}

Word* Sorter::Scratch() {
  if (scratch_.Size() == 0) {
    if (memory_) scratch_ = memory_->TakeScratch(ScratchWords() * sizeof(Word));
    scratch_.Resize(ScratchWords() * sizeof(Word));
    scratch_.Prepare(0, scratch_.Size());
  }
  return static_cast<Word*>(scratch_.Data());
}

// Merges the sorted words [begin, middle) and [middle, end) into [begin, end), the first half
// moved to `scratch` first. Written out rather than std::merge, which may not write over its
// input: here the words written never reach the second half's words not yet read.
void Sorter::MergeHalves(Word* begin, Word* middle, Word* end, Word* scratch) {
  Word* first = scratch;
  Word* const firstEnd = std::copy(begin, middle, first);
  Word* second = middle;
  Word* out = begin;
  while (first != firstEnd && second != end) {
    const bool takeSecond = *second < *first;
    *out++ = takeSecond ? *second : *first;
    second += takeSecond;
    first += !takeSecond;
  }
  std::copy(first, firstEnd, out);
}

// Puts the rows of every run of equal keys in order; the keys hold the weights of the
// characters before `covered`.
void Sorter::SortRuns(Word* begin, Word* end, std::size_t covered, PrefixWidths widths) {
  // Rows sharing the weights of prefixes that are all equally long are ordered by the dates
  // after them: they keep their reading order when no date fell, unless they share their dates
  // too, for that order then says nothing of the rest of the rows.
  const bool runsBeforeDates = widths.least == widths.most && widths.most <= covered &&
                               covered < widths.most + kDateTimeColumnWidth;
  const bool runsInReadingOrder = RowsWithinPrefixInReadingOrder() && runsBeforeDates;
  for (Word* run = begin; run != end;) {
    const Word key = KeyOf(*run);
    // Different weights at the same characters: different texts.
    if (run != begin) MarkDiffers(run);
    Word* runEnd = run + 1;
    while (runEnd != end && KeyOf(*runEnd) == key) ++runEnd;
    if (runEnd - run > 1) {
      if (runsInReadingOrder) {
        if (!dates_.RoseStrictly())
          SortEqualDateTimes(run, runEnd, widths.most + kDateTimeColumnWidth);
      } else if ((key & 0xFF) == 0) {
        // The texts ended inside these characters: their weights are equal to the end.
        SortEqualWeights(run, runEnd);
      } else if (!runsBeforeDates || !SortByDateTime(run, runEnd, widths.most)) {
        SortRange(run, runEnd, covered);
      }
    }
    run = runEnd;
  }
}

// Sorts rows whose texts have equal weights before `offset`, where each has its date and time,
// by their dates told from the records' bytes as numbers, each field a digit from 0 to 99: a few
// radix passes over the words, without a text built. Then each group of equal dates is sorted
// by the rest of its texts. False, the words as they were, where the dates are not all in range,
// their bytes not in memory, or their numbers too wide for the words.
bool Sorter::SortByDateTime(Word* begin, Word* end, std::size_t offset) {
  const SortSpeedUps::RecordBytes records = source_.RecordsInMemory();
  const auto count = static_cast<std::size_t>(end - begin);
  if (!dates_.AllInRange() || !records.first || count <= kFew) return false;
  auto record = [&](Word word) { return records.first + IndexOf(word) * records.size; };
  auto number = [&](Word word) {
    const unsigned char* date = record(word) + records.dateTime;
    Word value = 0;
    for (int i = 0; i < 6; ++i) value = value * 100 + static_cast<Word>(date[i] - 10);
    return value;
  };
  // The numbers are below 100^6 < 2^40; as keys they are counted from the least.
  constexpr int kNumberBits = 40;
  Word least = std::numeric_limits<Word>::max();
  Word most = 0;
  const bool numbersFitWords = kNumberBits + indexBits_ <= 64;
  for (Word* word = begin; word != end; ++word) {
    // Words sorted by a prefix reach their records in no order: each is asked for ahead.
    if (end - word > kAhead) FetchAhead(record(word[kAhead]) + records.dateTime);
    const Word value = number(*word);
    least = std::min(least, value);
    most = std::max(most, value);
    // Each record is reached once where the words have room for the whole numbers.
    if (numbersFitWords) *word = value << indexBits_ | (*word & indexMask_);
  }
  const int spanBits = std::bit_width(most - least);
  if (static_cast<std::size_t>(spanBits) > 8 * keyChars_) {
    if (numbersFitWords)
      for (Word* word = begin; word != end; ++word) *word &= indexMask_;
    return false;
  }
  for (Word* word = begin; word != end; ++word) {
    const Word value = numbersFitWords ? KeyOf(*word) : number(*word);
    *word = (value - least) << indexBits_ | (*word & indexMask_);
  }
  // The dates of an archive span a narrow range: only the bits that vary are sorted, in few
  // wide digits.
  SortWords(begin, end, DigitsOf(spanBits));
  StopIfAsked();
  for (Word* group = begin; group != end;) {
    // Only groups of equal dates look at their records: theirs are asked for ahead.
    if (end - group > kAhead + 1 && KeyOf(group[kAhead]) == KeyOf(group[kAhead + 1])) {
      FetchAhead(record(group[kAhead]));
      FetchAhead(record(group[kAhead + 1]));
    }
    const Word key = KeyOf(*group);
    // Different dates after prefixes equally wide: different texts.
    if (group != begin) MarkDiffers(group);
    Word* groupEnd = group + 1;
    // Most often a group is a record and its copies, which stay as read.
    bool copies = true;
    while (groupEnd != end && KeyOf(*groupEnd) == key) {
      copies = copies && std::memcmp(record(*group), record(*groupEnd), records.size) == 0;
      ++groupEnd;
    }
    if (groupEnd - group > 1) {
      if (!copies) {
        SortRange(group, groupEnd, offset + kDateTimeColumnWidth);
      } else {
        for (const Word* copy = group + 1; copy != groupEnd; ++copy) MarkEqual(copy);
      }
    }
    group = groupEnd;
  }
  return true;
}

// Sorts each group of rows with the same date and time among rows that are in list order
// but for such groups, and whose texts have equal weights before `shared`.
void Sorter::SortEqualDateTimes(Word* begin, Word* end, std::size_t shared) {
  for (Word* group = begin; group != end;) {
    // Different dates after prefixes equally wide: different texts.
    if (group != begin) MarkDiffers(group);
    Word* groupEnd = group + 1;
    while (groupEnd != end && SameDateTime(groupEnd[-1], *groupEnd)) ++groupEnd;
    if (groupEnd - group > 1) SortRange(group, groupEnd, shared);
    group = groupEnd;
  }
}

// Whether the rows of two words, the first read before the second, with no date falling between,
// share their date: never when the second does not repeat the date read before it, which the
// marks tell for most rows without a call on the source.
bool Sorter::SameDateTime(Word earlier, Word later) const {
  if (repeats_ && dates_.NeverFell() && !repeats_->SameAsBefore(IndexOf(later))) return false;
  return source_.SameDateTime(IndexOf(earlier), IndexOf(later));
}

// Whether rows whose texts have equal weights before `shared` are in list order: one pass that
// builds each text once.
bool Sorter::InOrder(const Word* begin, const Word* end, std::size_t shared) {
  RowText* previous = &text_;
  RowText* next = &otherText_;
  BuildText(*begin, *previous);
  for (const Word* word = begin + 1; word != end; ++word) {
    BuildText(*word, *next);
    if (LessFrom(next->Text(), previous->Text(), shared)) return false;
    std::swap(previous, next);
  }
  return true;
}

// A few rows: their texts built once, put in order by insertion, which keeps equal texts in
// reading order.
void Sorter::SortFew(Word* begin, Word* end) {
  const auto count = static_cast<std::size_t>(end - begin);
  std::array<std::size_t, kFew> slots;
  std::array<Word, kFew> words;
  for (std::size_t i = 0; i < count; ++i) {
    BuildText(begin[i], fewTexts_[i]);
    words[i] = begin[i];
    std::size_t j = i;
    for (; j > 0 && Collation::RowLess(fewTexts_[i].Text(), fewTexts_[slots[j - 1]].Text()); --j)
      slots[j] = slots[j - 1];
    slots[j] = i;
  }
  for (std::size_t i = 0; i < count; ++i) begin[i] = words[slots[i]];
}

// Rows whose texts have equal weights to their ends: ordered by their bytes, equal texts in
// reading order. Such rows are most often copies of one record.
void Sorter::SortEqualWeights(Word* begin, Word* end) {
  if (static_cast<std::size_t>(end - begin) <= kFew) {
    SortFew(begin, end);
    return;
  }
  if (InOrder(begin, end, 0)) return;
  std::sort(begin, end, [this](Word a, Word b) {
    BuildText(a, text_);
    BuildText(b, otherText_);
    const int order = text_.Text().compare(otherText_.Text());
    return order != 0 ? order < 0 : (a & indexMask_) < (b & indexMask_);
  });
}

// The record indices in list order, written over the words they came from; the reading order
// itself when that is what the sort found.
CollationOrder Sorter::Result() {
  auto* bytes = static_cast<unsigned char*>(words_.Data());
  bool readingOrder = true;
  for (std::size_t i = 0; i < count_; ++i) {
    Word word;
    std::memcpy(&word, bytes + i * sizeof(Word), sizeof word);
    const RecordIndex index = IndexOf(word);
    readingOrder = readingOrder && index == first_ + i;
    // Index i lands within word i / 2, which has been read already.
    std::memcpy(bytes + i * sizeof(RecordIndex), &index, sizeof index);
  }
  if (readingOrder) return {};
  words_.Resize(count_ * sizeof(RecordIndex));
  return {false, LargeArray<RecordIndex>(std::move(words_), count_), std::move(neighbours_)};
}

}  // namespace

CollationOrder SortByCollation(const SortSource& source, RecordIndex first, std::size_t count,
                               const DateTimeOrder& dates, SortMemory* memory,
                               const WorkProgress* progress) {
  return Sorter(source, first, count, dates, memory, progress).Run();
}

}  // namespace telvoran
