#include "core/report/ReportLines.h"

#include <cstddef>
#include <span>

namespace telvoran {
namespace {

constexpr std::size_t kRuleLength = 92;
constexpr std::ptrdiff_t kDateTimeFieldWidth = 20;
constexpr std::size_t kChannelTitleWidth = 13;
constexpr std::size_t kSituationTitleMaxLength = 20;
constexpr std::ptrdiff_t kSituationCentringWidth = 24;

// Column on which the mark's ">" stands, per sort column 1, 2, ...
constexpr std::array<std::ptrdiff_t, 5> kIntervalMarkEnds = {11, 30, 45, 60, 75};
constexpr auto kEventMarkEnds = [] {
  std::array<std::ptrdiff_t, kEventColumns.size()> ends{};
  for (std::size_t i = 0; i < ends.size(); ++i) ends[i] = kEventColumns[i].markEnd;
  return ends;
}();

std::ptrdiff_t Length(std::string_view text) {
  return static_cast<std::ptrdiff_t>(text.size());
}

std::string_view Cut(std::string_view text, std::size_t maxLength) {
  return text.substr(0, maxLength);
}

// The text followed by spaces up to `width` characters; a longer text is kept whole.
void AppendLeftAligned(std::string& line, std::string_view text, std::ptrdiff_t width) {
  line += text;
  if (width > Length(text)) line.append(width - Length(text), ' ');
}

// Spaces up to `width` characters, then the text; a longer text is kept whole.
void AppendRightAligned(std::string& line, std::string_view text, std::ptrdiff_t width) {
  if (width > Length(text)) line.append(width - Length(text), ' ');
  line += text;
}

// Columns 1 to 20: the title right-aligned in a field of its length plus half the free space
// (so centred, the odd space on the right), then a one-space filler widened to the rest of the
// 20 columns. A title of 20 characters fills its field and the filler still adds one space; a
// longer title is laid out as its first 20 characters, so the later columns stay where a
// 20-character title puts them.
void AppendDateTimeTitle(std::string& line, std::string_view title) {
  title = Cut(title, kDateTimeFieldWidth);
  const std::ptrdiff_t titleWidth = Length(title) + (kDateTimeFieldWidth - Length(title)) / 2;
  AppendRightAligned(line, title, titleWidth);
  AppendLeftAligned(line, " ", kDateTimeFieldWidth - titleWidth);
}

void AppendCutAndFilled(std::string& line, std::string_view text, std::size_t width) {
  AppendLeftAligned(line, Cut(text, width), static_cast<std::ptrdiff_t>(width));
}

// From column 54: the situation title, cut to 20 characters, right-aligned in a field of its
// full length plus half of what it lacks to 24 (integer division truncating toward zero, so a
// title longer than 24 characters widens the field).
void AppendSituationTitle(std::string& line, std::string_view title) {
  const std::ptrdiff_t width = Length(title) + (kSituationCentringWidth - Length(title)) / 2;
  AppendRightAligned(line, Cut(title, kSituationTitleMaxLength), width);
}

std::string MarkLine(std::span<const std::ptrdiff_t> markEnds, int sortColumn) {
  if (sortColumn < 1 || static_cast<std::size_t>(sortColumn) > markEnds.size()) return {};
  std::string line(markEnds[sortColumn - 1] - 2, ' ');
  line += "<>";
  return line;
}

}  // namespace

std::string ReportRule() {
  return std::string(kRuleLength, '-');
}

std::string IntervalColumnTitleLine(const std::array<std::string_view, 5>& captions) {
  std::string line;
  line.reserve(82);
  AppendDateTimeTitle(line, captions[0]);
  line += "   ";
  AppendCutAndFilled(line, captions[1], kChannelTitleWidth);
  for (std::size_t channel = 2; channel <= 4; ++channel) {
    line += "  ";
    AppendCutAndFilled(line, captions[channel], kChannelTitleWidth);
  }
  return line;
}

std::string EventColumnTitleLine(
    const std::array<std::string_view, kEventColumns.size()>& captions) {
  std::string line;
  line.reserve(80);
  AppendDateTimeTitle(line, captions[0]);
  for (std::size_t i = kFirstChannelColumn; i < kSituationColumnIndex; ++i) {
    line += "  ";
    AppendCutAndFilled(line, captions[i], kEventColumns[i].titleWidth);
  }
  line += "  ";
  AppendSituationTitle(line, captions[kSituationColumnIndex]);
  return line;
}

std::string IntervalSortMarkLine(int sortColumn) {
  return MarkLine(kIntervalMarkEnds, sortColumn);
}

std::string EventSortMarkLine(int sortColumn) {
  return MarkLine(kEventMarkEnds, sortColumn);
}

}  // namespace telvoran
