#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/report/PageSurface.h"

namespace telvoran {

// The print dialog's choices that the program carries out itself: which pages, how many copies,
// collated or not, and whether the last page comes first.
struct PageChoice {
  struct Range {
    int first;
    int last;
  };
  std::vector<Range> ranges;  // pages from 1; none: every page
  int copies = 1;
  bool collate = true;
  bool lastPageFirst = false;

  bool Includes(int page) const;
};

// A page surface in front of the printer's: the page scheme draws every page of a printout once,
// numbered from 1, and this surface hands the chosen pages to `target` in the chosen order and
// number. The pages are recorded as they are drawn; a page goes on as soon as it is complete,
// unless copies are collated or the order reversed, which keep the pages until the end.
// The document on `target` begins with the first page handed on, so a printout none of whose
// pages is chosen leaves the printer untouched (see PagesHandedOn).
class PageSelection : public PageSurface {
 public:
  PageSelection(PageSurface& target, PageChoice choice);

  int PageWidth() const override { return target_.PageWidth(); }
  int PageHeight() const override { return target_.PageHeight(); }
  int VerticalDpi() const override { return target_.VerticalDpi(); }
  void SetFont(std::string_view family, int pointSize) override;
  int FontPointSize() const override { return target_.FontPointSize(); }
  int TextWidth(std::string_view text) const override { return target_.TextWidth(text); }

  std::optional<std::string> BeginDocument(std::string_view title) override;
  std::optional<std::string> NewPage() override;
  std::optional<std::string> EndDocument() override;
  // Hands nothing more on: the pages kept for the end are dropped.
  void AbortDocument() override;
  // The page of the printout being drawn, whether or not it is chosen.
  int PageNumber() const override { return pageNumber_; }

  void DrawText(int x, int y, std::string_view text) override;
  void DrawTextCentred(const PageRect& rect, std::string_view text) override;
  void DrawLine(int x1, int y1, int x2, int y2) override;

  // Pages that reached the printer, copies included.
  int PagesHandedOn() const { return pagesHandedOn_; }

 private:
  struct Drawing {
    enum class Kind { kText, kCentredText, kLine } kind;
    PageRect place;  // a text's corner is (left, top); a line runs from corner to corner
    std::string text;
  };
  using Page = std::vector<Drawing>;

  bool KeepsPagesToTheEnd() const;
  // The page drawn so far is complete: hands it on, keeps it or drops it.
  std::optional<std::string> FinishPage();
  std::optional<std::string> HandOn(const Page& page);

  PageSurface& target_;
  PageChoice choice_;
  std::string title_;
  int pageNumber_ = 0;
  Page page_;
  std::vector<Page> keptPages_;
  bool targetBegun_ = false;
  bool failed_ = false;  // the printer refused a page: nothing more is handed on
  int pagesHandedOn_ = 0;
};

}  // namespace telvoran
