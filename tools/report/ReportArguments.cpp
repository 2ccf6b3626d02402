#include "tools/report/ReportArguments.h"

#include <charconv>
#include <string_view>

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
  return std::filesystem::path(text);
}

// The long name of an option given by its short name; other names as they stand.
std::string_view LongName(std::string_view name) {
  if (name == "-s") return "--sort";
  if (name == "-o") return "--output";
  return name;
}

bool IsValueOption(std::string_view name) {
  return name == "--sort" || name == "--output" || name == "--pdf";
}

void ApplyValueOption(std::string_view name, std::string_view value, ReportOptions& options) {
  if (name == "--sort") {
    options.sortColumn = ParseSortColumn(value);
  } else if (name == "--output") {
    options.output = ParseFileName(name, value);
  } else {
    options.pdf = ParseFileName(name, value);
  }
}

}  // namespace

ReportOptions ParseReportArguments(std::span<const std::string> arguments) {
  ReportOptions options;
  bool archiveGiven = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
      if (archiveGiven) {
        throw ReportUsageError("one archive at a time: '" + std::string(argument) +
                               "' is one more");
      }
      options.archive = std::filesystem::path(argument);
      archiveGiven = true;
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      options.showHelp = true;
    } else {
      const std::size_t equals =
          argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
      const std::string_view name = LongName(argument.substr(0, equals));
      if (!IsValueOption(name)) {
        throw ReportUsageError("unknown option '" + std::string(name) + "'");
      }
      std::string_view value;
      if (equals != std::string_view::npos) {
        value = argument.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        throw ReportUsageError(std::string(name) + " needs a value");
      }
      ApplyValueOption(name, value, options);
    }
  }
  if (!archiveGiven && !options.showHelp) throw ReportUsageError("no archive given");
  return options;
}

}  // namespace telvoran
