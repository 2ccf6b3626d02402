#include "tools/mkarchive/ArchiveGeneration.h"

#include <functional>
#include <utility>
#include <vector>

#include "tools/mkarchive/ArchiveWriter.h"
#include "tools/mkarchive/SampleSources.h"

namespace telvoran {
namespace {

// Writes records in file order, numbering them from 1 and applying the faults meant for each.
class FaultingRecordSink {
 public:
  FaultingRecordSink(ArchiveWriter& writer, const RecordOverrides& overrides)
      : writer_(writer), overrides_(overrides) {}

  void Put(ArchiveRecord record) {
    ApplyOverrides(overrides_, ++recordNumber_, record);
    writer_.Write(record);
  }

 private:
  ArchiveWriter& writer_;
  const RecordOverrides& overrides_;
  std::uint64_t recordNumber_ = 0;
};

// Encoded data records, each possibly a repetition of the one before.
class DataRecordSource {
 public:
  DataRecordSource(const MkArchiveOptions& options, DeterministicRandom& random)
      : options_(options), random_(random), fresh_(FreshRecords(options, random)) {}

  ArchiveRecord Next() {
    const bool repeat = hasPrevious_ && options_.duplicatePercent > 0 &&
                        random_.Below(100) < options_.duplicatePercent;
    if (!repeat) previous_ = fresh_();
    hasPrevious_ = true;
    return previous_;
  }

 private:
  static std::function<ArchiveRecord()> FreshRecords(const MkArchiveOptions& options,
                                                     DeterministicRandom& random) {
    if (options.kind == ArchiveKind::kInterval) {
      return [source = IntervalSampleSource(options, random)]() mutable {
        return EncodeIntervalRecord(source.Next());
      };
    }
    return [source = EventSampleSource(options, random)]() mutable {
      return EncodeEventRecord(source.Next());
    };
  }

  const MkArchiveOptions& options_;
  DeterministicRandom& random_;
  std::function<ArchiveRecord()> fresh_;
  ArchiveRecord previous_;
  bool hasPrevious_ = false;
};

// The data records in file order: made in time order, then the chosen share of them shuffled
// among their own places. The shuffle draws from a random source of its own, so that the
// records are those of the same archive unshuffled.
std::vector<ArchiveRecord> ShuffledRecords(const MkArchiveOptions& options,
                                           DataRecordSource& data) {
  std::vector<ArchiveRecord> records(options.records);
  for (ArchiveRecord& record : records) record = data.Next();
  DeterministicRandom random(options.seed ^ 0x5EED5EED5EED5EEDu);
  std::vector<std::size_t> places;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (random.Below(100) < options.shufflePercent) places.push_back(i);
  for (std::size_t i = places.size(); i > 1; --i)
    std::swap(records[places[i - 1]], records[places[random.Below(i)]]);
  return records;
}

// Puts `character` where the channel-count digit belongs. A zero byte there would leave the
// digit's place to the next record's text, so for a missing digit the other header records'
// texts are emptied too and the header text ends after its first character.
void ReplaceChannelCountCharacter(std::vector<ArchiveRecord>& header, char character) {
  header[0].bytes[interval_header::kChannelCountDigit] = static_cast<unsigned char>(character);
  if (character != '\0') return;
  for (std::size_t r = 1; r < header.size(); ++r) header[r].bytes[0] = 0;
}

// The header records an interval archive is asked to have: as many as requested, of the
// requested kind, with the channel-count character replaced if asked.
std::vector<ArchiveRecord> RequestedIntervalHeader(const MkArchiveOptions& options) {
  std::vector<ChannelLabel> labels;
  for (std::size_t k = 0; k < options.channelCount; ++k) {
    labels.push_back(options.channels[k].label);
  }
  std::vector<ArchiveRecord> header = MakeIntervalHeader(labels, options.headerKind);
  if (options.channelCountCharacter) {
    ReplaceChannelCountCharacter(header, *options.channelCountCharacter);
  }
  header.resize(options.headerRecords);
  return header;
}

}  // namespace

void WriteArchive(const MkArchiveOptions& options) {
  ArchiveWriter writer(options.output);
  try {
    FaultingRecordSink sink(writer, options.overrides);
    if (options.kind == ArchiveKind::kInterval) {
      for (const ArchiveRecord& record : RequestedIntervalHeader(options)) sink.Put(record);
    }

    DeterministicRandom random(options.seed);
    DataRecordSource data(options, random);
    if (options.shufflePercent > 0) {
      for (const ArchiveRecord& record : ShuffledRecords(options, data)) sink.Put(record);
    } else {
      for (std::uint64_t i = 0; i < options.records; ++i) sink.Put(data.Next());
    }
    // A file cut off while its last record was being written.
    if (options.trailingBytes > 0) writer.WritePartial(data.Next(), options.trailingBytes);

    writer.Close();
  } catch (...) {
    // Half an archive would pass for a whole one; leave nothing behind.
    writer.Discard();
    throw;
  }
}

}  // namespace telvoran
