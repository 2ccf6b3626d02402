#include "core/report/PageScheme.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/report/LineWrapping.h"
#include "core/report/PageNumberText.h"
#include "core/report/TextReport.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kTextLeft = 200;
constexpr int kFrameLeft = 20;
constexpr int kFooterRuleGap = 2;
constexpr int kHeadingBlockFirstSlot = 5;
constexpr int kFirstRowSlot = 10;
constexpr int kFirstHelpLineSlot = 5;
constexpr int kFirstSlotOfLaterPages = 4;
constexpr int kPictureFirstSlot = 3;
// A filtered view's note, under page 1's heading and above the heading block.
constexpr int kFilterNoteSlot = 3;

struct PageLayout {
  int pageWidth = 0;
  int pageHeight = 0;
  int lineHeight = 1;
  int linesPerPage = 0;
};

// Sets the printing font and measures the lines it gives on this printer.
PageLayout SetUpFont(PageSurface& surface, std::string_view family, int pointSize) {
  surface.SetFont(family, pointSize);
  PageLayout layout;
  layout.pageWidth = surface.PageWidth();
  layout.pageHeight = surface.PageHeight();
  layout.lineHeight =
      std::max(1, LineHeight(FontHeight(surface.FontPointSize(), surface.VerticalDpi())));
  layout.linesPerPage = LinesPerPage(layout.pageHeight, layout.lineHeight);
  return layout;
}

std::string DocumentTitle(std::string_view titleCopy, std::string_view caption) {
  std::string title(titleCopy);
  title += " - ";
  title += caption;
  return title;
}

// The rectangle of page 1's heading; the footers later move its top and bottom.
PageRect FirstPageFrame(const PageLayout& layout) {
  return {kFrameLeft, layout.lineHeight, layout.pageWidth, 2 * layout.lineHeight};
}

std::string Heading(const StringLookup& strings, int prefixId, std::string_view caption) {
  std::string heading(strings.Text(prefixId));
  heading += caption;
  return heading;
}

int FooterTop(int pageHeight, int lineHeight) {
  return pageHeight - 2 * lineHeight;
}

// The lowest slot whose line ends above the footer's rule. Results below 4 (pages too small for
// a single body line) need not be exact: they never win against a page's first slot.
int LowestSlotAboveFooter(const PageLayout& layout) {
  const int ruleY = FooterTop(layout.pageHeight, layout.lineHeight) - kFooterRuleGap;
  return ruleY / layout.lineHeight - 1;
}

// The last slot a body line may take on a page whose body starts at `firstSlot`: LinesPerPage − 1
// on a page of the regular size. Page 1 is regular down to LinesPerPage = its first slot, where
// it takes no body line at all. A page too short for that rule takes body lines down to the
// footer instead: a continuation page at least one line, so the printout always moves on, while
// page 1 may take none and leave its lines to page 2.
int LastBodySlot(const PageLayout& layout, int firstSlot, bool continuationPage) {
  const bool regular =
      continuationPage ? layout.linesPerPage > firstSlot : layout.linesPerPage >= firstSlot;
  if (regular) return layout.linesPerPage - 1;
  const int lowest = LowestSlotAboveFooter(layout);
  return continuationPage ? std::max(lowest, firstSlot) : lowest;
}

// Draws `count` body lines, line i being `lineAt(i)`, one per slot: from `firstSlot` on page 1
// and from slot 4 on later pages. A line that finds its page full ends that page with its
// footer and begins the next. The last page is left open for its footer.
template <typename LineAt>
std::optional<std::string> PrintBody(PageSurface& surface, const StringLookup& strings,
                                     const PageLayout& layout, PageRect& frame, int firstSlot,
                                     std::size_t count, LineAt lineAt,
                                     WorkProgress* progress = nullptr) {
  int lastSlot = LastBodySlot(layout, firstSlot, false);
  int slot = firstSlot - 1;
  for (std::size_t line = 0; line < count; ++line) {
    ++slot;
    if (slot > lastSlot) {
      if (progress) {
        progress->Done(line);
        if (progress->Cancelled()) return std::nullopt;
      }
      PrintPageFooter(surface, frame, layout.lineHeight, strings);
      if (auto failure = surface.NewPage()) return failure;
      slot = kFirstSlotOfLaterPages;
      lastSlot = LastBodySlot(layout, kFirstSlotOfLaterPages, true);
    }
    surface.DrawText(kTextLeft, slot * layout.lineHeight, lineAt(line));
  }
  return std::nullopt;
}

// The paragraphs as lines that fit between the left text margin and the right page edge.
std::vector<std::string> WrappedLines(const PageSurface& surface, const PageLayout& layout,
                                      std::span<const std::string> paragraphs) {
  const int width = layout.pageWidth - kTextLeft;
  const TextMeasure measure = [&surface](std::string_view text) { return surface.TextWidth(text); };
  std::vector<std::string> lines;
  for (const std::string& paragraph : paragraphs) {
    for (std::string& line : WrapParagraph(paragraph, width, measure))
      lines.push_back(std::move(line));
  }
  return lines;
}

