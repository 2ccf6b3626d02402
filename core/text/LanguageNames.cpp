#include "core/text/LanguageNames.h"

#include <algorithm>
#include <iterator>

namespace telvoran {
namespace {

// Nothing outside Windows maps its language ids to locale names, so the languages are listed
// here: the primary language ids of Windows with their ISO 639 codes.
struct PrimaryLanguage {
  std::uint16_t id;
  const char* name;
};
constexpr PrimaryLanguage kPrimaryLanguages[] = {
    {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x05, "cs"}, {0x06, "da"}, {0x07, "de"},
    {0x08, "el"}, {0x09, "en"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"}, {0x0D, "he"},
    {0x0E, "hu"}, {0x0F, "is"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"}, {0x13, "nl"},
    {0x15, "pl"}, {0x18, "ro"}, {0x19, "ru"}, {0x1B, "sk"}, {0x1C, "sq"}, {0x1D, "sv"},
    {0x1E, "th"}, {0x1F, "tr"}, {0x21, "id"}, {0x22, "uk"}, {0x23, "be"}, {0x24, "sl"},
    {0x25, "et"}, {0x26, "lv"}, {0x27, "lt"}, {0x29, "fa"}, {0x2A, "vi"}, {0x56, "gl"},
    {0x91, "gd"},
};

constexpr std::uint16_t kNeutral = 0x00;
constexpr std::uint16_t kInvariant = 0x7F;
constexpr std::uint16_t kChinese = 0x04;
constexpr std::uint16_t kNorwegian = 0x14;
constexpr std::uint16_t kPortuguese = 0x16;
constexpr std::uint16_t kSerboCroatian = 0x1A;

// Languages whose sub-language picks a different translation.
std::string ByCountry(std::uint16_t primary, std::uint16_t sub) {
  switch (primary) {
    case kChinese:
      return sub == 0x01 || sub == 0x03 || sub == 0x05 ? "zh_TW" : "zh_CN";
    case kNorwegian:
      return sub == 0x02 ? "nn" : "nb";
    case kPortuguese:
      return sub == 0x02 ? "pt_PT" : "pt_BR";
    case kSerboCroatian:
      return sub == 0x02 || sub == 0x03 || sub == 0x06 || sub == 0x07 ? "sr" : "hr";
    default:
      return {};
  }
}

}  // namespace

std::string LocaleNameOfLanguage(std::uint16_t languageId) {
  const std::uint16_t primary = languageId & 0x3FF;
  const std::uint16_t sub = languageId >> 10;
  if (primary == kNeutral || primary == kInvariant) return "pl";
  if (std::string name = ByCountry(primary, sub); !name.empty()) return name;
  const auto* found =
      std::find_if(std::begin(kPrimaryLanguages), std::end(kPrimaryLanguages),
                   [primary](const PrimaryLanguage& language) { return language.id == primary; });
  return found == std::end(kPrimaryLanguages) ? std::string() : std::string(found->name);
}

}  // namespace telvoran
