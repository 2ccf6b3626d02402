#include "core/report/PageSelection.h"

#include <algorithm>

namespace telvoran {

bool PageChoice::Includes(int page) const {
  return ranges.empty() || std::any_of(ranges.begin(), ranges.end(), [page](const Range& range) {
           return range.first <= page && page <= range.last;
         });
}

PageSelection::PageSelection(PageSurface& target, PageChoice choice)
    : target_(target), choice_(std::move(choice)) {
  choice_.copies = std::max(1, choice_.copies);
}

void PageSelection::SetFont(std::string_view family, int pointSize) {
  target_.SetFont(family, pointSize);
}

std::optional<std::string> PageSelection::BeginDocument(std::string_view title) {
  title_ = title;
  pageNumber_ = 1;
  page_.clear();
  failed_ = false;
  return std::nullopt;
}

std::optional<std::string> PageSelection::NewPage() {
  std::optional<std::string> failure = FinishPage();
  ++pageNumber_;
  return failure;
}

std::optional<std::string> PageSelection::EndDocument() {
  std::optional<std::string> failure = FinishPage();
  if (!failure && KeepsPagesToTheEnd()) {
    if (choice_.lastPageFirst) std::reverse(keptPages_.begin(), keptPages_.end());
    const int documentCopies = choice_.collate ? choice_.copies : 1;
    const int pageCopies = choice_.collate ? 1 : choice_.copies;
    for (int copy = 0; copy < documentCopies && !failure; ++copy) {
      for (const Page& page : keptPages_) {
        for (int pageCopy = 0; pageCopy < pageCopies && !failure; ++pageCopy)
          failure = HandOn(page);
      }
    }
  }
  keptPages_.clear();
  if (!targetBegun_) return failure;
  targetBegun_ = false;
  std::optional<std::string> endFailure = target_.EndDocument();
  return failure ? failure : endFailure;
}

void PageSelection::AbortDocument() {
  page_.clear();
  keptPages_.clear();
  if (!targetBegun_) return;
  targetBegun_ = false;
  target_.AbortDocument();
}

void PageSelection::DrawText(int x, int y, std::string_view text) {
  page_.push_back({Drawing::Kind::kText, {x, y, 0, 0}, std::string(text)});
}

void PageSelection::DrawTextCentred(const PageRect& rect, std::string_view text) {
  page_.push_back({Drawing::Kind::kCentredText, rect, std::string(text)});
}

void PageSelection::DrawLine(int x1, int y1, int x2, int y2) {
  page_.push_back({Drawing::Kind::kLine, {x1, y1, x2, y2}, {}});
}

bool PageSelection::KeepsPagesToTheEnd() const {
  return choice_.lastPageFirst || (choice_.collate && choice_.copies > 1);
}

std::optional<std::string> PageSelection::FinishPage() {
  Page page = std::move(page_);
  page_.clear();
  if (!choice_.Includes(pageNumber_)) return std::nullopt;
  if (KeepsPagesToTheEnd()) {
    keptPages_.push_back(std::move(page));
    return std::nullopt;
  }
  for (int copy = 0; copy < choice_.copies; ++copy) {
    if (auto failure = HandOn(page)) return failure;
  }
  return std::nullopt;
}

std::optional<std::string> PageSelection::HandOn(const Page& page) {
  if (failed_) return std::nullopt;  // the failure has been told already
  if (auto failure = targetBegun_ ? target_.NewPage() : target_.BeginDocument(title_)) {
    failed_ = true;
    return failure;
  }
  targetBegun_ = true;
  ++pagesHandedOn_;
  for (const Drawing& drawing : page) {
    const PageRect& at = drawing.place;
    switch (drawing.kind) {
      case Drawing::Kind::kText:
        target_.DrawText(at.left, at.top, drawing.text);
        break;
      case Drawing::Kind::kCentredText:
        target_.DrawTextCentred(at, drawing.text);
        break;
      case Drawing::Kind::kLine:
        target_.DrawLine(at.left, at.top, at.right, at.bottom);
        break;
    }
  }
  return std::nullopt;
}

}  // namespace telvoran
