#include "tools/mkarchive/OptionParser.h"

#include <algorithm>
#include <optional>
#include <vector>

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

const OptionHandler* FindHandler(std::string_view argument) {
  const auto handlers = MkArchiveOptionHandlers();
  const auto found = std::find_if(handlers.begin(), handlers.end(), [&](const OptionHandler& h) {
    if (argument.starts_with("--")) return argument.substr(2) == h.name;
    return argument.size() == 2 && argument[0] == '-' && h.shortName != '\0' &&
           argument[1] == h.shortName;
  });
  return found == handlers.end() ? nullptr : &*found;
}

// Pairs every option with its value: "--name value", "--name=value" or "-n value".
std::vector<GivenOption> SplitArguments(std::span<const std::string> arguments) {
  std::vector<GivenOption> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const auto equals = argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
    const std::string_view name = argument.substr(0, equals);
    const OptionHandler* handler = name.starts_with("-") ? FindHandler(name) : nullptr;
    if (handler == nullptr) {
      throw UsageError(name.starts_with("-") ? "unknown option '" + std::string(name) + "'"
                                             : "unexpected argument '" + std::string(name) + "'");
    }
    if (!handler->takesValue) {
      if (equals != std::string_view::npos) throw UsageError(Dashed(*handler) + " takes no value");
      given.push_back({handler, {}});
    } else if (equals != std::string_view::npos) {
      given.push_back({handler, std::string(argument.substr(equals + 1))});
    } else if (i + 1 < arguments.size()) {
      given.push_back({handler, arguments[++i]});
    } else {
      throw UsageError(Dashed(*handler) + " needs a value");
    }
  }
  return given;
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
  const auto extension = output ? std::filesystem::path(*output).extension() : "";
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
  const std::vector<GivenOption> given = SplitArguments(arguments);
  MkArchiveOptions options;
  if (LastValueOf(given, "help")) {
    options.showHelp = true;
    return options;
  }

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
