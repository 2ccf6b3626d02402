#include "core/chart/UnitAlarms.h"

#include <algorithm>
#include <system_error>

#include "core/archive/ArchiveFile.h"
#include "core/archive/ArchiveKind.h"
#include "core/archive/RecordLayout.h"
#include "core/chart/KeptFailure.h"
#include "core/platform/Utf8Path.h"
#include "core/rows/RowReading.h"
#include "core/text/StringIds.h"
#include "core/work/WorkProgress.h"

namespace telvoran {

bool EventOfUnit(const ArchiveRecord& record, int unit, std::optional<int> channel) {
  if (DecodedByte(record.bytes[event_field::kCentralAddress]) != unit) return false;
  return !channel || record.bytes[event_field::kChannel] == EventChannelByte(*channel);
}

unsigned char EventChannelByte(int channel) {
  return static_cast<unsigned char>('0' + channel);
}

std::optional<AlarmTimeline> ReadUnitAlarms(const std::vector<std::filesystem::path>& archives,
                                            int unit, const StringLookup& strings,
                                            WorkProgress* progress,
                                            std::vector<FileFailure>& failures) {
  AlarmTimelineBuilder builder;
  if (progress) progress->Step(sid::kWorkSpanAlarms, archives.size());
  for (std::size_t i = 0; i < archives.size(); ++i) {
    if (StopAsked(progress)) return std::nullopt;
    KeptFailure reporter;
    ArchiveFile file(strings, reporter);
    if (file.OpenArchiveFile(archives[i], kReloadMessages.missingFile,
                             kReloadMessages.emptyFile)) {
      ReadStop stop = ReadStop::EndOfFile;
      while (!file.AtEnd()) {
        if (!file.ReadRecord()) {
          stop = ReadStop::ReadError;
          break;
        }
        if (file.Record().Kind() != kEventKind) {
          stop = ReadStop::WrongKind;
          break;
        }
        if (EventOfUnit(file.Record(), unit)) builder.Add(file.Record());
      }
      ReportReadStop(stop, file);
      file.Close();
    }
    if (!reporter.Text().empty()) failures.push_back({archives[i], reporter.Text()});
    if (progress) progress->Done(i + 1);
  }
  return std::move(builder).Finish();
}

std::vector<std::filesystem::path> EventArchivesNear(const std::filesystem::path& dayFile) {
  std::vector<std::filesystem::path> found;
  const std::filesystem::path folder = dayFile.parent_path();
  for (const std::filesystem::path& place : {folder, folder.parent_path()}) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(place, error), end; !error && it != end;
         it.increment(error)) {
      const std::string name = Utf8FromPath(it->path().filename());
      if (ArchiveKindOfName(name) == ArchiveKind::Event && it->is_regular_file(error))
        found.push_back(it->path());
    }
    if (place == place.parent_path() || place.empty()) break;
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

}  // namespace telvoran
