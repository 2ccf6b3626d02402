#pragma once

#include <cstdint>
#include <string>

namespace telvoran {

inline constexpr std::uint16_t kPolishLanguageId = 0x0415;
inline constexpr std::uint16_t kEnglishLanguageId = 0x0409;

// The locale name ("pl", "pt_BR", ...) of a Windows language id: the ISO 639 language, with the
// ISO 3166 country where the language's translations differ by country. The neutral language
// (primary language 0) and the invariant one stand for Polish, the program's own language.
// Empty for a language not in the table.
std::string LocaleNameOfLanguage(std::uint16_t languageId);

}  // namespace telvoran
