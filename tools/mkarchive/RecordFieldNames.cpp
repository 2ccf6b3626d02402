#include "tools/mkarchive/RecordFieldNames.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {
namespace {

using NamedOffset = std::pair<std::string_view, std::size_t>;

constexpr std::array<NamedOffset, 11> kIntervalFields = {{
    {"year", interval_field::kYear},
    {"month", interval_field::kMonth},
    {"day", interval_field::kDay},
    {"hour", interval_field::kHour},
    {"minute", interval_field::kMinute},
    {"second", interval_field::kSecond},
    {"value1", interval_field::ValueOffset(1)},
    {"value2", interval_field::ValueOffset(2)},
    {"value3", interval_field::ValueOffset(3)},
    {"value4", interval_field::ValueOffset(4)},
    {"kind", kKindOffset},
}};

constexpr std::array<NamedOffset, 13> kEventFields = {{
    {"address", event_field::kCentralAddress},
    {"year", event_field::kYear},
    {"month", event_field::kMonth},
    {"day", event_field::kDay},
    {"hour", event_field::kHour},
    {"minute", event_field::kMinute},
    {"second", event_field::kSecond},
    {"channel", event_field::kChannel},
    {"code", event_field::kSituation},
    {"reading", event_field::kReading},
    {"medium", event_field::kMedium},
    {"unit", event_field::kUnit},
    {"kind", kKindOffset},
}};

}  // namespace

std::optional<std::size_t> FieldOffset(ArchiveKind kind, std::string_view name) {
  const std::span<const NamedOffset> fields = kind == ArchiveKind::kInterval
                                                  ? std::span<const NamedOffset>(kIntervalFields)
                                                  : std::span<const NamedOffset>(kEventFields);
  const auto field = std::find_if(fields.begin(), fields.end(),
                                  [&](const NamedOffset& entry) { return entry.first == name; });
  if (field == fields.end()) return std::nullopt;
  return field->second;
}

}  // namespace telvoran
