// Any bytes as an archive file, read the way the chart command reads a view's file. The first
// byte chooses how to read the rest, which is the file:
//   bit 0      the kind: 0 interval archive (.czt), 1 event archive (.zdr)
//   bits 1-7   the number of pixel columns the chart is drawn into (1 to 128)
// A chart's reading must agree with the view's: the same outcome and messages, and as many
// records (drawn or left out for their dates) as the view has rows. What is drawn of it must
// keep its shape whatever the records hold.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/chart/ChannelEnvelope.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/ChartReading.h"
#include "core/chart/LaneDrawing.h"
#include "core/chart/TimeTicks.h"
#include "core/rows/RowReading.h"
#include "core/rows/RowStore.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFile.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"

namespace telvoran {
namespace {

using test::FakeStrings;
using test::RecordingReporter;

// The visible spans a chart is drawn for: the whole one, and its second quarter.
std::vector<TimeSpan> SpansOf(TimeSpan whole) {
  const double quarter = whole.Length() / 4;
  return {whole, {whole.from + quarter, whole.from + 2 * quarter}};
}

void CheckSeries(const IntervalSeries& series, int columns) {
  const auto times = series.Times();
  TELVORAN_FUZZ_CHECK(std::is_sorted(times.begin(), times.end()));
  for (int channel = 0; channel < series.ChannelCount(); ++channel) {
    const auto values = series.Values(channel);
    const auto gaps = series.Gaps(channel);
    TELVORAN_FUZZ_CHECK(values.size() == times.size());
    TELVORAN_FUZZ_CHECK(static_cast<std::size_t>(std::count_if(
                            values.begin(), values.end(), [](float v) { return std::isnan(v); })) ==
                        gaps.size());
    for (const TimeSpan span : SpansOf(series.FullSpan())) {
      const auto points = ChannelEnvelope(series, channel, span, columns);
      TELVORAN_FUZZ_CHECK(points.size() <= 4 * static_cast<std::size_t>(columns) + 2);
      for (std::size_t i = 0; i < points.size(); ++i) {
        TELVORAN_FUZZ_CHECK(points[i].record < values.size());
        TELVORAN_FUZZ_CHECK(!std::isnan(points[i].value));
        if (i > 0) TELVORAN_FUZZ_CHECK(points[i - 1].record < points[i].record);
      }
      const ChannelStatistics statistics = StatisticsOver(series, channel, span);
      TELVORAN_FUZZ_CHECK(statistics.count <= values.size());
      if (statistics.count > 0) {
        const double slack = 1e-3 * std::max(1.0, std::abs(statistics.maximum));
        TELVORAN_FUZZ_CHECK(statistics.minimum <= statistics.maximum);
        TELVORAN_FUZZ_CHECK(statistics.mean >= statistics.minimum - slack);
        TELVORAN_FUZZ_CHECK(statistics.mean <= statistics.maximum + slack);
      }
    }
  }
}

void CheckTimeline(const AlarmTimeline& timeline, int columns) {
  const auto& lanes = timeline.Lanes();
  for (std::size_t i = 0; i < lanes.size(); ++i) {
    if (i > 0) TELVORAN_FUZZ_CHECK(lanes[i - 1].key < lanes[i].key);
    const auto& events = lanes[i].events;
    TELVORAN_FUZZ_CHECK(!events.empty());
    TELVORAN_FUZZ_CHECK(
        std::is_sorted(events.begin(), events.end(),
                       [](const auto& a, const auto& b) { return a.time < b.time; }));
    for (const TimeSpan span : SpansOf(timeline.FullSpan())) {
      const LaneDrawing drawing = DrawLane(timeline, lanes[i], span, columns);
      int next = 0;
      for (const LaneRun& run : drawing.runs) {
        TELVORAN_FUZZ_CHECK(run.firstColumn >= next && run.firstColumn <= run.lastColumn);
        TELVORAN_FUZZ_CHECK(run.lastColumn < columns);
        next = run.lastColumn + 1;
      }
      TELVORAN_FUZZ_CHECK(std::is_sorted(drawing.markColumns.begin(), drawing.markColumns.end()));
      TELVORAN_FUZZ_CHECK(
          std::adjacent_find(drawing.markColumns.begin(), drawing.markColumns.end()) ==
          drawing.markColumns.end());
    }
  }
}

void CheckTicks(TimeSpan whole, int columns) {
  const auto ticks = TimeTicks(whole, columns);
  TELVORAN_FUZZ_CHECK(ticks.size() <= static_cast<std::size_t>(columns) + 1);
  for (const TimeTick& tick : ticks) {
    TELVORAN_FUZZ_CHECK(static_cast<double>(tick.time) >= whole.from);
    TELVORAN_FUZZ_CHECK(static_cast<double>(tick.time) <= whole.to);
  }
}

}  // namespace
}  // namespace telvoran

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace telvoran;
  if (size == 0) return 0;
  const bool interval = (data[0] & 1) == 0;
  const int columns = 1 + (data[0] >> 1);
  static const FakeStrings strings = test::NumberedStrings();
  static fuzz::MemoryFile file;
  file.Fill(data + 1, size - 1);

  RecordingReporter viewReporter;
  ArchiveFile viewFile(strings, viewReporter);
  RowStore rows;
  const bool viewComplete =
      interval ? ReloadIntervalRows(viewFile, file.Path(), 1, kReloadMessages, rows)
               : ReloadEventRows(viewFile, file.Path(), 1, kReloadMessages, rows);

  RecordingReporter chartReporter;
  ArchiveFile chartFile(strings, chartReporter);
  if (interval) {
    const auto series = ReadIntervalSeries(chartFile, file.Path(), kReloadMessages);
    TELVORAN_FUZZ_CHECK(series.has_value() == viewComplete);
    if (series) {
      TELVORAN_FUZZ_CHECK(series->Size() + series->RecordsWithoutTime() == rows.Size());
      CheckSeries(*series, columns);
      CheckTicks(series->FullSpan(), columns);
    }
  } else {
    const auto timeline = ReadAlarmTimeline(chartFile, file.Path(), kReloadMessages);
    TELVORAN_FUZZ_CHECK(timeline.has_value() == viewComplete);
    if (timeline) {
      std::size_t events = 0;
      for (const Lane& lane : timeline->Lanes()) events += lane.events.size();
      // Records that give two different rows are two events (or left out for their dates); the
      // view merges records whose rows agree although their bytes differ, the timeline may not.
      TELVORAN_FUZZ_CHECK(events + timeline->RecordsWithoutTime() >= rows.Size());
      CheckTimeline(*timeline, columns);
      CheckTicks(timeline->FullSpan(), columns);
    }
  }
  TELVORAN_FUZZ_CHECK(chartReporter.events == viewReporter.events);
  TELVORAN_FUZZ_CHECK(!chartFile.IsOpen());
  return 0;
}
