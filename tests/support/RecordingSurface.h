#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/report/PageSurface.h"

namespace telvoran::test {

// A page surface of a chosen size that records what is drawn, page by page.
class RecordingSurface : public PageSurface {
 public:
  struct Text {
    int page;
    int x;
    int y;
    std::string text;
  };
  struct CentredText {
    int page;
    PageRect rect;
    std::string text;
  };
  struct Line {
    int page;
    int x1, y1, x2, y2;
  };

  RecordingSurface(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}

  int PageWidth() const override { return width_; }
  int PageHeight() const override { return height_; }
  int VerticalDpi() const override { return dpi_; }

  void SetFont(std::string_view family, int pointSize) override {
    fontFamily = family;
    pointSize_ = pointSize;
  }
  int FontPointSize() const override { return pointSize_; }
  // Every character is `characterWidth` dots wide.
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * characterWidth;
  }

  std::optional<std::string> BeginDocument(std::string_view title) override {
    documentTitle = title;
    pageNumber_ = 1;
    events.push_back("begin");
    return std::nullopt;
  }
  std::optional<std::string> NewPage() override {
    events.push_back("new page");
    if (pageNumber_ == failNewPageAfter) return "printer jammed";
    ++pageNumber_;
    return std::nullopt;
  }
  void AbortDocument() override { events.push_back("abort"); }
  std::optional<std::string> EndDocument() override {
    events.push_back("end");
    return std::nullopt;
  }
  int PageNumber() const override { return pageNumber_; }

  void DrawText(int x, int y, std::string_view text) override {
    texts.push_back({pageNumber_, x, y, std::string(text)});
  }
  void DrawTextCentred(const PageRect& rect, std::string_view text) override {
    centred.push_back({pageNumber_, rect, std::string(text)});
  }
  void DrawLine(int x1, int y1, int x2, int y2) override {
    lines.push_back({pageNumber_, x1, y1, x2, y2});
  }

  // Texts drawn at x = 200 on `page`, top to bottom as drawn.
  std::vector<Text> BodyOf(int page) const {
    std::vector<Text> body;
    for (const Text& text : texts) {
      if (text.page == page) body.push_back(text);
    }
    return body;
  }

  int PagesBegun() const { return pageNumber_; }

  std::string fontFamily;
  std::string documentTitle;
  std::vector<std::string> events;
  std::vector<Text> texts;
  std::vector<CentredText> centred;
  std::vector<Line> lines;
  // NewPage fails when called on this page (0: never).
  int failNewPageAfter = 0;
  int characterWidth = 50;

 private:
  int width_;
  int height_;
  int dpi_;
  int pointSize_ = 0;
  int pageNumber_ = 0;
};

}  // namespace telvoran::test
