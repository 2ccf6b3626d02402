#include "core/text/StringLibrary.h"

#include "core/text/Cp1250.h"

namespace telvoran {

std::string ToLibraryText(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::string converted = Utf16ToCp1250(text);
  if (converted.size() > kMaxTextLength) converted.resize(kMaxTextLength);
  return converted;
}

PeStringLibrary::PeStringLibrary(const StringTable& table, std::uint16_t languageId)
    : languageId_(languageId) {
  for (const auto& [id, text] : table) texts_.emplace(id, ToLibraryText(text));
}

std::string_view PeStringLibrary::Text(int id) const {
  const auto it = texts_.find(id);
  return it == texts_.end() ? std::string_view() : std::string_view(it->second);
}

std::unique_ptr<StringLookup> ParseStringLibrary(ByteSpan fileBytes) {
  const std::optional<StringResources> resources = ParsePeStringResources(fileBytes);
  if (!resources) return nullptr;
  return std::make_unique<PeStringLibrary>(resources->texts, resources->language);
}

}  // namespace telvoran
