#include "tools/mkarchive/OptionHandlers.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/platform/Utf8Path.h"
#include "tools/mkarchive/ArgumentParsing.h"
#include "tools/mkarchive/RecordFieldNames.h"
#include "tools/mkarchive/Windows1250.h"

namespace telvoran {
namespace {

using Scope = OptionScope;

std::string Named(std::string_view option) {
  return std::string(option) + ": ";
}

std::string ArchiveText(std::string_view option, std::string_view text) {
  auto converted = Utf8ToWindows1250(text);
  if (!converted) {
    throw UsageError(Named(option) + "'" + std::string(text) +
                     "' holds a character that Windows-1250 lacks");
  }
  return *converted;
}

std::string LabelText(std::string_view option, std::string_view text) {
  std::string label = ArchiveText(option, text);
  if (label.size() > kLabelWidth) {
    throw UsageError(Named(option) + "'" + std::string(text) + "' is longer than 4 characters");
  }
  return label;
}

std::size_t ChannelNumber(std::string_view option, std::string_view text) {
  return ParseWholeNumber(option, text, 1, kMaxChannels);
}

// Runs `change` on channel K of a "K=VALUE" option, or on every channel when the value has
// no channel number in front and `everyChannelWithout` allows that.
template <typename Change>
void ForChannels(MkArchiveOptions& options, std::string_view option, std::string_view value,
                 bool everyChannelWithout, Change change) {
  const auto equals = value.find('=');
  if (equals == std::string_view::npos && everyChannelWithout) {
    for (ChannelOptions& channel : options.channels) change(channel, value);
    return;
  }
  const auto [number, rest] = SplitPair(option, value, '=', "K=VALUE with K from 1 to 4");
  change(options.channels[ChannelNumber(option, number) - 1], rest);
}

std::size_t ParseOffset(const MkArchiveOptions& options, std::string_view option,
                        std::string_view text) {
  if (const auto field = FieldOffset(options.kind, text)) return *field;
  if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    return ParseWholeNumber(option, text, 0, kRecordSize - 1);
  }
  throw UsageError(Named(option) + "'" + std::string(text) +
                   "' is neither a byte offset from 0 to 39 nor a field of this archive kind");
}

std::uint64_t RecordNumber(std::string_view option, std::string_view text) {
  return ParseWholeNumber(option, text, 1, std::numeric_limits<std::uint64_t>::max());
}

void ApplySituationWeights(MkArchiveOptions& options, std::string_view option,
                           std::string_view list) {
  SituationMix& mix = options.situations;
  mix.weights.fill(0);
  mix.otherWeight = 0;
  while (!list.empty()) {
    const auto comma = list.find(',');
    const auto item = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    const auto [code, weightText] = SplitPair(option, item, '=', "CODE=WEIGHT");
    const auto weight = static_cast<unsigned>(ParseWholeNumber(option, weightText, 0, 1000000));
    const auto known = std::find(kSituationCodes.begin(), kSituationCodes.end(),
                                 code.size() == 1 ? code[0] : '\0');
    if (code == "other") {
      mix.otherWeight = weight;
    } else if (known != kSituationCodes.end()) {
      mix.weights[static_cast<std::size_t>(known - kSituationCodes.begin())] = weight;
    } else {
      throw UsageError(Named(option) + "'" + std::string(code) +
                       "' is not one of G, L, H, M, W, O, F or other");
    }
  }
}

void ApplyOtherCodes(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  std::string codes = ArchiveText(option, value);
  const bool inTable = std::any_of(codes.begin(), codes.end(), [](char c) {
    return std::find(kSituationCodes.begin(), kSituationCodes.end(), c) != kSituationCodes.end();
  });
  if (codes.empty() || inTable) {
    throw UsageError(Named(option) + "give one or more characters other than G, L, H, M, W, O, F");
  }
  options.situations.otherCodes = std::move(codes);
}

void ApplyAddress(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  const auto dash = value.find('-');
  const auto low = value.substr(0, dash);
  const auto high = dash == std::string_view::npos ? low : value.substr(dash + 1);
  options.addressLow = static_cast<int>(ParseWholeNumber(option, low, 0, 99));
  options.addressHigh = static_cast<int>(ParseWholeNumber(option, high, 0, 99));
  if (options.addressLow > options.addressHigh) {
    throw UsageError(Named(option) + "the range '" + std::string(value) + "' runs backwards");
  }
}

void ApplyRange(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  ForChannels(options, option, value, true, [&](ChannelOptions& channel, std::string_view range) {
    const auto [low, high] = SplitPair(option, range, ':', "[K=]MIN:MAX");
    channel.minimum = ParseDecimalNumber(option, low);
    channel.maximum = ParseDecimalNumber(option, high);
    if (channel.minimum > channel.maximum) {
      throw UsageError(Named(option) + "the range '" + std::string(range) + "' runs backwards");
    }
  });
}

void ApplyFormat(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  ForChannels(options, option, value, true, [&](ChannelOptions& channel, std::string_view text) {
    const auto format = ParseValueFormat(text);
    if (!format) {
      throw UsageError(Named(option) + "'" + std::string(text) +
                       "' is not a value format (fixed:D, %5.Df, int, text)");
    }
    channel.format = *format;
  });
}

void ApplyChannelCountCharacter(MkArchiveOptions& options, std::string_view option,
                                std::string_view value) {
  if (value == "missing") {
    options.channelCountCharacter = '\0';
    return;
  }
  const std::string character = ArchiveText(option, value);
  if (character.size() != 1) {
    throw UsageError(Named(option) + "give one character, or 'missing'");
  }
  options.channelCountCharacter = character[0];
}

void ApplySetByte(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  const auto [record, rest] = SplitPair(option, value, ':', "RECORD:OFFSET=VALUE");
  const auto [offset, byte] = SplitPair(option, rest, '=', "RECORD:OFFSET=VALUE");
  options.overrides.bytes.push_back(
      {RecordNumber(option, record), ParseOffset(options, option, offset),
       static_cast<unsigned char>(ParseWholeNumber(option, byte, 0, 255))});
}

void ApplyZero(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  const auto [record, offset] = SplitPair(option, value, ':', "RECORD:OFFSET");
  options.overrides.bytes.push_back(
      {RecordNumber(option, record), ParseOffset(options, option, offset), 0});
}

void ApplyWrongKind(MkArchiveOptions& options, std::string_view option, std::string_view value) {
  const auto [record, kind] = SplitPair(option, value, ':', "RECORD:KIND");
  options.overrides.kinds.push_back(
      {RecordNumber(option, record),
       static_cast<std::uint32_t>(
           ParseWholeNumber(option, kind, 0, std::numeric_limits<std::uint32_t>::max()))});
}

constexpr OptionHandler kHandlers[] = {
    {"kind", 'k', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view, std::string_view v) {
       o.kind = ParseArchiveKind(v);
     }},
    {"output", 'o', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view, std::string_view v) { o.output = PathFromUtf8(v); }},
    {"records", 'n', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.records = ParseWholeNumber(name, v, 0, 1'000'000'000);
     }},
    {"seed", 's', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.seed = ParseWholeNumber(name, v, 0, std::numeric_limits<std::uint64_t>::max());
     }},
    {"start", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.start = ParseDateTime(name, v);
     }},
    {"step", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.stepSeconds = ParseDuration(name, v);
     }},
    {"channels", 'c', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.channelCount = ParseWholeNumber(name, v, 0, kMaxChannels);
     }},
    {"name", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       ForChannels(o, name, v, false, [&](ChannelOptions& c, std::string_view t) {
         c.label.name = LabelText(name, t);
       });
     }},
    {"unit", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       ForChannels(o, name, v, false, [&](ChannelOptions& c, std::string_view t) {
         c.label.unit = LabelText(name, t);
       });
     }},
    {"format", '\0', Scope::kBoth, ApplyFormat},
    {"range", '\0', Scope::kBoth, ApplyRange},
    {"duplicates", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.duplicatePercent = static_cast<unsigned>(ParseWholeNumber(name, v, 0, 100));
     }},
    {"shuffle", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.shufflePercent = static_cast<unsigned>(ParseWholeNumber(name, v, 0, 100));
     }},
    {"address", '\0', Scope::kEvent, ApplyAddress},
    {"codes", '\0', Scope::kEvent, ApplySituationWeights},
    {"other-codes", '\0', Scope::kEvent, ApplyOtherCodes},
    {"header-kind", '\0', Scope::kInterval,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       if (v != "26" && v != "33") throw UsageError(Named(name) + "the header's kind is 26 or 33");
       o.headerKind = v == "26" ? kIntervalKind : kEventKind;
     }},
    {"header-records", '\0', Scope::kInterval,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.headerRecords = ParseWholeNumber(name, v, 1, kHeaderRecordCount);
     }},
    {"count-char", '\0', Scope::kInterval, ApplyChannelCountCharacter},
    {"wrong-kind", '\0', Scope::kBoth, ApplyWrongKind},
    {"zero", '\0', Scope::kBoth, ApplyZero},
    {"set-byte", '\0', Scope::kBoth, ApplySetByte},
    {"trailing", '\0', Scope::kBoth,
     [](MkArchiveOptions& o, std::string_view name, std::string_view v) {
       o.trailingBytes = ParseWholeNumber(name, v, 0, kRecordSize - 1);
     }},
};

}  // namespace

std::span<const OptionHandler> MkArchiveOptionHandlers() {
  return kHandlers;
}

ArchiveKind ParseArchiveKind(std::string_view value) {
  if (value == "interval") return ArchiveKind::kInterval;
  if (value == "event") return ArchiveKind::kEvent;
  throw UsageError("--kind: '" + std::string(value) + "' is neither 'interval' nor 'event'");
}

}  // namespace telvoran
