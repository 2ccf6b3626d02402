#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/text/ByteSpan.h"

namespace telvoran {

// A Portable Executable file read as data, never loaded as code: its headers, its sections and
// where its resource directory lies. Parse checks every header and section against the file, so
// a parsed image only ever hands out bytes of the file.
class PeImage {
 public:
  // None when the bytes are not a well-formed PE32 or PE32+ file.
  static std::optional<PeImage> Parse(ByteSpan file);

  // The COFF header says the file is a dynamic-link library.
  bool IsDll() const;

  // The `size` bytes at relative virtual address `rva`, when they lie wholly within the file
  // data of one section.
  std::optional<ByteSpan> BytesAt(std::uint32_t rva, std::uint32_t size) const;

  // The bytes from the start of the resource directory to the end of its section's file data;
  // empty when the image has no resources. Offsets inside the directory count from its start.
  ByteSpan ResourceSection() const { return resourceSection_; }

 private:
  struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t size;  // of the part backed by file data
    std::uint32_t fileOffset;
  };

  PeImage(ByteSpan file, std::uint16_t characteristics, std::vector<Section> sections)
      : file_(file), characteristics_(characteristics), sections_(std::move(sections)) {}

  std::optional<ByteSpan> BytesToSectionEnd(std::uint32_t rva) const;
  const Section* SectionHolding(std::uint32_t rva) const;

  ByteSpan file_;
  std::uint16_t characteristics_;
  std::vector<Section> sections_;
  ByteSpan resourceSection_;
};

}  // namespace telvoran
