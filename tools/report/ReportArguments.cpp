#include "tools/report/ReportArguments.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <optional>
#include <string_view>

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
  std::optional<std::string> archive;
};

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
  app.add_option("ARCHIVE", given.archive);
  // Of an option given twice, the last counts.
  for (CLI::Option* option : app.get_options()) {
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  if (auto fault = ParseWithCli11(app, arguments)) throw ReportUsageError(*fault);
  if (options.showHelp || options.showVersion) return options;

  if (given.sort) options.sortColumn = ParseSortColumn(*given.sort);
  if (given.output) options.output = ParseFileName("--output", *given.output);
  if (given.pdf) options.pdf = ParseFileName("--pdf", *given.pdf);
  if (given.csv) options.csv = ParseFileName("--csv", *given.csv);
  if (!given.archive) throw ReportUsageError("no archive given");
  options.archive = PathFromUtf8(*given.archive);
  return options;
}

}  // namespace telvoran
