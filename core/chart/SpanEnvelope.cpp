#include "core/chart/SpanEnvelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChartReading.h"
#include "core/chart/KeptFailure.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

constexpr float kNoNumber = std::numeric_limits<float>::quiet_NaN();

// What one pixel column of the index's drawing holds.
struct Column {
  float low = 0;
  float high = 0;
  double lowTime = 0;
  double highTime = 0;
  bool any = false;

  void Add(float lowValue, float highValue, double time) {
    if (!any || lowValue < low) {
      low = lowValue;
      lowTime = time;
    }
    if (!any || highValue > high) {
      high = highValue;
      highTime = time;
    }
    any = true;
  }
};

std::optional<IntervalSeries> ReadOne(const std::filesystem::path& path,
                                      const StringLookup& strings, std::string& failure) {
  KeptFailure reporter;
  ArchiveFile file(strings, reporter);
  std::optional<IntervalSeries> series = ReadIntervalSeries(file, path, kReloadMessages);
  failure = reporter.Text();
  return series;
}

}  // namespace

std::optional<SpanEnvelope> SpanEnvelope::Build(const std::vector<std::filesystem::path>& files,
                                                const StringLookup& strings,
                                                WorkProgress* progress,
                                                std::vector<FileFailure>& failures) {
  SpanEnvelope envelope;
  envelope.strings_ = &strings;
  if (progress) progress->Step(sid::kWorkSpanChart, files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (StopAsked(progress)) return std::nullopt;
    std::string failure;
    const std::optional<IntervalSeries> series = ReadOne(files[i], strings, failure);
    if (series && series->Size() > 0) {
      envelope.AddFile(files[i], *series);
    } else if (!failure.empty()) {
      failures.push_back({files[i], std::move(failure)});
    }
    if (progress) progress->Done(i + 1);
  }
  // Files are drawn in time order, whatever order their names gave.
  std::stable_sort(envelope.files_.begin(), envelope.files_.end(),
                   [](const File& a, const File& b) { return a.from < b.from; });
  return envelope;
}

int SpanEnvelope::SeriesOf(const ChannelInfo& channel) {
  for (std::size_t i = 0; i < series_.size(); ++i) {
    ChannelInfo& known = series_[i];
    if (known.name != channel.name || known.unit != channel.unit) continue;
    known.decimals = std::max(known.decimals, channel.decimals);
    return static_cast<int>(i);
  }
  series_.push_back(channel);
  return static_cast<int>(series_.size() - 1);
}

void SpanEnvelope::AddFile(const std::filesystem::path& path, const IntervalSeries& series) {
  const std::span<const CompactSeconds> times = series.Times();
  File file;
  file.path = path;
  file.from = times.front();
  file.to = times.back();
  file.records = series.Size();
  file.bucketStart = file.from - file.from % kBucketSeconds;
  file.buckets = static_cast<std::size_t>((file.to - file.bucketStart) / kBucketSeconds) + 1;
  file.offset = lows_.size();
  const auto channels = static_cast<std::size_t>(series.ChannelCount());
  lows_.resize(file.offset + channels * file.buckets, kNoNumber);
  highs_.resize(lows_.size(), kNoNumber);
  for (int channel = 0; channel < series.ChannelCount(); ++channel) {
    file.seriesOf.push_back(SeriesOf(series.Channel(channel)));
    const std::size_t base = file.offset + static_cast<std::size_t>(channel) * file.buckets;
    for (std::size_t position = 0; position < times.size(); ++position) {
      const float value = series.ValueAt(channel, position);
      if (std::isnan(value)) continue;
      const std::size_t at =
          base + static_cast<std::size_t>((times[position] - file.bucketStart) / kBucketSeconds);
      // NaN compares false: the first number of a bucket always takes it.
      if (!(value >= lows_[at])) lows_[at] = value;
      if (!(value <= highs_[at])) highs_[at] = value;
    }
  }
  files_.push_back(std::move(file));
}

TimeSpan SpanEnvelope::FullSpan() const {
  if (files_.empty()) return {};
  ArchiveSeconds to = files_.front().to;
  for (const File& file : files_) to = std::max(to, file.to);
  return {static_cast<double>(files_.front().from), static_cast<double>(to)};
}

std::pair<std::size_t, std::size_t> SpanEnvelope::FilesIn(TimeSpan span) const {
  std::size_t first = files_.size();
  std::size_t end = 0;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    if (static_cast<double>(files_[i].to) < span.from ||
        static_cast<double>(files_[i].from) > span.to)
      continue;
    first = std::min(first, i);
    end = i + 1;
  }
  return first < end ? std::pair{first, end} : std::pair{end, end};
}

std::optional<int> SpanEnvelope::SeriesOfChannel(double time, int channel) const {
  const File* nearest = nullptr;
  double distance = INFINITY;
  for (const File& file : files_) {
    const double from = static_cast<double>(file.from);
    const double to = static_cast<double>(file.to);
    const double away = time < from ? from - time : time > to ? time - to : 0;
    if (away < distance) {
      distance = away;
      nearest = &file;
    }
  }
  if (!nearest || channel < 0 || channel >= static_cast<int>(nearest->seriesOf.size()))
    return std::nullopt;
  return nearest->seriesOf[static_cast<std::size_t>(channel)];
}

bool SpanEnvelope::Exact(TimeSpan span) const {
  const auto [first, end] = FilesIn(span);
  return end - first <= kExactFiles;
}

