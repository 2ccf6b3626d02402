#pragma once

#include <cstdint>
#include <string_view>

namespace telvoran {

// Looks a text of the string library up by its number. Texts are single-byte Windows-1250
// strings of at most 60 characters; a number the library lacks yields an empty text.
// The returned view stays valid until the next lookup through the same object.
class StringLookup {
 public:
  virtual ~StringLookup() = default;
  virtual std::string_view Text(int id) const = 0;
  // The Windows language id of the texts (0x0415 Polish, 0x0409 English, ...); 0, the neutral
  // language, when the library names none.
  virtual std::uint16_t LanguageId() const { return 0; }
};

}  // namespace telvoran
