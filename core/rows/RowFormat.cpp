#include "core/rows/RowFormat.h"

#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"

namespace telvoran {

RowFormat::RowFormat() = default;

RowFormat RowFormat::Interval(int channelCount, int sortColumn) {
  RowFormat format;
  format.kind_ = ArchiveKind::Interval;
  format.sortColumn_ = sortColumn;
  format.channelCount_ = channelCount;
  return format;
}

RowFormat RowFormat::Event(int sortColumn, const StringLookup& strings) {
  RowFormat format;
  format.kind_ = ArchiveKind::Event;
  format.sortColumn_ = sortColumn;
  format.situations_ = std::make_shared<const SituationTexts>(strings);
  return format;
}

void RowFormat::StoredText(const ArchiveRecord& record, RowText& text) const {
  Build(record, sortColumn_, text);
}

bool RowFormat::StoredHead(const ArchiveRecord& record, std::size_t length, RowText& text) const {
  const bool headOnly = kind_ == ArchiveKind::Event
                            ? EventStoredHead(record, sortColumn_, *situations_, length, text)
                            : IntervalStoredHead(record, channelCount_, sortColumn_, length, text);
  if (!headOnly) StoredText(record, text);
  return headOnly;
}

int RowFormat::QuickHead(const ArchiveRecord& record, std::size_t length, char* out) const {
  return kind_ == ArchiveKind::Event
             ? EventQuickHead(record, sortColumn_, *situations_, length, out)
             : IntervalQuickHead(record, channelCount_, sortColumn_, length, out);
}

std::optional<bool> RowFormat::StoredTextsEqual(const ArchiveRecord& a,
                                                const ArchiveRecord& b) const {
  // An event row's sort prefix is a piece of its row: equal rows have equal prefixes.
  if (kind_ == ArchiveKind::Event) return EventRowsEqual(a, b, *situations_);
  return std::nullopt;
}

int RowFormat::PrefixSlot(const ArchiveRecord& record) const {
  return kind_ == ArchiveKind::Event ? EventPrefixSlot(record, sortColumn_, *situations_) : -1;
}

std::string_view RowFormat::DisplayText(const ArchiveRecord& record, RowText& text) const {
  // The row is the same under every sort column, which only adds a prefix in front of it.
  Build(record, 1, text);
  std::string_view row = text.Row();
  const bool dropsLast =
      kind_ == ArchiveKind::Event || (sortColumn_ >= 2 && sortColumn_ <= kIntervalSortColumns);
  if (dropsLast && !row.empty()) row.remove_suffix(1);
  return row;
}

std::string_view RowFormat::SituationTextOf(char code) const {
  return situations_ ? situations_->Of(code) : std::string_view();
}

std::size_t RowFormat::DisplayWidth(const ArchiveRecord& record) const {
  return kind_ == ArchiveKind::Event ? EventDisplayWidth(record, *situations_)
                                 : IntervalDisplayWidth(record, channelCount_, sortColumn_);
}

std::size_t RowFormat::WidestDisplayWidth(std::span<const ArchiveRecord> records) const {
  return kind_ == ArchiveKind::Event ? EventWidestDisplayWidth(records, *situations_)
                                 : IntervalWidestDisplayWidth(records, channelCount_, sortColumn_);
}

void RowFormat::Build(const ArchiveRecord& record, int sortColumn, RowText& text) const {
  if (kind_ == ArchiveKind::Event) {
    EventRow(record, sortColumn, *situations_, text);
  } else {
    IntervalRow(record, channelCount_, sortColumn, text);
  }
}

std::string_view RowFormat::DisplayTextOfStored(std::string_view stored) const {
  return kind_ == ArchiveKind::Event ? EventDisplayText(stored, sortColumn_)
                                 : IntervalDisplayText(stored, sortColumn_);
}

std::size_t RowFormat::DateTimeByte() const {
  return kind_ == ArchiveKind::Event ? kEventDateTimeByte : kIntervalDateTimeByte;
}

}  // namespace telvoran

namespace telvoran {

std::size_t RowFormat::WidestPrefix() const {
  return kind_ == ArchiveKind::Event ? EventPrefixWidth(sortColumn_) : IntervalPrefixWidth(sortColumn_);
}

}  // namespace telvoran
