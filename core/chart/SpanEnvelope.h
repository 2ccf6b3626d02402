#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/ArchiveTime.h"
#include "core/chart/ChannelEnvelope.h"
#include "core/chart/IntervalSeries.h"

namespace telvoran {

class StringLookup;
class WorkProgress;

// A file of many that could not be read, and the words of its failure (Windows-1250).
struct FileFailure {
  std::filesystem::path path;
  std::string text;
};

// The channel chart of many interval archives (a unit's days) as one line per channel, from
// the first day to the last. Every file is read once to build a small index: its time range
// and, per channel, the lowest and highest value of each fixed stretch of time (a bucket). A
// chart of years is drawn from that index alone; once the visible span meets few enough files,
// those files' records are read again (and kept, a few at a time) and the line is drawn from
// them exactly, as the chart of one file draws it.
//
// Days whose header differs are not mixed: a channel is a series by its name and unit, so a
// channel renamed or given another unit on some day starts a series of its own.
class SpanEnvelope {
 public:
  static constexpr ArchiveSeconds kBucketSeconds = 15 * 60;
  // At most this many files in view are drawn from their records.
  static constexpr std::size_t kExactFiles = 40;
  // Files whose records are kept after an exact drawing, the latest used.
  static constexpr std::size_t kKeptFiles = 2 * kExactFiles;

  // Reads each of `files` (oldest first) once and builds the index. A file that cannot be read,
  // or holds no record of a real moment, is left out and named in `failures`. Nothing when
  // `progress` asked to stop. `strings` must outlive the envelope: files are read again with it.
  static std::optional<SpanEnvelope> Build(const std::vector<std::filesystem::path>& files,
                                           const StringLookup& strings, WorkProgress* progress,
                                           std::vector<FileFailure>& failures);

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  const ChannelInfo& Series(int series) const { return series_[static_cast<std::size_t>(series)]; }
  // From the first record of the first file read to the last record of the last.
  TimeSpan FullSpan() const;
  std::size_t FileCount() const { return files_.size(); }
  const std::filesystem::path& FilePath(std::size_t file) const { return files_[file].path; }
  // The files whose records meet `span`: first and one past the last.
  std::pair<std::size_t, std::size_t> FilesIn(TimeSpan span) const;
  // The series of channel `channel` (counted from 0) of the file whose records lie nearest to
  // `time`; nothing when that file has no such channel.
  std::optional<int> SeriesOfChannel(double time, int channel) const;
  // Whether `span` is drawn from the records themselves rather than from the index.
  bool Exact(TimeSpan span) const;

  // The points of `series`'s line for `span` drawn into `columns` pixel columns, in time order,
  // with the nearest value on either side of the span. From the index, each column holds its
  // lowest and highest value; drawn exactly, what ChannelEnvelope gives for each file. A point
  // joins the one before unless a day or more of the recording is missing between them (or,
  // drawn exactly, a gap or pause as in one file). `record` is not used.
  std::vector<EnvelopePoint> Envelope(int series, TimeSpan span, int columns);

  // The memory the index and the kept files take, in bytes.
  std::size_t MemoryBytes() const;

 private:
  struct File {
    std::filesystem::path path;
    ArchiveSeconds from = 0;  // its first and last record
    ArchiveSeconds to = 0;
    ArchiveSeconds bucketStart = 0;
    std::size_t buckets = 0;
    std::size_t offset = 0;    // of its first bucket in lows_ and highs_
    std::vector<int> seriesOf;  // per channel of the file, its series
    std::size_t records = 0;
  };
  SpanEnvelope() = default;
  int SeriesOf(const ChannelInfo& channel);
  void AddFile(const std::filesystem::path& path, const IntervalSeries& series);
  void BucketPoints(int series, TimeSpan span, int columns, std::vector<EnvelopePoint>& points) const;
  void ExactPoints(int series, TimeSpan span, int columns, std::vector<EnvelopePoint>& points);
  // The records of file `file`, read again when they are not kept; nothing when that fails.
  const IntervalSeries* Records(std::size_t file);

  const StringLookup* strings_ = nullptr;
  std::vector<ChannelInfo> series_;
  std::vector<File> files_;
  std::vector<float> lows_;   // per file, per channel of the file, per bucket; NaN: no number
  std::vector<float> highs_;
  struct Kept {
    std::size_t file = 0;
    std::shared_ptr<const IntervalSeries> series;
  };
  std::vector<Kept> kept_;  // the latest used last
};

}  // namespace telvoran
