#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace telvoran {

// What telvoran-report was asked to do.
struct ReportOptions {
  bool showHelp = false;
  bool showVersion = false;
  // The column whose panel the user would have clicked: 1 date and time, then 2 to 5 (interval)
  // or 2 to 7 (event). Checked against the archive's kind once it is known.
  int sortColumn = 1;
  // The first archive, or the folder of a plant.
  std::filesystem::path archive;
  // Every archive given, the first included: more than one is read as one span of days.
  std::vector<std::filesystem::path> archives;
  // Of a plant's folder, the central unit (0 to 99) and the first and last day ("2005-03-14").
  std::optional<int> unit;
  std::optional<std::string> from;
  std::optional<std::string> to;
  // Where the text report goes; standard output when none of this, `pdf` and `csv` is given.
  std::optional<std::filesystem::path> output;
  // Where the printout goes as a PDF file.
  std::optional<std::filesystem::path> pdf;
  // Where the spreadsheet export goes as a CSV file.
  std::optional<std::filesystem::path> csv;

  // Whether the report is of a span of days: several archives, or a folder with a unit.
  bool ReadsSpan() const { return archives.size() > 1 || unit.has_value(); }
  bool WritesTextReport() const { return output.has_value() || (!pdf && !csv); }
};

}  // namespace telvoran
