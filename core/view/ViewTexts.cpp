#include "core/view/ViewTexts.h"

#include "core/archive/ArchiveFile.h"
#include "core/rows/EventColumns.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

// Characters `first` to `first + count - 1` of `text`, counted from 1, cut at its end.
std::string_view Piece(std::string_view text, std::size_t first, std::size_t count) {
  if (first > text.size()) return {};
  return text.substr(first - 1, count);
}

}  // namespace

std::array<std::string, 4> ChannelPanelCaptions(std::string_view intervalHeader) {
  const int channels = ChannelCount(intervalHeader).value_or(0);
  std::array<std::string, 4> captions;
  for (std::size_t k = 1; k <= 4; ++k) {
    std::string& caption = captions[k - 1];
    caption = std::to_string(k);
    if (static_cast<int>(k) > channels) continue;
    caption += ' ';
    caption += Piece(intervalHeader, interval_header::NameOffset(k) + 1, kLabelWidth);
    caption += " [";
    caption += Piece(intervalHeader, interval_header::UnitOffset(k) + 1, kLabelWidth);
    caption += ']';
  }
  return captions;
}

std::vector<std::string> IntervalColumnCaptions(const StringLookup& strings,
                                                std::string_view intervalHeader) {
  std::vector<std::string> captions{std::string(strings.Text(sid::kDateTimeColumn))};
  for (std::string& caption : ChannelPanelCaptions(intervalHeader))
    captions.push_back(std::move(caption));
  return captions;
}

std::vector<std::string> EventColumnCaptions(const StringLookup& strings) {
  std::vector<std::string> captions;
  for (const EventColumn& column : kEventColumns)
    captions.emplace_back(strings.Text(column.captionId));
  return captions;
}

bool IsAbsentChannelCaption(std::string_view caption, int channel) {
  return caption == std::to_string(channel);
}

std::string IntervalViewTitle(const StringLookup& strings, std::string_view fileName) {
  std::string title(strings.Text(sid::kIntervalTitleStart));
  title += Piece(fileName, 13, 2);
  title += strings.Text(sid::kIntervalTitleMiddle);
  title += Piece(fileName, 1, 10);
  return title;
}

std::string EventViewTitle(const StringLookup& strings, std::string_view fileName) {
  std::string title(strings.Text(sid::kEventTitleStart));
  title += Piece(fileName, 1, 7);
  return title;
}

}  // namespace telvoran
