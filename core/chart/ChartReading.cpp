#include "core/chart/ChartReading.h"

#include "core/archive/ArchiveFile.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

// Records read between looks at whether the work is to stop.
constexpr std::uint64_t kTellEvery = 4096;

// Hands every remaining record of the open file to `builder`, as long as each is of `kind`.
template <typename Builder>
ReadStop ReadRecords(ArchiveFile& file, std::uint32_t kind, Builder& builder,
                     WorkProgress* progress) {
  if (progress) progress->Step(sid::kWorkReading, file.RecordCount());
  while (!file.AtEnd()) {
    if (progress && file.RecordsRead() % kTellEvery == 0) {
      if (progress->Cancelled()) return ReadStop::Cancelled;
      progress->Done(file.RecordsRead());
    }
    if (!file.ReadRecord()) return ReadStop::ReadError;
    if (file.Record().Kind() != kind) return ReadStop::WrongKind;
    builder.Add(file.Record());
  }
  return ReadStop::EndOfFile;
}

// Closes the file and tells the user why reading stopped early; true for a complete reading.
bool FinishReading(ArchiveFile& file, ReadStop stop) {
  ReportReadStop(stop, file);
  file.Close();
  return stop == ReadStop::EndOfFile;
}

}  // namespace

std::optional<IntervalSeries> ReadIntervalSeries(ArchiveFile& file,
                                                 const std::filesystem::path& path,
                                                 const ArchiveMessages& messages,
                                                 WorkProgress* progress) {
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return std::nullopt;
  if (!file.ReadIntervalHeader(messages.shortHeader)) return std::nullopt;
  IntervalSeriesBuilder builder(file.IntervalHeader());
  const ReadStop stop = ReadRecords(file, kIntervalKind, builder, progress);
  if (!FinishReading(file, stop)) return std::nullopt;
  IntervalSeries series = std::move(builder).Finish(progress);
  if (StopAsked(progress)) return std::nullopt;
  return series;
}

std::optional<AlarmTimeline> ReadAlarmTimeline(ArchiveFile& file, const std::filesystem::path& path,
                                               const ArchiveMessages& messages,
                                               WorkProgress* progress) {
  if (!file.OpenArchiveFile(path, messages.missingFile, messages.emptyFile)) return std::nullopt;
  AlarmTimelineBuilder builder;
  const ReadStop stop = ReadRecords(file, kEventKind, builder, progress);
  if (!FinishReading(file, stop)) return std::nullopt;
  AlarmTimeline timeline = std::move(builder).Finish(progress);
  if (StopAsked(progress)) return std::nullopt;
  return timeline;
}

}  // namespace telvoran
