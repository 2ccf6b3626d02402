#include "tools/mkarchive/OptionParser.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "core/platform/Utf8Path.h"
#include "tools/common/CliParsing.h"
#include "tools/mkarchive/OptionHandlers.h"

namespace telvoran {
namespace {

constexpr DateTime kLastStorableTime{2099, 12, 31, 23, 59, 59};

struct GivenOption {
  const OptionHandler* handler;
  std::string value;
};

std::string Dashed(const OptionHandler& handler) {
  return "--" + std::string(handler.name);
}

// The option's names as CLI11 spells them: "-k,--kind" or "--start".
std::string NamesOf(const OptionHandler& handler) {
  return handler.shortName == '\0' ? Dashed(handler)
                                   : std::string{'-', handler.shortName, ','} + Dashed(handler);
}

// What the command line asks for, before any value is read: --help, --version, and every other
// option paired with its value in the order given ("--name value", "--name=value", "-n value").
struct CommandLine {
  bool help = false;
  bool version = false;
  std::vector<GivenOption> given;
};

CommandLine SplitArguments(std::span<const std::string> arguments) {
  CLI::App app;
  CommandLine commandLine;
  // The tool's own help text documents the values; CLI11's would only list the names.
  app.set_help_flag();
  app.add_flag("-h,--help", commandLine.help)->disable_flag_override();
  app.add_flag("--version", commandLine.version)->disable_flag_override();

  const auto handlers = MkArchiveOptionHandlers();
  std::vector<std::vector<std::string>> values(handlers.size());
  std::map<const CLI::Option*, std::size_t> handlerOf;
  for (std::size_t i = 0; i < handlers.size(); ++i) {
    // One value for each time the option is given.
    handlerOf[app.add_option(NamesOf(handlers[i]), values[i])->allow_extra_args(false)] = i;
  }
  if (auto fault = ParseWithCli11(app, arguments)) throw UsageError(*fault);

  // Each value is applied in the order given, as the last of a repeated option must win.
  std::vector<std::size_t> taken(handlers.size(), 0);
  for (const CLI::Option* option : app.parse_order()) {
    const auto found = handlerOf.find(option);
    if (found == handlerOf.end()) continue;
    const std::size_t i = found->second;
    commandLine.given.push_back({&handlers[i], values[i][taken[i]++]});
  }
  return commandLine;
}

std::optional<std::string> LastValueOf(const std::vector<GivenOption>& given,
                                       std::string_view name) {
  const auto last = std::find_if(given.rbegin(), given.rend(),
                                 [&](const GivenOption& g) { return g.handler->name == name; });
  return last == given.rend() ? std::nullopt : std::optional<std::string>(last->value);
}

// The kind comes first because other options depend on it: --kind, or else the extension of
// the output file.
ArchiveKind ResolveKind(const std::vector<GivenOption>& given) {
  if (const auto kind = LastValueOf(given, "kind")) return ParseArchiveKind(*kind);
  const auto output = LastValueOf(given, "output");
  const auto extension = output ? PathFromUtf8(*output).extension() : "";
  if (extension == ".czt") return ArchiveKind::kInterval;
  if (extension == ".zdr") return ArchiveKind::kEvent;
  throw UsageError("--kind: give 'interval' or 'event', or an output file ending in .czt or .zdr");
}

void CheckScope(const OptionHandler& handler, ArchiveKind kind) {
  if (handler.scope == OptionScope::kInterval && kind != ArchiveKind::kInterval) {
    throw UsageError(Dashed(handler) + " applies to interval archives only");
  }
  if (handler.scope == OptionScope::kEvent && kind != ArchiveKind::kEvent) {
    throw UsageError(Dashed(handler) + " applies to event archives only");
  }
}

void CheckChannelValuesFit(const MkArchiveOptions& options) {
  for (std::size_t k = 1; k <= options.channelCount; ++k) {
    const ChannelOptions& channel = options.channels[k - 1];
    if (channel.format.style == ValueFormat::Style::kText) continue;
    for (const double bound : {channel.minimum, channel.maximum}) {
      const std::string text = FormatNumber(bound, channel.format);
      if (text.size() > kValueWidth) {
        throw UsageError("--range: channel " + std::to_string(k) + " would need '" + text +
                         "', longer than 5 characters; narrow the range or use fewer decimals");
      }
    }
  }
}

// The first record is stored at the start time, each later one at most one step after the
// one before; the last must still have a year from 2000 to 2099.
void CheckTimesFit(const MkArchiveOptions& options) {
  if (options.start.year < 2000 || options.start.year > 2099) {
    throw UsageError("--start: the year must be from 2000 to 2099");
  }
  const std::uint64_t generated = options.records + (options.trailingBytes > 0 ? 1 : 0);
  if (generated < 2 || options.stepSeconds == 0) return;
  const auto secondsLeft = (ToSysSeconds(kLastStorableTime) - ToSysSeconds(options.start)).count();
  const std::uint64_t steps = generated - 1;
  if (static_cast<std::uint64_t>(options.stepSeconds) >
      static_cast<std::uint64_t>(secondsLeft) / steps) {
    throw UsageError(
        "--step: the records would run past the end of 2099; choose an earlier start, a shorter "
        "step or fewer records");
  }
}

void CheckEventOptions(const MkArchiveOptions& options) {
  if (options.channelCount == 0) {
    throw UsageError("--channels: an event archive needs at least one channel");
  }
  const auto& mix = options.situations;
  unsigned total = mix.otherWeight;
  for (unsigned weight : mix.weights) total += weight;
  if (total == 0) throw UsageError("--codes: at least one weight must be above 0");
}

void CheckFaultsLandInFile(const MkArchiveOptions& options) {
  const std::uint64_t last = options.WholeRecordCount();
  const auto check = [&](std::uint64_t record, std::string_view option) {
    if (record > last) {
      throw UsageError(std::string(option) + ": record " + std::to_string(record) +
                       " is past the last whole record of the file (" + std::to_string(last) + ")");
    }
  };
  for (const KindOverride& kind : options.overrides.kinds) check(kind.recordNumber, "--wrong-kind");
  for (const ByteOverride& byte : options.overrides.bytes) {
    check(byte.recordNumber, "--zero/--set-byte");
  }
}

}  // namespace

MkArchiveOptions ParseMkArchiveOptions(std::span<const std::string> arguments) {
  const CommandLine commandLine = SplitArguments(arguments);
  MkArchiveOptions options;
  if (commandLine.help || commandLine.version) {
    options.showHelp = commandLine.help;
    options.showVersion = !commandLine.help;
    return options;
  }

  const std::vector<GivenOption>& given = commandLine.given;
  const auto output = LastValueOf(given, "output");
  if (!output || output->empty()) throw UsageError("--output: no output file given");
  options.kind = ResolveKind(given);
  for (const GivenOption& option : given) {
    CheckScope(*option.handler, options.kind);
    option.handler->apply(options, Dashed(*option.handler), option.value);
  }

  CheckChannelValuesFit(options);
  CheckTimesFit(options);
  if (options.kind == ArchiveKind::kEvent) CheckEventOptions(options);
  CheckFaultsLandInFile(options);
  return options;
}

}  // namespace telvoran
