#include "tools/report/PdfPrintout.h"

#include <QPageSize>
#include <QPrinter>

#include <string_view>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/QtText.h"
#include "app/printing/QtPageSurface.h"
#include "core/platform/ReplacingFile.h"
#include "core/report/PageScheme.h"
#include "tools/report/PrintingSession.h"

namespace telvoran {
namespace {

constexpr std::string_view kTitleCopy = "Telvoran";
constexpr std::string_view kListFontFamily = "Courier New";
constexpr int kListFontPoints = 8;
constexpr int kPrinterDotsPerInch = 600;

void SetUpPdfPrinter(QPrinter& printer, const std::filesystem::path& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setResolution(kPrinterDotsPerInch);
  printer.setOutputFileName(FromFileSystemPath(file));
}

// The PDF writer builds every page in a buffer of its own and drops it when the page is done.
// By default glibc hands such a buffer back to the system and faults in fresh pages for the
// next one, a tenth of the printout's time; the tool lives for one printout, so what it frees
// stays with it for the next page.
void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
  constexpr int kLargestHeapBlock = 32 << 20;  // the most glibc allows on 64-bit systems
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, 2 * kLargestHeapBlock);
#endif
}

}  // namespace

std::optional<std::string> PrintToPdf(const ReportSource& report, const StringLookup& strings,
                                      const std::filesystem::path& target) {
  const PrintingSession session;
  if (!session.CanPrint()) return "printing needs a graphical Qt application";
  KeepFreedMemoryForReuse();

  // The printer writes a new file beside the target, which then takes the target's place (or,
  // where that cannot be, the target itself).
  ReplacingFile file(target);
  if (auto failure = file.Open()) return failure;
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, file.WritePath());
  {
    QtPageSurface surface(printer);
    if (auto failure =
            PrintDataView(surface, strings, kTitleCopy, report, kListFontFamily, kListFontPoints)) {
      return failure;
    }
  }
  return file.Commit();
}

}  // namespace telvoran
