#include "core/chart/SpanEnvelope.h"
#include "core/chart/UnitAlarms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/archive/RecordLayout.h"
#include "support/ArchiveReading.h"
#include "support/ChartRecords.h"

namespace telvoran {
namespace {

using namespace test;
constexpr ArchiveSeconds kDay = 24 * 60 * 60;

// A value text of five characters that wanders with `i`; every 7th is blank.
std::string ValueText(int i, int channel) {
  if ((i + channel) % 7 == 0) return "  ERR";
  char text[8];
  std::snprintf(text, sizeof text, "%5.1f", std::fmod(i * (13.7 + channel), 97.0) - 40.0);
  return text;
}

struct Made {
  ArchiveSeconds time;
  float values[2];
};

class SpanEnvelopeTest : public ::testing::Test, protected ArchiveReading {
 protected:
  // A day's archive of two channels, `perDay` records from its midnight; `header` as given.
  std::filesystem::path Day(int day, int perDay, std::vector<ArchiveRecord> header = IntervalHeader('2')) {
    const ArchiveSeconds start = SeriesStart() + day * kDay;
    std::vector<ArchiveRecord> records = header;
    for (int i = 0; i < perDay; ++i) {
      const int n = day * perDay + i;
      const ArchiveSeconds time = start + i * (kDay / perDay);
      records.push_back(IntervalRecordAt(time, ValueText(n, 0) + ValueText(n, 1)));
      auto number = [&](int channel) {
        const std::string text = ValueText(n, channel);
        return text == "  ERR" ? NAN : std::strtof(text.c_str(), nullptr);
      };
      made.push_back({time, {number(0), number(1)}});
    }
    return dir.Write("d" + std::to_string(1000 + day) + ".czt", records);
  }
  SpanEnvelope Build(const std::vector<std::filesystem::path>& files) {
    std::optional<SpanEnvelope> envelope = SpanEnvelope::Build(files, strings, nullptr, failures);
    EXPECT_TRUE(envelope);
    return std::move(*envelope);
  }

  std::vector<Made> made;
  std::vector<FileFailure> failures;
};

// The index's drawing of a long span against a pass over every record: each column's lowest
// and highest value are those of the records whose buckets fall in it.
TEST_F(SpanEnvelopeTest, TheIndexKeepsEachColumnsExtremesAsAPassOverTheRecordsFindsThem) {
  std::vector<std::filesystem::path> files;
  for (int day = 0; day < 60; ++day) files.push_back(Day(day, 24));
  SpanEnvelope envelope = Build(files);
  ASSERT_EQ(envelope.SeriesCount(), 2);
  const TimeSpan span{static_cast<double>(SeriesStart() + 3 * kDay + 5000),
                      static_cast<double>(SeriesStart() + 57 * kDay)};
  ASSERT_FALSE(envelope.Exact(span));
  const int columns = 97;
  for (int channel = 0; channel < 2; ++channel) {
    std::map<int, std::pair<float, float>> expected;
    for (const Made& m : made) {
      const float v = m.values[channel];
      if (std::isnan(v)) continue;
      const ArchiveSeconds day = (m.time - SeriesStart()) / kDay * kDay + SeriesStart();
      const ArchiveSeconds bucket = m.time - m.time % SpanEnvelope::kBucketSeconds;
      // A bucket is drawn at its middle, within its day's records.
      const double at = std::clamp<double>(bucket + SpanEnvelope::kBucketSeconds / 2.0, day,
                                           day + 23 * 3600);
      if (at < span.from || at > span.to) continue;
      const int column = std::min(columns - 1, static_cast<int>((at - span.from) * columns / span.Length()));
      auto [it, added] = expected.try_emplace(column, v, v);
      it->second = {std::min(it->second.first, v), std::max(it->second.second, v)};
    }
    std::map<int, std::pair<float, float>> drawn;
    for (const EnvelopePoint& p : envelope.Envelope(channel, span, columns)) {
      if (p.time < span.from || p.time > span.to) continue;
      const int column = std::min(columns - 1, static_cast<int>((p.time - span.from) * columns / span.Length()));
      const auto v = static_cast<float>(p.value);
      auto [it, added] = drawn.try_emplace(column, v, v);
      it->second = {std::min(it->second.first, v), std::max(it->second.second, v)};
    }
    EXPECT_EQ(drawn, expected) << "channel " << channel;
  }
}

// Zoomed in, the records themselves are drawn: every value in view is a point.
TEST_F(SpanEnvelopeTest, AFewDaysInViewAreDrawnFromTheirRecords) {
  std::vector<std::filesystem::path> files;
  for (int day = 0; day < 50; ++day) files.push_back(Day(day, 24));
  SpanEnvelope envelope = Build(files);
  const TimeSpan span{static_cast<double>(SeriesStart() + 10 * kDay),
                      static_cast<double>(SeriesStart() + 12 * kDay)};
  ASSERT_TRUE(envelope.Exact(span));
  std::multiset<double> expected;
  for (const Made& m : made)
    if (!std::isnan(m.values[1]) && m.time >= span.from && m.time <= span.to)
      expected.insert(m.values[1]);
  std::multiset<double> drawn;
  for (const EnvelopePoint& p : envelope.Envelope(1, span, 2000))
    if (p.time >= span.from && p.time <= span.to) drawn.insert(static_cast<float>(p.value));
  EXPECT_EQ(drawn, expected);
}

// The first and last day bound the chart; a missing day breaks the line, drawn either way; a
// day whose channel is named otherwise makes a series of its own; an unreadable day is named.
TEST_F(SpanEnvelopeTest, SpanBoundariesMissingDaysDifferingHeadersAndFailures) {
  std::vector<ArchiveRecord> renamed = IntervalHeader('2');
  renamed[0].bytes[26 * 2 - 24 + 1] = 'X';  // channel 2's name: "CX"
  std::vector<std::filesystem::path> files;
  for (int day = 0; day < 45; ++day) {
    if (day == 20) continue;  // missing
    files.push_back(day == 30 ? Day(day, 24, renamed) : Day(day, 24));
  }
  files.push_back(dir.Write("broken.czt", IntervalHeader('2')));  // a header and nothing else
  SpanEnvelope envelope = Build(files);

  EXPECT_EQ(envelope.FileCount(), 44u);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].path.filename(), "broken.czt");
  EXPECT_FALSE(failures[0].text.empty());
  EXPECT_EQ(envelope.FullSpan(), (TimeSpan{static_cast<double>(made.front().time),
                                           static_cast<double>(made.back().time)}));

