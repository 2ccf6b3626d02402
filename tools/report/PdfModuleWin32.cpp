#include "core/platform/Win32ErrorText.h"
#include "tools/report/PdfModule.h"

namespace telvoran {

std::variant<PdfPrinter, std::string> LoadPdfModule(const std::filesystem::path& file) {
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) return platform::Win32ErrorText(GetLastError());
  const auto* printer =
      reinterpret_cast<const PdfPrinter*>(GetProcAddress(module, kPdfModuleEntry));
  if (printer == nullptr || *printer == nullptr) {
    FreeLibrary(module);
    return std::string("it has no printer (") + kPdfModuleEntry + ")";
  }
  return *printer;
}

}  // namespace telvoran
