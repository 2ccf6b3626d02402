#include "tools/report/PdfModule.h"

#include "core/platform/Utf8Path.h"
#include "tools/report/ProgramDirectory.h"

namespace telvoran {

std::optional<std::string> PrintThroughPdfModule(const ReportSource& report,
                                                 const StringLookup& strings,
                                                 const std::filesystem::path& target) {
  const std::filesystem::path module = ProgramDirectory() / TELVORAN_PDF_MODULE_FILE;
  auto loaded = LoadPdfModule(module);
  if (auto* failure = std::get_if<std::string>(&loaded)) {
    return "the printing module " + Utf8FromPath(module) + " cannot be loaded: " + *failure;
  }
  return std::get<PdfPrinter>(loaded)(report, strings, target);
}

}  // namespace telvoran
