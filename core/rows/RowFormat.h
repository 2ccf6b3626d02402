#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "core/archive/ArchiveKind.h"
#include "core/archive/ArchiveRecord.h"
#include "core/sort/RowText.h"

namespace telvoran {

class SituationTexts;
class StringLookup;

// How the rows of one view are made from its records: the archive's kind, the view's sort
// column, the channel count of an interval archive or the situation texts of an event archive.
// A list's rows are all made with one format; changing the sort column makes a new list.
class RowFormat {
 public:
  // An interval view without channels, sorted by date and time.
  RowFormat();
  static RowFormat Interval(int channelCount, int sortColumn);
  // Looks the situation texts up once, for every row made with this format.
  static RowFormat Event(int sortColumn, const StringLookup& strings);

  ArchiveKind Kind() const { return kind_; }
  int SortColumn() const { return sortColumn_; }

  // The row of `record` as the list orders it: its sort prefix, then the row. `text` is
  // emptied first.
  void StoredText(const ArchiveRecord& record, RowText& text) const;
  // The beginning of StoredText(): at least the sort prefix, and the date and time after it as
  // far as `length` characters reach, built without the rest of the row where the record allows
  // it (true); otherwise the whole stored text (false). `text` is emptied first.
  bool StoredHead(const ArchiveRecord& record, std::size_t length, RowText& text) const;
  // The first `length` characters of StoredText(), written to `out` (room for kQuickHeadRoom)
  // straight from the record's bytes where the record and length allow it, which is quicker than
  // StoredHead(). Returns the length of the sort prefix, or -1 where the head must be built.
  int QuickHead(const ArchiveRecord& record, std::size_t length, char* out) const;
  // Whether the stored texts of two records are equal, where the records tell it without the
  // texts being built; nothing where they do not.
  std::optional<bool> StoredTextsEqual(const ArchiveRecord& a, const ArchiveRecord& b) const;
  // A number from 0 to 255 that records share exactly when the sort prefixes of their rows are
  // equal, where the record tells it without the prefix being built; -1 where it does not.
  int PrefixSlot(const ArchiveRecord& record) const;
  // What is drawn, printed and saved of the row of `record`: the stored text without its sort
  // prefix and, for an event row or an interval row sorted by a channel, without its last
  // character. Built in `text`.
  std::string_view DisplayText(const ArchiveRecord& record, RowText& text) const;
  // The length of DisplayText() of the record, found without building the text.
  std::size_t DisplayWidth(const ArchiveRecord& record) const;
  // The largest DisplayWidth() among the records; 0 without records.
  std::size_t WidestDisplayWidth(std::span<const ArchiveRecord> records) const;
  // The same, taken from a stored text.
  std::string_view DisplayTextOfStored(std::string_view stored) const;

  // The situation text of an event row of `code` followed by its colour digit, as the rows of
  // this format show it; empty for a code outside the table and for an interval format.
  std::string_view SituationTextOf(char code) const;

  // The most characters a sort prefix of this format can have.
  std::size_t WidestPrefix() const;

  // Where the date and time of a record begin (six bytes: year, month, day, hour, minute,
  // second).
  std::size_t DateTimeByte() const;

 private:
  void Build(const ArchiveRecord& record, int sortColumn, RowText& text) const;

  ArchiveKind kind_ = ArchiveKind::Interval;
  int sortColumn_ = 1;
  int channelCount_ = 0;
  std::shared_ptr<const SituationTexts> situations_;
};

}  // namespace telvoran
