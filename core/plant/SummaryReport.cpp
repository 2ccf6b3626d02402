#include "core/plant/SummaryReport.h"

#include <algorithm>
#include <cstdio>

#include "core/chart/ChannelValue.h"
#include "core/report/CsvFields.h"
#include "core/report/ReportWriting.h"
#include "core/text/Cp1250.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

constexpr std::size_t kDayWidth = 10;  // "2005-03-14"
constexpr std::size_t kTimeWidth = 8;  // "08:05:00"
constexpr std::size_t kGap = 2;

std::string DayText(ArchiveSeconds day) {
  return FormatArchiveTime(day).substr(0, kDayWidth);
}

std::string ChannelTitle(const SummaryChannel& channel, std::size_t number) {
  std::string title = channel.name.empty() ? std::to_string(number) : channel.name;
  if (!channel.unit.empty()) title += " [" + channel.unit + "]";
  return title;
}

// A line of fields, each padded to its column's width: text fields on the left, numbers on the
// right.
struct Column {
  std::size_t width;
  bool right;
};

std::string Line(const std::vector<Column>& columns, const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& field = fields[i];
    const std::size_t pad = columns[i].width > field.size() ? columns[i].width - field.size() : 0;
    if (columns[i].right) line.append(pad, ' ');
    line += field;
    if (!columns[i].right && i + 1 < columns.size()) line.append(pad, ' ');
    if (i + 1 < columns.size()) line.append(kGap, ' ');
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string Number(double value, int decimals, bool comma) {
  return FormatChannelNumber(value, decimals, comma);
}

// The fields of one row: a day and one channel (or none), as the report shows them or, for the
// CSV, in the forms a spreadsheet reads.
std::vector<std::string> RowFields(const DailySummary& summary, const SummaryDay& day,
                                   std::optional<std::size_t> channel, bool forCsv) {
  std::vector<std::string> fields{DayText(day.day)};
  if (channel) {
    const SummaryChannel& info = summary.channels[*channel];
    const ChannelDay& values = day.channels[*channel];
    const std::string title = ChannelTitle(info, *channel + 1);
    fields.push_back(forCsv ? CsvTextField(Cp1250ToUtf8(title)) : title);
    fields.push_back(std::to_string(values.count));
    const bool comma = forCsv ? false : info.comma;
    auto time = [forCsv](ArchiveSeconds t) {
      std::string text = FormatArchiveTime(t);
      if (!forCsv) return text.substr(kDayWidth + 1);
      text[kDayWidth] = 'T';
      return text;
    };
    if (values.count) {
      fields.push_back(Number(values.minimum, info.decimals, comma));
      fields.push_back(time(values.minimumTime));
      fields.push_back(Number(values.maximum, info.decimals, comma));
      fields.push_back(time(values.maximumTime));
      fields.push_back(Number(values.Mean(), info.decimals + 1, comma));
    } else {
      fields.insert(fields.end(), 5, std::string());
    }
  } else {
    fields.insert(fields.end(), 7, std::string());
  }
  for (char code : summary.situations) {
    const auto it = day.alarms.find(code);
    fields.push_back(std::to_string(it == day.alarms.end() ? 0 : it->second));
  }
  return fields;
}

// Each day's rows: one per channel, or one when there is no channel.
template <typename Visit>
void ForEachRow(const DailySummary& summary, Visit visit) {
  for (const SummaryDay& day : summary.days) {
    if (summary.channels.empty()) {
      visit(day, std::nullopt);
      continue;
    }
    for (std::size_t c = 0; c < summary.channels.size(); ++c) visit(day, c);
  }
}

}  // namespace

std::string TitleOfCaption(std::string_view caption) {
  std::string title;
  for (char c : caption)
    if (c != '&') title += c;
  while (!title.empty() && (title.back() == '.' || title.back() == ' ')) title.pop_back();
  return title;
}

std::string SummaryReport::SpanCaption(const DailySummary& summary, const StringLookup& strings) {
  char unit[16];
  std::snprintf(unit, sizeof unit, "%02d", summary.unit);
  std::string caption =
      std::string(strings.Text(sid::kSummaryUnit)) + unit + ", " + DayText(summary.firstDay);
  if (summary.lastDay != summary.firstDay) caption += " - " + DayText(summary.lastDay);
  return caption;
}

SummaryReport::SummaryReport(const DailySummary& summary, const StringLookup& strings) {
  caption_ = SpanCaption(summary, strings);
  title_ = TitleOfCaption(strings.Text(sid::kDailySummary)) + " - " + caption_;

  std::vector<std::string> titles{std::string(strings.Text(sid::kSummaryDay)),
                                  std::string(strings.Text(sid::kSummaryChannel)),
                                  std::string(strings.Text(sid::kSummaryCount)),
                                  std::string(strings.Text(sid::kSummaryMinimum)),
                                  std::string(strings.Text(sid::kSummaryMinimumTime)),
                                  std::string(strings.Text(sid::kSummaryMaximum)),
                                  std::string(strings.Text(sid::kSummaryMaximumTime)),
                                  std::string(strings.Text(sid::kSummaryMean))};
  for (char code : summary.situations)
    titles.push_back(std::string(strings.Text(sid::kSummaryAlarms)) + code);

  std::vector<std::vector<std::string>> rows;
  ForEachRow(summary, [&](const SummaryDay& day, std::optional<std::size_t> channel) {
    rows.push_back(RowFields(summary, day, channel, false));
  });
  std::vector<Column> columns;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    std::size_t width = titles[i].size();
    for (const auto& row : rows) width = std::max(width, row[i].size());
    if (i == 0) width = std::max(width, kDayWidth);
    if (i == 4 || i == 6) width = std::max(width, kTimeWidth);
    columns.push_back({width, i >= 2});
  }
  columnTitles_ = Line(columns, titles);
  sortMark_ = "<>";
  rows_.reserve(rows.size());
  for (const auto& row : rows) rows_.push_back(Line(columns, row));
  titles_ = std::move(titles);
  fields_ = std::move(rows);
}

std::string SummaryCsvHeadingLine(const DailySummary& summary) {
  std::string line = "day,channel,count,minimum,minimum_time,maximum,maximum_time,mean";
  for (char code : summary.situations) {
    line += ",alarms_";
    line += code;
  }
  return line;
}

std::vector<std::string> SummaryCsvLines(const DailySummary& summary) {
  std::vector<std::string> lines;
  ForEachRow(summary, [&](const SummaryDay& day, std::optional<std::size_t> channel) {
    std::string line;
    bool first = true;
    for (const std::string& field : RowFields(summary, day, channel, true)) {
      if (!first) line += ',';
      first = false;
      AppendCsvField(line, field);
    }
    lines.push_back(std::move(line));
  });
  return lines;
}

std::optional<std::string> WriteSummaryCsv(const DailySummary& summary,
                                           const std::filesystem::path& target) {
  return WriteReportFile(target, [&summary](auto add) {
    if (!add(SummaryCsvHeadingLine(summary))) return;
    for (const std::string& line : SummaryCsvLines(summary))
      if (!add(line)) return;
  });
}

}  // namespace telvoran
