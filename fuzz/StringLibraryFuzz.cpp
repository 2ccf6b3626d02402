// Any bytes as the string library Telvoran.dll: it is refused as a whole or gives texts that
// a lookup may hand out, for every ID.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/text/PeStringTable.h"
#include "core/text/StringLibrary.h"
#include "fuzz/FuzzCheck.h"

namespace telvoran {
namespace {

void CheckText(const StringLookup& library, int id, const StringTable& table) {
  const std::string_view text = library.Text(id);
  TELVORAN_FUZZ_CHECK(text.size() <= kMaxTextLength);
  TELVORAN_FUZZ_CHECK(text.find('\0') == std::string_view::npos);
  const auto held = table.find(id);
  if (held == table.end()) {
    TELVORAN_FUZZ_CHECK(text.empty());
  } else {
    TELVORAN_FUZZ_CHECK(text == ToLibraryText(held->second));
  }
}

}  // namespace
}  // namespace telvoran

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace telvoran;
  const ByteSpan bytes(data, size);
  const std::optional<StringTable> table = ParsePeStringTable(bytes);
  const std::unique_ptr<StringLookup> library = ParseStringLibrary(bytes);
  TELVORAN_FUZZ_CHECK(table.has_value() == (library != nullptr));
  if (!library) return 0;

  for (const auto& [id, text] : *table) {
    TELVORAN_FUZZ_CHECK(id >= 0 && id <= 0xFFFF);
    TELVORAN_FUZZ_CHECK(!text.empty());
    for (int near = id - 1; near <= id + 1; ++near) CheckText(*library, near, *table);
  }
  // The IDs the program uses, and the ends of the range.
  for (int id = 0; id <= 300; ++id) CheckText(*library, id, *table);
  for (int id : {-1, 0xFFFF, 0x10000}) CheckText(*library, id, *table);
  return 0;
}
