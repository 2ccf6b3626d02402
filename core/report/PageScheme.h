#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/report/PageSurface.h"
#include "core/report/ReportSource.h"
#include "core/text/StringLookup.h"

namespace telvoran {

class WorkProgress;

// The page scheme shared by the data view printout and the help printout. All positions are
// device dots of the printable area; line slot k of a page lies at y = k × line height, and
// every body line starts at x = 200.

// The font's height in dots: points × dots per inch / 72, rounded half away from zero, as an
// absolute value.
int FontHeight(int pointSize, int verticalDpi);
// The pitch of the printed lines: the font height plus four tenths of it (integer division).
int LineHeight(int fontHeight);
// Page height / line height − 4 (integer division); the first line slot that holds no body line
// on a page of the regular size. A line height below one dot counts as one.
int LinesPerPage(int pageHeight, int lineHeight);

// Draws the current page's footer: the page number (library text 151 with the current page
// number) centred in a band one line high that ends one line above the page bottom, and a rule
// across the page two dots above that band. Moves `frame`'s top and bottom to the band.
void PrintPageFooter(PageSurface& surface, PageRect& frame, int lineHeight,
                     const StringLookup& strings);

// Prints a data view: the job titled `titleCopy` + " - " + the view's caption, the heading
// (library text 152 + caption) on page 1, for a filtered view the filter's note centred in slot 3,
// the heading block in slots 5 to 9, then the rows one
// per slot from slot 10 on page 1 and from slot 4 on later pages, a footer on every page.
// Returns nothing on success, else the printer's text for the failure that stopped the job.
// With `progress`, the rows printed are told to it; asked to stop, the job is aborted at the
// next page and nothing is returned.
std::optional<std::string> PrintDataView(PageSurface& surface, const StringLookup& strings,
                                         std::string_view titleCopy, const ReportSource& source,
                                         std::string_view fontFamily, int fontPointSize,
                                         WorkProgress* progress = nullptr);

// Prints the help text: the job titled `titleCopy` + " - " + `helpCaption`, the heading (library
// text 178 + caption) on page 1, then the paragraphs, wrapped at word boundaries to the width
// between the left text margin and the page edge, one line per slot from slot 5 on page 1 and
// from slot 4 on later pages, a footer on every page. Returns as PrintDataView.
std::optional<std::string> PrintHelpText(PageSurface& surface, const StringLookup& strings,
                                         std::string_view titleCopy, std::string_view helpCaption,
                                         std::span<const std::string> paragraphs,
                                         std::string_view fontFamily, int fontPointSize);

// Prints one page that holds a picture: the job titled `titleCopy` + " - " + `caption`, the
// heading (library text 152 + caption) as on page 1 of a data view's printout, the picture drawn
// by `drawPicture` into the rectangle from slot 3 down to one line above the footer's rule,
// between the body's left margin and as much room on the right, then the footer. Returns as
// PrintDataView.
std::optional<std::string> PrintPicturePage(
    PageSurface& surface, const StringLookup& strings, std::string_view titleCopy,
    std::string_view caption, std::string_view fontFamily, int fontPointSize,
    const std::function<void(const PageRect&)>& drawPicture);

}  // namespace telvoran
