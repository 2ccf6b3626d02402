#include "core/report/CsvReport.h"

#include "core/archive/ArchiveFile.h"
#include "core/report/CsvFields.h"
#include "core/report/ReportWriting.h"
#include "core/rows/EventRows.h"
#include "core/rows/IntervalRows.h"
#include "core/text/Cp1250.h"

namespace telvoran {
namespace {

constexpr std::string_view kEventHeading =
    "date_time,central_unit,channel,medium,value,unit,situation,situation_text";
constexpr std::size_t kIntervalValueWidth = 5;

void AppendField(std::string& line, std::string_view field) {
  line += ',';
  AppendCsvField(line, field);
}

// "NAME [UNIT]" of a channel; its number stands in for a blank name, and a blank unit leaves
// the brackets out.
std::string ChannelHeading(const ChannelName& channel, std::size_t number) {
  std::string heading = channel.name.empty() ? std::to_string(number) : channel.name;
  if (!channel.unit.empty()) heading += " [" + channel.unit + "]";
  return CsvTextField(Cp1250ToUtf8(heading));
}

std::string IntervalHeading(const ReportSource& source) {
  std::string line = "date_time";
  const std::vector<ChannelName> channels = ChannelNames(source.IntervalHeader());
  for (std::size_t k = 1; k <= channels.size(); ++k)
    AppendField(line, ChannelHeading(channels[k - 1], k));
  return line;
}

// Channel k's value lies in bytes 5k + 1 to 5k + 5 of an interval record.
std::string IntervalLine(const ArchiveRecord& record, std::size_t channelCount) {
  std::string line = CsvDateTime(record.bytes.data() + kIntervalDateTimeByte);
  for (std::size_t k = 1; k <= channelCount; ++k) {
    const auto* value = reinterpret_cast<const char*>(record.bytes.data()) + 5 * k + 1;
    AppendField(line, CsvValue(std::string_view(value, kIntervalValueWidth)));
  }
  return line;
}

std::string EventLine(const ArchiveRecord& record, std::string_view situationWithDigit) {
  std::string line = CsvDateTime(record.bytes.data() + kEventDateTimeByte);
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  if (ShowsChannelColumns(code)) {
    const EventFields fields = EventFieldsOf(record);
    AppendField(line, std::to_string(fields.centralAddress));
    AppendField(line, CsvText(std::string_view(&fields.channel, 1)));
    AppendField(line, CsvText(fields.medium));
    AppendField(line, CsvValue(fields.reading));
    AppendField(line, CsvText(fields.unit));
  } else {
    line += ",,,,,";
  }
  const char digit = SituationColourDigit(code);
  AppendField(line, digit == '\0' ? std::string_view() : std::string_view(&digit, 1));
  // The situation text as the row shows it, without the colour digit that ends it there.
  if (!situationWithDigit.empty()) situationWithDigit.remove_suffix(1);
  AppendField(line, CsvTextField(Cp1250ToUtf8(situationWithDigit)));
  return line;
}

// The line of row `row`, for an interval archive of `channelCount` channels.
std::string RowLine(const ReportSource& source, std::size_t row, std::size_t channelCount) {
  const ArchiveRecord& record = source.Record(row);
  if (source.Kind() == ArchiveKind::Interval) return IntervalLine(record, channelCount);
  const char code = static_cast<char>(record.bytes[kEventSituationByte]);
  return EventLine(record, source.SituationText(code));
}

// Gives the heading line and the line of every row to `add`, which returns false once writing
// has failed; stops at the first refused line.
template <typename Add>
void ProduceCsvLines(const ReportSource& source, Add add) {
  if (const std::string span = source.SpanHeading(); !span.empty()) {
    std::string line;
    AppendCsvField(line, CsvTextField(Cp1250ToUtf8(span)));
    if (!add(line)) return;
  }
  if (!add(CsvHeadingLine(source))) return;
  const std::size_t channelCount = ChannelNames(source.IntervalHeader()).size();
  const std::size_t rowCount = source.RowCount();
  for (std::size_t row = 0; row < rowCount; ++row) {
    if (!add(RowLine(source, row, channelCount))) return;
  }
}

}  // namespace

std::string CsvHeadingLine(const ReportSource& source) {
  return source.Kind() == ArchiveKind::Event ? std::string(kEventHeading) : IntervalHeading(source);
}

std::string CsvRowLine(const ReportSource& source, std::size_t row) {
  return RowLine(source, row, ChannelNames(source.IntervalHeader()).size());
}

std::optional<std::string> WriteCsvReport(const ReportSource& source,
                                          const std::filesystem::path& target) {
  return WriteReportFile(target, [&source](auto add) { ProduceCsvLines(source, add); });
}

std::optional<std::string> WriteCsvReport(const ReportSource& source, std::ostream& out) {
  return WriteReportStream(out, [&source](auto add) { ProduceCsvLines(source, add); });
}

}  // namespace telvoran
