#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace telvoran::test {

enum class PeFormat { kPe32, kPe32Plus };

// A minimal resource-only PE image holding one string table, built byte by byte so that a test
// can damage any of its structures at a known place. Offsets are file offsets.
struct TestPeImage {
  std::vector<unsigned char> bytes;
  std::size_t peHeader = 0;  // the "PE\0\0" signature; the COFF header follows it
  std::size_t optionalHeader = 0;
  std::size_t resourceDataDirectoryEntry = 0;
  std::size_t sectionHeader = 0;
  std::size_t resourceDirectory = 0;  // the type level; resource offsets count from here
  std::size_t blockDirectory = 0;
  std::size_t firstLanguageDirectory = 0;
  std::size_t firstDataEntry = 0;
  std::size_t firstBlock = 0;

  void PutU16(std::size_t offset, std::uint16_t value) {
    if (bytes.size() < offset + 2) bytes.resize(offset + 2);
    bytes[offset] = static_cast<unsigned char>(value);
    bytes[offset + 1] = static_cast<unsigned char>(value >> 8);
  }
  void PutU32(std::size_t offset, std::uint32_t value) {
    PutU16(offset, static_cast<std::uint16_t>(value));
    PutU16(offset + 2, static_cast<std::uint16_t>(value >> 16));
  }
  // An offset inside the resource directory, as its entries hold it.
  std::uint32_t ResourceOffset(std::size_t fileOffset) const {
    return static_cast<std::uint32_t>(fileOffset - resourceDirectory);
  }
};

inline constexpr std::uint32_t kSubdirectoryBit = 0x80000000;

// An image whose string table holds `texts` (ID to text) in language 0x0415.
inline TestPeImage BuildStringTableImage(const std::map<int, std::u16string>& texts,
                                         PeFormat format = PeFormat::kPe32Plus) {
  constexpr std::uint32_t kSectionRva = 0x1000;
  constexpr std::size_t kSectionFileOffset = 0x200;

  std::map<std::uint32_t, std::array<std::u16string, 16>> blocks;
  for (const auto& [id, text] : texts) blocks[id / 16 + 1][id % 16] = text;

  TestPeImage image;
  const bool plus = format == PeFormat::kPe32Plus;
  const std::uint16_t optionalHeaderSize = plus ? 240 : 224;
  image.PutU16(0, 0x5A4D);
  image.peHeader = 0x40;
  image.PutU32(0x3C, static_cast<std::uint32_t>(image.peHeader));
  image.PutU32(image.peHeader, 0x00004550);
  const std::size_t coff = image.peHeader + 4;
  image.PutU16(coff, plus ? 0x8664 : 0x014C);
  image.PutU16(coff + 2, 1);
  image.PutU16(coff + 16, optionalHeaderSize);
  image.PutU16(coff + 18, 0x2002);  // a DLL, executable image
  image.optionalHeader = coff + 20;
  image.PutU16(image.optionalHeader, plus ? 0x20B : 0x10B);
  image.PutU32(image.optionalHeader + (plus ? 108 : 92), 16);
  image.resourceDataDirectoryEntry = image.optionalHeader + (plus ? 112 : 96) + 2 * 8;
  image.sectionHeader = image.optionalHeader + optionalHeaderSize;

  // The resource section: type, block and language directories, data entries, then blocks.
  image.resourceDirectory = kSectionFileOffset;
  image.blockDirectory = image.resourceDirectory + 16 + 8;
  image.firstLanguageDirectory = image.blockDirectory + 16 + 8 * blocks.size();
  image.firstDataEntry = image.firstLanguageDirectory + 24 * blocks.size();
  image.firstBlock = image.firstDataEntry + 16 * blocks.size();
  image.PutU16(image.resourceDirectory + 14, 1);
  image.PutU32(image.resourceDirectory + 16, 6);
  image.PutU32(image.resourceDirectory + 20,
               kSubdirectoryBit | image.ResourceOffset(image.blockDirectory));
  image.PutU16(image.blockDirectory + 14, static_cast<std::uint16_t>(blocks.size()));

  std::size_t blockStart = image.firstBlock;
  std::size_t index = 0;
  for (const auto& [blockNumber, blockTexts] : blocks) {
    const std::size_t languageDirectory = image.firstLanguageDirectory + 24 * index;
    const std::size_t dataEntry = image.firstDataEntry + 16 * index;
    image.PutU32(image.blockDirectory + 16 + 8 * index, blockNumber);
    image.PutU32(image.blockDirectory + 20 + 8 * index,
                 kSubdirectoryBit | image.ResourceOffset(languageDirectory));
    image.PutU16(languageDirectory + 14, 1);
    image.PutU32(languageDirectory + 16, 0x0415);
    image.PutU32(languageDirectory + 20, image.ResourceOffset(dataEntry));

    std::size_t position = blockStart;
    for (const std::u16string& text : blockTexts) {
      image.PutU16(position, static_cast<std::uint16_t>(text.size()));
      position += 2;
      for (char16_t unit : text) {
        image.PutU16(position, unit);
        position += 2;
      }
    }
    image.PutU32(dataEntry, kSectionRva + image.ResourceOffset(blockStart));
    image.PutU32(dataEntry + 4, static_cast<std::uint32_t>(position - blockStart));
    blockStart = position;
    ++index;
  }
  image.bytes.resize(blockStart);

  const auto sectionSize = static_cast<std::uint32_t>(blockStart - image.resourceDirectory);
  image.PutU32(image.resourceDataDirectoryEntry, kSectionRva);
  image.PutU32(image.resourceDataDirectoryEntry + 4, sectionSize);
  image.PutU32(image.sectionHeader, 0x7273722E);  // ".rsr"
  image.PutU16(image.sectionHeader + 4, 0x0063);  // "c"
  image.PutU32(image.sectionHeader + 8, sectionSize);
  image.PutU32(image.sectionHeader + 12, kSectionRva);
  image.PutU32(image.sectionHeader + 16, sectionSize);
  image.PutU32(image.sectionHeader + 20, static_cast<std::uint32_t>(kSectionFileOffset));
  return image;
}

}  // namespace telvoran::test
