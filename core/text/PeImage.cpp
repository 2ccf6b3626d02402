#include "core/text/PeImage.h"

#include <algorithm>
#include <utility>

namespace telvoran {
namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;  // "MZ"
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeHeaderOffsetField = 0x3C;
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::size_t kPeSignatureSize = 4;

constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionCountField = 2;
constexpr std::size_t kOptionalHeaderSizeField = 16;
constexpr std::size_t kCharacteristicsField = 18;
constexpr std::uint16_t kImageFileDll = 0x2000;

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kDataDirectoryEntrySize = 8;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

constexpr std::size_t kSectionHeaderSize = 40;

struct DataDirectoryEntry {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

// Where the two optional header formats keep the number of data directory entries and the
// entries themselves.
struct DataDirectoryLayout {
  std::size_t countField;
  std::size_t firstEntry;
};

std::optional<DataDirectoryLayout> LayoutOf(ByteSpan optionalHeader) {
  if (optionalHeader.size() < 2) return std::nullopt;
  switch (ReadU16(optionalHeader, 0)) {
    case kPe32Magic:
      return DataDirectoryLayout{92, 96};
    case kPe32PlusMagic:
      return DataDirectoryLayout{108, 112};
    default:
      return std::nullopt;
  }
}

// The resource entry of the data directory: zero when the directory is too short to hold one,
// none when the optional header is malformed.
std::optional<DataDirectoryEntry> ReadResourceEntry(ByteSpan optionalHeader) {
  const std::optional<DataDirectoryLayout> layout = LayoutOf(optionalHeader);
  if (!layout || optionalHeader.size() < layout->firstEntry) return std::nullopt;

  const std::uint32_t entryCount = ReadU32(optionalHeader, layout->countField);
  if (entryCount <= kResourceDirectoryIndex) return DataDirectoryEntry{};
  const std::optional<ByteSpan> entry =
      Slice(optionalHeader, layout->firstEntry + kResourceDirectoryIndex * kDataDirectoryEntrySize,
            kDataDirectoryEntrySize);
  if (!entry) return std::nullopt;
  return DataDirectoryEntry{ReadU32(*entry, 0), ReadU32(*entry, 4)};
}

}  // namespace

std::optional<PeImage> PeImage::Parse(ByteSpan file) {
  const std::optional<ByteSpan> dosHeader = Slice(file, 0, kDosHeaderSize);
  if (!dosHeader || ReadU16(*dosHeader, 0) != kDosMagic) return std::nullopt;

  const std::uint64_t peHeaderOffset = ReadU32(*dosHeader, kPeHeaderOffsetField);
  const std::optional<ByteSpan> signature = Slice(file, peHeaderOffset, kPeSignatureSize);
  if (!signature || ReadU32(*signature, 0) != kPeSignature) return std::nullopt;

  const std::uint64_t coffHeaderOffset = peHeaderOffset + kPeSignatureSize;
  const std::optional<ByteSpan> coffHeader = Slice(file, coffHeaderOffset, kCoffHeaderSize);
  if (!coffHeader) return std::nullopt;
  const std::uint16_t sectionCount = ReadU16(*coffHeader, kSectionCountField);
  const std::uint16_t optionalHeaderSize = ReadU16(*coffHeader, kOptionalHeaderSizeField);
  const std::uint16_t characteristics = ReadU16(*coffHeader, kCharacteristicsField);

  const std::uint64_t optionalHeaderOffset = coffHeaderOffset + kCoffHeaderSize;
  const std::optional<ByteSpan> optionalHeader =
      Slice(file, optionalHeaderOffset, optionalHeaderSize);
  if (!optionalHeader) return std::nullopt;
  const std::optional<DataDirectoryEntry> resources = ReadResourceEntry(*optionalHeader);
  if (!resources) return std::nullopt;

  const std::optional<ByteSpan> sectionTable =
      Slice(file, optionalHeaderOffset + optionalHeaderSize,
            std::uint64_t{sectionCount} * kSectionHeaderSize);
  if (!sectionTable) return std::nullopt;
  std::vector<Section> sections;
  sections.reserve(sectionCount);
  for (std::size_t i = 0; i < sectionCount; ++i) {
    const ByteSpan header = sectionTable->subspan(i * kSectionHeaderSize, kSectionHeaderSize);
    const std::uint32_t virtualSize = ReadU32(header, 8);
    const std::uint32_t virtualAddress = ReadU32(header, 12);
    const std::uint32_t rawDataSize = ReadU32(header, 16);
    const std::uint32_t rawDataOffset = ReadU32(header, 20);
    if (!Slice(file, rawDataOffset, rawDataSize)) return std::nullopt;
    // Memory beyond the file data is zero-filled by a loader; only file-backed bytes are read.
    const std::uint32_t backedSize =
        virtualSize == 0 ? rawDataSize : std::min(virtualSize, rawDataSize);
    sections.push_back({virtualAddress, backedSize, rawDataOffset});
  }

  PeImage image(file, characteristics, std::move(sections));
  if (resources->rva != 0) {
    const std::optional<ByteSpan> resourceSection = image.BytesToSectionEnd(resources->rva);
    if (!resourceSection) return std::nullopt;
    image.resourceSection_ = *resourceSection;
  }
  return image;
}

bool PeImage::IsDll() const {
  return (characteristics_ & kImageFileDll) != 0;
}

std::optional<ByteSpan> PeImage::BytesAt(std::uint32_t rva, std::uint32_t size) const {
  const Section* section = SectionHolding(rva);
  if (!section) return std::nullopt;
  const std::uint64_t offsetInSection = rva - section->virtualAddress;
  if (std::uint64_t{size} > section->size - offsetInSection) return std::nullopt;
  return file_.subspan(section->fileOffset + offsetInSection, size);
}

std::optional<ByteSpan> PeImage::BytesToSectionEnd(std::uint32_t rva) const {
  const Section* section = SectionHolding(rva);
  if (!section) return std::nullopt;
  return BytesAt(rva, section->size - (rva - section->virtualAddress));
}

const PeImage::Section* PeImage::SectionHolding(std::uint32_t rva) const {
  for (const Section& section : sections_) {
    if (rva >= section.virtualAddress &&
        std::uint64_t{rva} < std::uint64_t{section.virtualAddress} + section.size) {
      return &section;
    }
  }
  return nullptr;
}

}  // namespace telvoran