  ASSERT_EQ(envelope.SeriesCount(), 3);
  EXPECT_EQ(envelope.Series(2).name, "CX");
  EXPECT_EQ(envelope.SeriesOfChannel(static_cast<double>(SeriesStart() + 30 * kDay + 60), 1), 2);
  for (const EnvelopePoint& p : envelope.Envelope(2, envelope.FullSpan(), 500))
    EXPECT_EQ((static_cast<ArchiveSeconds>(p.time) - SeriesStart()) / kDay, 30);

  const double gapFrom = static_cast<double>(SeriesStart() + 20 * kDay);
  const double gapTo = static_cast<double>(SeriesStart() + 21 * kDay);
  for (const TimeSpan span : {envelope.FullSpan(), TimeSpan{gapFrom - kDay, gapTo + kDay}}) {
    SCOPED_TRACE(envelope.Exact(span) ? "exact" : "index");
    const std::vector<EnvelopePoint> points = envelope.Envelope(0, span, 4000);
    ASSERT_FALSE(points.empty());
    int breaks = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
      if (points[i].joinsPrevious) continue;
      // Only the missing day, or a blank value, breaks the line.
      if (points[i].time >= gapTo && points[i - 1].time < gapFrom) ++breaks;
    }
    EXPECT_EQ(breaks, 1);
  }
}

// The band's events against a plain filter of the records by unit and channel.
TEST_F(SpanEnvelopeTest, TheAlarmBandTakesTheUnitsEventsAsAPlainFilterDoes) {
  std::vector<ArchiveRecord> first;
  std::vector<ArchiveRecord> second;
  for (int i = 0; i < 120; ++i) {
    ArchiveRecord record = EventRecord(i / 2, "GHLW"[i % 4]);
    record.bytes[event_field::kCentralAddress] = static_cast<unsigned char>(10 + 5 + i % 3);
    record.bytes[event_field::kChannel] = static_cast<unsigned char>('1' + i % 4);
    (i < 70 ? first : second).push_back(record);
  }
  const std::vector<std::filesystem::path> archives{
      dir.Write("a.zdr", first), dir.Write("b.zdr", second), dir / "gone.zdr"};
  const std::optional<AlarmTimeline> alarms = ReadUnitAlarms(archives, 6, strings, nullptr, failures);
  ASSERT_TRUE(alarms);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].path.filename(), "gone.zdr");

  std::map<unsigned char, std::size_t> expected;
  for (const auto* records : {&first, &second})
    for (const ArchiveRecord& record : *records)
      if (record.bytes[event_field::kCentralAddress] == 16) ++expected[record.bytes[event_field::kChannel]];
  std::map<unsigned char, std::size_t> found;
  for (const Lane& lane : alarms->Lanes()) {
    EXPECT_EQ(lane.key.centralUnit, 6);
    found[lane.key.channel] = lane.events.size();
  }
  EXPECT_EQ(found, expected);
  for (const ArchiveRecord& record : first)
    for (int channel = 1; channel <= 4; ++channel)
      EXPECT_EQ(EventOfUnit(record, 6, channel),
                record.bytes[event_field::kCentralAddress] == 16 &&
                    record.bytes[event_field::kChannel] == '0' + channel);
}

}  // namespace
}  // namespace telvoran
