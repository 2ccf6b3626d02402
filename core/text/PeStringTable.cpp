#include "core/text/PeStringTable.h"

#include <set>
#include <vector>

#include "core/text/PeImage.h"

namespace telvoran {
namespace {

constexpr std::uint32_t kStringTableType = 6;  // RT_STRING

constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kNamedEntryCountField = 12;
constexpr std::size_t kIdEntryCountField = 14;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000;

// Block N holds the texts with IDs (N - 1) * 16 to (N - 1) * 16 + 15.
constexpr int kTextsPerBlock = 16;
constexpr std::uint32_t kLastBlock = 4096;

struct DirectoryEntry {
  bool named;                 // a name string rather than a number identifies the entry
  std::uint32_t id;           // the number, when not named
  bool leadsToDirectory;      // else to a data entry
  std::uint32_t childOffset;  // from the start of the resource directory
};

struct DataEntry {
  std::uint32_t rva;
  std::uint32_t size;
};

// The resource directory tree of one image, read with every offset checked against the
// resource section. The tree has three levels: type, block (name) and language; the reader
// follows no deeper. It refuses to visit a directory twice, so a loop ends the read.
class ResourceTree {
 public:
  explicit ResourceTree(ByteSpan section) : section_(section) {}

  std::optional<std::vector<DirectoryEntry>> Directory(std::uint32_t offset) {
    if (!visited_.insert(offset).second) return std::nullopt;
    const std::optional<ByteSpan> header = Slice(section_, offset, kDirectoryHeaderSize);
    if (!header) return std::nullopt;
    const std::uint64_t entryCount = std::uint64_t{ReadU16(*header, kNamedEntryCountField)} +
                                     ReadU16(*header, kIdEntryCountField);
    const std::optional<ByteSpan> entries = Slice(
        section_, std::uint64_t{offset} + kDirectoryHeaderSize, entryCount * kDirectoryEntrySize);
    if (!entries) return std::nullopt;

    std::vector<DirectoryEntry> result;
    result.reserve(entryCount);
    for (std::size_t i = 0; i < entryCount; ++i) {
      const std::uint32_t name = ReadU32(*entries, i * kDirectoryEntrySize);
      const std::uint32_t child = ReadU32(*entries, i * kDirectoryEntrySize + 4);
      result.push_back({(name & kHighBit) != 0, name, (child & kHighBit) != 0, child & ~kHighBit});
    }
    return result;
  }

  std::optional<DataEntry> Data(std::uint32_t offset) const {
    const std::optional<ByteSpan> entry = Slice(section_, offset, kDataEntrySize);
    if (!entry) return std::nullopt;
    return DataEntry{ReadU32(*entry, 0), ReadU32(*entry, 4)};
  }

 private:
  ByteSpan section_;
  std::set<std::uint32_t> visited_;
};

// A block is sixteen texts in a row, each a 16-bit length followed by that many UTF-16LE units.
bool ReadBlock(ByteSpan block, std::uint32_t blockNumber, StringTable& table) {
  const int firstId = static_cast<int>(blockNumber - 1) * kTextsPerBlock;
  std::uint64_t position = 0;
  for (int i = 0; i < kTextsPerBlock; ++i) {
    const std::optional<ByteSpan> lengthField = Slice(block, position, 2);
    if (!lengthField) return false;
    const std::uint16_t length = ReadU16(*lengthField, 0);
    const std::optional<ByteSpan> units = Slice(block, position + 2, std::uint64_t{length} * 2);
    if (!units) return false;
    if (length > 0) {
      std::u16string text(length, u'\0');
      for (std::size_t unit = 0; unit < length; ++unit) text[unit] = ReadU16(*units, unit * 2);
      table.emplace(firstId + i, std::move(text));
    }
    position += 2 + units->size();
  }
  return true;
}

// The blocks under the string table type entry; for each, the block of its first language.
bool ReadBlocks(const PeImage& image, ResourceTree& tree, const DirectoryEntry& stringType,
                StringResources& resources) {
  if (!stringType.leadsToDirectory) return false;
  const auto blocks = tree.Directory(stringType.childOffset);
  if (!blocks) return false;
  bool languageKnown = false;

  for (const DirectoryEntry& block : *blocks) {
    if (!block.leadsToDirectory) return false;
    const auto languages = tree.Directory(block.childOffset);
    if (!languages) return false;
    // Windows never looks up a named block nor one numbered outside 1 to 4096.
    const bool usable = !block.named && block.id >= 1 && block.id <= kLastBlock;
    if (!usable || languages->empty()) continue;

    const DirectoryEntry& firstLanguage = languages->front();
    if (firstLanguage.leadsToDirectory) return false;  // a fourth level
    const std::optional<DataEntry> data = tree.Data(firstLanguage.childOffset);
    if (!data) return false;
    const std::optional<ByteSpan> bytes = image.BytesAt(data->rva, data->size);
    if (!bytes || !ReadBlock(*bytes, block.id, resources.texts)) return false;
    if (!languageKnown && !firstLanguage.named) {
      resources.language = static_cast<std::uint16_t>(firstLanguage.id);
      languageKnown = true;
    }
  }
  return true;
}

}  // namespace

std::optional<StringTable> ParsePeStringTable(ByteSpan file) {
  std::optional<StringResources> resources = ParsePeStringResources(file);
  if (!resources) return std::nullopt;
  return std::move(resources->texts);
}

std::optional<StringResources> ParsePeStringResources(ByteSpan file) {
  const std::optional<PeImage> image = PeImage::Parse(file);
  if (!image) return std::nullopt;
  StringResources resources;
  if (image->ResourceSection().empty()) return resources;

  ResourceTree tree(image->ResourceSection());
  const auto types = tree.Directory(0);
  if (!types) return std::nullopt;
  for (const DirectoryEntry& type : *types) {
    if (type.named || type.id != kStringTableType) continue;
    if (!ReadBlocks(*image, tree, type, resources)) return std::nullopt;
  }
  return resources;
}

}  // namespace telvoran
