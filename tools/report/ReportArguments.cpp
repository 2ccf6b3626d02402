#include "tools/report/ReportArguments.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <optional>
#include <string_view>

#include "core/plant/FolderCatalogue.h"
#include "core/platform/Utf8Path.h"
#include "tools/common/CliParsing.h"

namespace telvoran {
namespace {

int ParseSortColumn(std::string_view text) {
  int column = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), column);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw ReportUsageError("--sort needs a column number, not '" + std::string(text) + "'");
  }
  return column;
}

std::filesystem::path ParseFileName(std::string_view option, std::string_view text) {
  if (text.empty()) throw ReportUsageError(std::string(option) + " needs a file name");
  return PathFromUtf8(text);
}

// The command line's texts as given, before any of them is read.
struct GivenTexts {
  std::optional<std::string> sort;
  std::optional<std::string> output;
  std::optional<std::string> pdf;
  std::optional<std::string> csv;
  std::optional<std::string> unit;
  std::optional<std::string> from;
  std::optional<std::string> to;
  std::vector<std::string> archives;
};

int ParseUnit(std::string_view text) {
  int unit = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), unit);
  if (text.empty() || text.size() > 2 || error != std::errc() || end != text.data() + text.size()) {
    throw ReportUsageError("--unit needs a central unit 0 to 99, not '" + std::string(text) + "'");
  }
  return unit;
}

std::string ParseDay(std::string_view option, std::string_view text) {
  if (!plant::DayFromText(text)) {
    throw ReportUsageError(std::string(option) + " needs a day such as 2005-03-14, not '" +
                           std::string(text) + "'");
  }
  return std::string(text);
}

}  // namespace

ReportOptions ParseReportArguments(std::span<const std::string> arguments) {
  CLI::App app;
  ReportOptions options;
  GivenTexts given;
  // The tool's own help text explains the options; CLI11's would only list them.
  app.set_help_flag();
  app.add_flag("-h,--help", options.showHelp)->disable_flag_override();
  app.add_flag("--version", options.showVersion)->disable_flag_override();
  app.add_option("-s,--sort", given.sort);
  app.add_option("-o,--output", given.output);
  app.add_option("--pdf", given.pdf);
  app.add_option("--csv", given.csv);
  app.add_option("--unit", given.unit);
  app.add_option("--from", given.from);
  app.add_option("--to", given.to);
  // Of an option given twice, the last counts.
  for (CLI::Option* option : app.get_options()) {
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  app.add_option("ARCHIVE", given.archives);
  if (auto fault = ParseWithCli11(app, arguments)) throw ReportUsageError(*fault);
  if (options.showHelp || options.showVersion) return options;

  if (given.sort) options.sortColumn = ParseSortColumn(*given.sort);
  if (given.output) options.output = ParseFileName("--output", *given.output);
  if (given.pdf) options.pdf = ParseFileName("--pdf", *given.pdf);
  if (given.csv) options.csv = ParseFileName("--csv", *given.csv);
  if (given.archives.empty()) throw ReportUsageError("no archive given");
  for (const std::string& archive : given.archives)
    options.archives.push_back(PathFromUtf8(archive));
  options.archive = options.archives.front();
  if (given.unit) options.unit = ParseUnit(*given.unit);
  if (given.from) options.from = ParseDay("--from", *given.from);
  if (given.to) options.to = ParseDay("--to", *given.to);
  const bool anyOfFolder = given.unit || given.from || given.to;
  if (anyOfFolder && !(given.unit && given.from && given.to))
    throw ReportUsageError("a folder needs all of --unit, --from and --to");
  if (anyOfFolder && options.archives.size() > 1)
    throw ReportUsageError("--unit, --from and --to go with one folder, not several archives");
  if (options.from && options.to && *options.to < *options.from)
    throw ReportUsageError("--to " + *options.to + " lies before --from " + *options.from);
  return options;
}

}  // namespace telvoran
