#include "tools/report/PdfModule.h"

#include "core/platform/Utf8Path.h"
#include "tools/report/ProgramDirectory.h"

namespace telvoran {

std::optional<std::string> PrintThroughPdfModule(const ReportSource& report,
                                                 const StringLookup& strings,
                                                 const std::filesystem::path& target) {
  const std::filesystem::path folder = ProgramDirectory();
  // Never a bare name, which the system would look for along its library path.
  if (folder.empty()) return "the printing module cannot be found: the program's folder is unknown";
  const std::filesystem::path module = folder / TELVORAN_PDF_MODULE_FILE;
  auto loaded = LoadPdfModule(module);
  if (auto* failure = std::get_if<std::string>(&loaded)) {
    return "the printing module " + Utf8FromPath(module) + " cannot be loaded: " + *failure;
  }
  return std::get<PdfPrinter>(loaded)(report, strings, target);
}

}  // namespace telvoran
