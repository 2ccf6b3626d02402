#include "tools/mkarchive/RecordEncoding.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace telvoran {
namespace {

unsigned char BiasedByte(int number, std::string_view field) {
  const int stored = number + kByteBias;
  if (stored < 0 || stored > 255) {
    throw std::out_of_range(std::string(field) + " " + std::to_string(number) +
                            " does not fit in a record byte");
  }
  return static_cast<unsigned char>(stored);
}

// Copies `text` into `width` bytes from `offset` and pads it with spaces.
template <std::size_t N>
void PutText(std::array<unsigned char, N>& bytes, std::size_t offset, std::size_t width,
             std::string_view text, std::string_view field) {
  if (text.size() > width) {
    throw std::invalid_argument(std::string(field) + " \"" + std::string(text) +
                                "\" is longer than " + std::to_string(width) + " characters");
  }
  auto field_begin = bytes.begin() + offset;
  std::copy(text.begin(), text.end(), field_begin);
  std::fill(field_begin + text.size(), field_begin + width, ' ');
}

void PutDateTime(ArchiveRecord& record, std::size_t offset, const DateTime& time) {
  static_assert(kDateTimeBytes == 6);
  record.bytes[offset + 0] = BiasedByte(time.year - kYearBase, "year");
  record.bytes[offset + 1] = BiasedByte(time.month, "month");
  record.bytes[offset + 2] = BiasedByte(time.day, "day");
  record.bytes[offset + 3] = BiasedByte(time.hour, "hour");
  record.bytes[offset + 4] = BiasedByte(time.minute, "minute");
  record.bytes[offset + 5] = BiasedByte(time.second, "second");
}

}  // namespace

ArchiveRecord EncodeIntervalRecord(const IntervalSample& sample) {
  ArchiveRecord record;
  PutDateTime(record, interval_field::kDateTime, sample.time);
  for (std::size_t channel = 1; channel <= kMaxChannels; ++channel) {
    PutText(record.bytes, interval_field::ValueOffset(channel), kValueWidth,
            sample.values[channel - 1], "value");
  }
  SetKind(record, kIntervalKind);
  return record;
}

ArchiveRecord EncodeEventRecord(const EventSample& sample) {
  ArchiveRecord record;
  record.bytes[event_field::kCentralAddress] = BiasedByte(sample.centralAddress, "central address");
  PutDateTime(record, event_field::kDateTime, sample.time);
  record.bytes[event_field::kChannel] = static_cast<unsigned char>(sample.channel);
  record.bytes[event_field::kSituation] = static_cast<unsigned char>(sample.situation);
  PutText(record.bytes, event_field::kReading, kValueWidth, sample.reading, "reading");
  PutText(record.bytes, event_field::kMedium, kLabelWidth, sample.medium, "medium");
  PutText(record.bytes, event_field::kUnit, kLabelWidth, sample.unit, "unit");
  SetKind(record, kEventKind);
  return record;
}

std::vector<ArchiveRecord> MakeIntervalHeader(std::span<const ChannelLabel> channels,
                                              std::uint32_t kind) {
  if (channels.size() > kMaxChannels) {
    throw std::invalid_argument("an interval header holds at most 4 channels, not " +
                                std::to_string(channels.size()));
  }
  // The header text runs on across the four record texts; index i is text position i+1.
  std::array<unsigned char, kHeaderRecordCount * kRecordTextLength> text;
  text.fill(' ');
  text[interval_header::kChannelCountDigit] = static_cast<unsigned char>('0' + channels.size());
  for (std::size_t k = 1; k <= channels.size(); ++k) {
    PutText(text, interval_header::NameOffset(k), kLabelWidth, channels[k - 1].name,
            "channel name");
    PutText(text, interval_header::UnitOffset(k), kLabelWidth, channels[k - 1].unit,
            "channel unit");
  }

  std::vector<ArchiveRecord> header(kHeaderRecordCount);
  for (std::size_t r = 0; r < kHeaderRecordCount; ++r) {
    const auto piece = text.begin() + r * kRecordTextLength;
    std::copy(piece, piece + kRecordTextLength, header[r].bytes.begin());
    SetKind(header[r], kind);
  }
  return header;
}

}  // namespace telvoran
