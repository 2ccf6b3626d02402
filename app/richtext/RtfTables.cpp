#include "app/richtext/RtfTables.h"

#include <algorithm>

namespace telvoran {
namespace {

constexpr qsizetype kMaxFonts = 4096;
constexpr qsizetype kMaxFontNameLength = 256;
constexpr qsizetype kMaxColors = 4096;

int ColorComponent(const std::optional<int>& value) {
  return std::clamp(value.value_or(0), 0, 255);
}

}  // namespace

void RtfFontTable::BeginFont(int index) {
  EndFont();
  pendingIndex_ = index;
}

void RtfFontTable::SetCharset(int charset) {
  if (pendingIndex_) pending_.codePage = CodePageFromCharset(charset);
}

void RtfFontTable::AppendText(QStringView text) {
  for (QChar c : text) {
    if (c == u';') {
      EndFont();
    } else if (pendingIndex_ && pending_.name.size() < kMaxFontNameLength) {
      pending_.name += c;
    }
  }
}

void RtfFontTable::EndFont() {
  if (pendingIndex_ && (fonts_.size() < kMaxFonts || fonts_.contains(*pendingIndex_))) {
    pending_.name = pending_.name.trimmed();
    fonts_.insert(*pendingIndex_, pending_);
  }
  pendingIndex_.reset();
  pending_ = {};
}

const RtfFont* RtfFontTable::Find(int index) const {
  const auto found = fonts_.constFind(index);
  return found == fonts_.constEnd() ? nullptr : &*found;
}

void RtfColorTable::AppendText(QStringView text) {
  for (QChar c : text) {
    if (c == u';') EndColor();
  }
}

void RtfColorTable::EndColor() {
  if (colors_.size() < kMaxColors) {
    colors_.append(HasPendingComponents()
                       ? QColor(ColorComponent(red_), ColorComponent(green_), ColorComponent(blue_))
                       : QColor());
  }
  red_.reset();
  green_.reset();
  blue_.reset();
}

QColor RtfColorTable::At(int index) const {
  return index >= 0 && index < colors_.size() ? colors_[index] : QColor();
}

}  // namespace telvoran
