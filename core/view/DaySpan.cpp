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

std::vector<std::filesystem::path> LateDayFiles(const DaySpan& span) {
  std::vector<std::filesystem::path> late;
  auto dayOf = [](const std::string& name) {
    return plant::DayFromText(std::string_view(name).substr(0, std::min<std::size_t>(10, name.size())));
  };
  for (std::size_t k = 1; k < span.files.size(); ++k) {
    const std::filesystem::path& earlier = span.files[k - 1];
    const std::filesystem::path& later = span.files[k];
    const std::string before = Utf8FromPath(earlier.filename());
    const std::string after = Utf8FromPath(later.filename());
    const std::optional<plant::Day> from = dayOf(before);
    const std::optional<plant::Day> to = dayOf(after);
    if (!from || !to) continue;
    for (plant::Day day = *from + std::chrono::days(1); day < *to; day += std::chrono::days(1)) {
      const std::string text = plant::DayText(day);
      std::vector<std::filesystem::path> candidates{earlier.parent_path() /
                                                    PathFromUtf8(text + before.substr(10))};
      if (later.parent_path() != earlier.parent_path())
        candidates.push_back(later.parent_path() / PathFromUtf8(text + after.substr(10)));
      for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
          late.push_back(candidate);
          break;
        }
      }
    }
  }
  return late;
}

}  // namespace telvoran