// Ends the job: the last page's footer (unless the body failed), then the end of the document.
// Returns the first failure.
std::optional<std::string> FinishJob(PageSurface& surface, const StringLookup& strings,
                                     const PageLayout& layout, PageRect& frame,
                                     std::optional<std::string> bodyFailure) {
  if (!bodyFailure) PrintPageFooter(surface, frame, layout.lineHeight, strings);
  std::optional<std::string> endFailure = surface.EndDocument();
  return bodyFailure ? bodyFailure : endFailure;
}

}  // namespace

int FontHeight(int pointSize, int verticalDpi) {
  const std::int64_t dotsTimes72 =
      std::llabs(static_cast<std::int64_t>(pointSize) * static_cast<std::int64_t>(verticalDpi));
  return static_cast<int>((dotsTimes72 + kPointsPerInch / 2) / kPointsPerInch);
}

int LineHeight(int fontHeight) {
  return fontHeight + (4 * fontHeight) / 10;
}

int LinesPerPage(int pageHeight, int lineHeight) {
  return pageHeight / std::max(1, lineHeight) - 4;
}

void PrintPageFooter(PageSurface& surface, PageRect& frame, int lineHeight,
                     const StringLookup& strings) {
  const std::string number =
      PageNumberText(strings.Text(sid::kPageNumberPattern), surface.PageNumber());
  frame.top = FooterTop(surface.PageHeight(), lineHeight);
  frame.bottom = frame.top + lineHeight;
  surface.DrawTextCentred(frame, number);
  const int ruleY = frame.top - kFooterRuleGap;
  surface.DrawLine(0, ruleY, surface.PageWidth(), ruleY);
}

std::optional<std::string> PrintDataView(PageSurface& surface, const StringLookup& strings,
                                         std::string_view titleCopy, const ReportSource& source,
                                         std::string_view fontFamily, int fontPointSize,
                                         WorkProgress* progress) {
  const std::string caption = source.Caption();
  const PageLayout layout = SetUpFont(surface, fontFamily, fontPointSize);
  if (auto failure = surface.BeginDocument(DocumentTitle(titleCopy, caption))) return failure;

  PageRect frame = FirstPageFrame(layout);
  surface.DrawTextCentred(frame, Heading(strings, sid::kPrintHeading, caption));
  if (const std::optional<FilterNote> note = source.Filtering()) {
    PageRect noteFrame = frame;
    noteFrame.top = kFilterNoteSlot * layout.lineHeight;
    noteFrame.bottom = noteFrame.top + layout.lineHeight;
    surface.DrawTextCentred(noteFrame, FilterNoteLine(*note, strings));
  }
  int slot = kHeadingBlockFirstSlot;
  for (const std::string& line : ReportHeadingLines(source)) {
    surface.DrawText(kTextLeft, slot++ * layout.lineHeight, line);
  }

  auto rowAt = [&source](std::size_t row) { return source.DisplayText(row); };
  if (progress) progress->Step(sid::kWorkPrinting, source.RowCount());
  std::optional<std::string> failure = PrintBody(surface, strings, layout, frame, kFirstRowSlot,
                                                 source.RowCount(), rowAt, progress);
  if (StopAsked(progress)) {
    surface.AbortDocument();
    return std::nullopt;
  }
  return FinishJob(surface, strings, layout, frame, std::move(failure));
}

std::optional<std::string> PrintHelpText(PageSurface& surface, const StringLookup& strings,
                                         std::string_view titleCopy, std::string_view helpCaption,
                                         std::span<const std::string> paragraphs,
                                         std::string_view fontFamily, int fontPointSize) {
  const PageLayout layout = SetUpFont(surface, fontFamily, fontPointSize);
  const std::vector<std::string> lines = WrappedLines(surface, layout, paragraphs);
  if (auto failure = surface.BeginDocument(DocumentTitle(titleCopy, helpCaption))) return failure;

  PageRect frame = FirstPageFrame(layout);
  surface.DrawTextCentred(frame, Heading(strings, sid::kHelpPrintHeading, helpCaption));

  auto lineAt = [&lines](std::size_t line) -> std::string_view { return lines[line]; };
  std::optional<std::string> failure =
      PrintBody(surface, strings, layout, frame, kFirstHelpLineSlot, lines.size(), lineAt);
  return FinishJob(surface, strings, layout, frame, std::move(failure));
}

std::optional<std::string> PrintPicturePage(
    PageSurface& surface, const StringLookup& strings, std::string_view titleCopy,
    std::string_view caption, std::string_view fontFamily, int fontPointSize,
    const std::function<void(const PageRect&)>& drawPicture) {
  const PageLayout layout = SetUpFont(surface, fontFamily, fontPointSize);
  if (auto failure = surface.BeginDocument(DocumentTitle(titleCopy, caption))) return failure;

  PageRect frame = FirstPageFrame(layout);
  surface.DrawTextCentred(frame, Heading(strings, sid::kPrintHeading, caption));
  const int ruleY = FooterTop(layout.pageHeight, layout.lineHeight) - kFooterRuleGap;
  drawPicture({kTextLeft, kPictureFirstSlot * layout.lineHeight, layout.pageWidth - kTextLeft,
               ruleY - layout.lineHeight});
  return FinishJob(surface, strings, layout, frame, std::nullopt);
}

}  // namespace telvoran
