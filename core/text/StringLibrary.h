#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/text/ByteSpan.h"
#include "core/text/PeStringTable.h"
#include "core/text/StringLookup.h"

namespace telvoran {

// The string library: a resource-only DLL in the program directory whose string table holds
// the texts of the user interface.
inline constexpr std::string_view kStringLibraryFileName = "Telvoran.dll";
// A larger file is not a string library; it is refused before it is read.
inline constexpr std::uintmax_t kMaxStringLibraryBytes = 16 * 1024 * 1024;
// A text arrives cut to this many characters, as a lookup into a 61-byte buffer would cut it.
inline constexpr std::size_t kMaxTextLength = 60;

// A library text as the program uses it: up to the first zero character, in Windows-1250,
// cut to kMaxTextLength characters.
std::string ToLibraryText(std::u16string_view text);

// The texts of a string table, converted once when built.
class PeStringLibrary : public StringLookup {
 public:
  explicit PeStringLibrary(const StringTable& table, std::uint16_t languageId = 0);
  // Empty for an ID the library lacks. The view stays valid as long as the library.
  std::string_view Text(int id) const override;
  std::uint16_t LanguageId() const override { return languageId_; }

 private:
  std::map<int, std::string> texts_;
  std::uint16_t languageId_;
};

// The string library held in `fileBytes`; null when they are not a well-formed PE file.
std::unique_ptr<StringLookup> ParseStringLibrary(ByteSpan fileBytes);

// The string library kStringLibraryFileName in `programDirectory` and nowhere else, read as
// data and never loaded as code, so a planted file cannot run anything in the program.
// `programDirectory` must be absolute: a relative one would depend on the working directory.
// Null when the directory is relative, or the file missing, not a regular file, unreadable,
// too large or malformed.
std::unique_ptr<StringLookup> LoadStringLibrary(const std::filesystem::path& programDirectory);

}  // namespace telvoran
