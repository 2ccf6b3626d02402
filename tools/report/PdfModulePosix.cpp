#include <dlfcn.h>

#include <string>

#include "tools/report/PdfModule.h"

namespace telvoran {

std::variant<PdfPrinter, std::string> LoadPdfModule(const std::filesystem::path& file) {
  // Its own symbols stay its own (RTLD_LOCAL): it carries a copy of the core, as the tool does.
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* error = dlerror();
    std::string why = error ? error : "unknown error";
    // The loader names the file first; the caller names it already.
    const std::string named = file.string() + ": ";
    if (why.starts_with(named)) why.erase(0, named.size());
    return why;
  }
  const auto* printer = static_cast<const PdfPrinter*>(dlsym(module, kPdfModuleEntry));
  if (printer == nullptr || *printer == nullptr) {
    dlclose(module);
    return std::string("it has no printer (") + kPdfModuleEntry + ")";
  }
  return *printer;
}

}  // namespace telvoran