std::vector<EnvelopePoint> SpanEnvelope::Envelope(int series, TimeSpan span, int columns) {
  std::vector<EnvelopePoint> points;
  columns = std::max(columns, 1);
  if (series < 0 || series >= SeriesCount()) return points;
  if (Exact(span)) {
    ExactPoints(series, span, columns, points);
  } else {
    BucketPoints(series, span, columns, points);
  }
  return points;
}

void SpanEnvelope::BucketPoints(int series, TimeSpan span, int columns,
                                std::vector<EnvelopePoint>& points) const {
  // Columns 1 to `columns` are the span's; column 0 keeps the last value before it and the
  // last column the first value after it.
  std::vector<Column> drawn(static_cast<std::size_t>(columns) + 2);
  const double columnsPerSecond = span.Length() > 0 ? columns / span.Length() : 0;
  bool after = false;
  for (const File& file : files_) {
    if (after) break;
    const auto channel = static_cast<std::size_t>(
        std::find(file.seriesOf.begin(), file.seriesOf.end(), series) - file.seriesOf.begin());
    if (channel >= file.seriesOf.size()) continue;
    const std::size_t base = file.offset + channel * file.buckets;
    for (std::size_t bucket = 0; bucket < file.buckets; ++bucket) {
      const float low = lows_[base + bucket];
      if (std::isnan(low)) continue;
      const double start =
          static_cast<double>(file.bucketStart) + static_cast<double>(bucket * kBucketSeconds);
      // A bucket is drawn at its middle, within the file's records.
      const double time = std::clamp(start + kBucketSeconds / 2.0,
                                     static_cast<double>(file.from), static_cast<double>(file.to));
      std::size_t column = 0;
      if (time > span.to) {
        column = drawn.size() - 1;
        after = true;
      } else if (time >= span.from) {
        column = 1 + static_cast<std::size_t>(std::min<double>(
                         columns - 1, std::floor((time - span.from) * columnsPerSecond)));
      } else {
        drawn.front() = {};
      }
      drawn[column].Add(low, highs_[base + bucket], time);
      if (after) break;
    }
  }
  // Neighbours further apart than this are not joined: a missing day shows as a break.
  const double longestJoin =
      std::max(3.0 * kBucketSeconds, columnsPerSecond > 0 ? 2.5 / columnsPerSecond : 0.0);
  auto add = [&](double time, double value) {
    const bool joins = !points.empty() && time - points.back().time <= longestJoin;
    points.push_back({time, value, 0, joins});
  };
  for (const Column& column : drawn) {
    if (!column.any) continue;
    if (column.lowTime <= column.highTime) {
      add(column.lowTime, column.low);
      if (column.high != column.low || column.highTime != column.lowTime)
        add(column.highTime, column.high);
    } else {
      add(column.highTime, column.high);
      add(column.lowTime, column.low);
    }
  }
}

void SpanEnvelope::ExactPoints(int series, TimeSpan span, int columns,
                               std::vector<EnvelopePoint>& points) {
  auto [first, end] = FilesIn(span);
  // The files on either side lend the line its way to the edges.
  if (first > 0) --first;
  end = std::min(end + 1, files_.size());
  for (std::size_t i = first; i < end; ++i) {
    const File& file = files_[i];
    const auto channel = static_cast<int>(
        std::find(file.seriesOf.begin(), file.seriesOf.end(), series) - file.seriesOf.begin());
    if (channel >= static_cast<int>(file.seriesOf.size())) continue;
    const IntervalSeries* records = Records(i);
    if (!records) continue;
    std::vector<EnvelopePoint> filePoints = ChannelEnvelope(*records, channel, span, columns);
    if (filePoints.empty()) continue;
    // Of a neighbouring file only the value nearest the span is wanted.
    if (static_cast<double>(file.to) < span.from) filePoints.erase(filePoints.begin(), filePoints.end() - 1);
    if (static_cast<double>(file.from) > span.to) filePoints.resize(1);
    // A file joins the one before when the step between them is no longer than its usual step
    // a few times over, as within one file.
    const double step =
        file.records > 1 ? static_cast<double>(file.to - file.from) / static_cast<double>(file.records - 1)
                         : static_cast<double>(kBucketSeconds);
    filePoints.front().joinsPrevious =
        !points.empty() &&
        filePoints.front().time - points.back().time <= IntervalSeries::kPauseSteps * step;
    for (EnvelopePoint& point : filePoints) point.record = 0;
    points.insert(points.end(), filePoints.begin(), filePoints.end());
  }
}

const IntervalSeries* SpanEnvelope::Records(std::size_t file) {
  const auto kept = std::find_if(kept_.begin(), kept_.end(),
                                 [file](const Kept& k) { return k.file == file; });
  if (kept != kept_.end()) {
    std::rotate(kept, kept + 1, kept_.end());
    return kept_.back().series.get();
  }
  std::string failure;
  std::optional<IntervalSeries> series = ReadOne(files_[file].path, *strings_, failure);
  if (!series) return nullptr;
  if (kept_.size() >= kKeptFiles) kept_.erase(kept_.begin());
  kept_.push_back({file, std::make_shared<const IntervalSeries>(std::move(*series))});
  return kept_.back().series.get();
}

std::size_t SpanEnvelope::MemoryBytes() const {
  std::size_t bytes = (lows_.capacity() + highs_.capacity()) * sizeof(float) +
                      files_.capacity() * sizeof(File);
  for (const File& file : files_)
    bytes += file.path.native().capacity() + file.seriesOf.capacity() * sizeof(int);
  for (const Kept& kept : kept_)
    bytes += kept.series->Size() * (sizeof(ArchiveRecord) + sizeof(CompactSeconds) + 8);
  return bytes;
}

}  // namespace telvoran
