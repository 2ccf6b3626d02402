#include "app/printing/PrinterPageChoice.h"

#include <QPageRanges>
#include <QPrinter>

namespace telvoran {

PageChoice PageChoiceOf(const QPrinter& printer) {
  PageChoice choice;
  if (printer.printRange() == QPrinter::PageRange) {
    for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
      choice.ranges.push_back({range.from, range.to});
  }
  choice.copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  choice.collate = printer.collateCopies();
  choice.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
  return choice;
}

}  // namespace telvoran
