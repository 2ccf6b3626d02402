#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace telvoran {

class ReportSource;
class StringLookup;

// Prints the view of `report` as the desktop print command does, into the PDF file `target`:
// A4 at 600 dots per inch, the list font "Courier New" at 8 points, the job titled after the
// program. The file appears under its name only once the printout is complete. A Qt GUI
// application is made for the job when none runs (PrintingSession). Returns nothing on success,
// else the text of the failure.
std::optional<std::string> PrintToPdf(const ReportSource& report, const StringLookup& strings,
                                      const std::filesystem::path& target);

}  // namespace telvoran
