#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "tools/report/ReportCommand.h"

namespace telvoran {

// The PDF printout is a module of its own beside telvoran-report, loaded only when a printout is
// asked for: a text report then starts without loading the desktop libraries (about 10 ms, 5 to
// 8 % of a report of a million records), and runs where they are not installed.

// The name under which the module gives its printer (a PdfPrinter variable).
inline constexpr const char* kPdfModuleEntry = "telvoran_report_pdf_printer";

// Loads the module file and returns its printer, or the text of why it cannot be had. The module
// stays loaded until the program ends.
std::variant<PdfPrinter, std::string> LoadPdfModule(const std::filesystem::path& file);

// Prints as PrintToPdf() does, through the module that lies beside the running program; when it
// cannot be loaded, the failure says why.
std::optional<std::string> PrintThroughPdfModule(const ReportSource& report,
                                                 const StringLookup& strings,
                                                 const std::filesystem::path& target);

}  // namespace telvoran
