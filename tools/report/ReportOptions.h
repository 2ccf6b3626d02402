#pragma once

#include <filesystem>
#include <optional>

namespace telvoran {

// What telvoran-report was asked to do.
struct ReportOptions {
  bool showHelp = false;
  bool showVersion = false;
  // The column whose panel the user would have clicked: 1 date and time, then 2 to 5 (interval)
  // or 2 to 7 (event). Checked against the archive's kind once it is known.
  int sortColumn = 1;
  std::filesystem::path archive;
  // Where the text report goes; standard output when none of this, `pdf` and `csv` is given.
  std::optional<std::filesystem::path> output;
  // Where the printout goes as a PDF file.
  std::optional<std::filesystem::path> pdf;
  // Where the spreadsheet export goes as a CSV file.
  std::optional<std::filesystem::path> csv;

  bool WritesTextReport() const { return output.has_value() || (!pdf && !csv); }
};

}  // namespace telvoran
