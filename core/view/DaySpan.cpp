#include "core/view/DaySpan.h"

#include <chrono>

#include "core/archive/ArchiveFile.h"
#include "core/plant/FolderCatalogue.h"
#include "core/platform/Utf8Path.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

std::string ChannelText(const ChannelName& channel) {
  return channel.name + " [" + channel.unit + "]";
}

}  // namespace

std::string SpanViewTitle(const StringLookup& strings, const DaySpan& span) {
  std::string title(strings.Text(sid::kIntervalTitleStart));
  title += span.unit;
  title += strings.Text(sid::kSpanTitleMiddle);
  title += span.from;
  title += strings.Text(sid::kSpanTo);
  title += span.to;
  return title;
}

std::string SpanCaption(const StringLookup& strings, const DaySpan& span) {
  std::string caption(strings.Text(sid::kSpanCaption));
  caption += span.unit;
  caption += ": ";
  caption += span.from;
  caption += strings.Text(sid::kSpanTo);
  caption += span.to;
  return caption;
}

std::string HeaderDifference(const StringLookup& strings, std::string_view spanHeader,
                             std::string_view dayHeader) {
  const int spanCount = ChannelCount(spanHeader).value_or(0);
  const int dayCount = ChannelCount(dayHeader).value_or(0);
  std::string difference;
  if (dayCount != spanCount) {
    difference += strings.Text(sid::kSpanChannelCount);
    difference += std::to_string(dayCount);
    difference += strings.Text(sid::kSpanInsteadOf);
    difference += std::to_string(spanCount);
    return difference;
  }
  const std::vector<ChannelName> spanChannels = ChannelNames(spanHeader);
  const std::vector<ChannelName> dayChannels = ChannelNames(dayHeader);
  for (std::size_t k = 0; k < spanChannels.size() && k < dayChannels.size(); ++k) {
    const std::string day = ChannelText(dayChannels[k]);
    const std::string first = ChannelText(spanChannels[k]);
    if (day == first) continue;
    if (!difference.empty()) difference += ", ";
    difference += strings.Text(sid::kSpanChannel);
    difference += std::to_string(k + 1);
    difference += ' ';
    difference += day;
    difference += strings.Text(sid::kSpanInsteadOf);
    difference += first;
  }
  return difference;
}

std::optional<std::filesystem::path> NextDayFile(const std::filesystem::path& file,
                                                 std::string_view to) {
  const std::string name = Utf8FromPath(file.filename());
  const std::optional<plant::Day> day = plant::DayFromText(std::string_view(name).substr(0, 10));
  const std::optional<plant::Day> last = plant::DayFromText(to);
  if (!day || !last || *day >= *last) return std::nullopt;
  const std::string next = plant::DayText(*day + std::chrono::days(1)) + name.substr(10);
  return file.parent_path() / PathFromUtf8(next);
}

}  // namespace telvoran
