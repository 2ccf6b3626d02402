#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace telvoran {

// Conversions between Windows-1250, the single-byte code page of all user-interface texts,
// and Unicode. The five bytes that Windows-1250 leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) read as U+FFFD; a character that Windows-1250 cannot hold is written as '?'.

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

char16_t Cp1250ToUnicode(unsigned char byte);

std::u16string Cp1250ToUtf16(std::string_view text);
// A surrogate pair, like any other character outside the code page, becomes one '?'.
std::string Utf16ToCp1250(std::u16string_view text);

std::string Cp1250ToUtf8(std::string_view text);
// Each malformed UTF-8 sequence becomes one '?'.
std::string Utf8ToCp1250(std::string_view text);

bool IsValidUtf8(std::string_view text);
// The text in Windows-1250 when it is valid UTF-8 and every character has a byte there.
std::optional<std::string> Utf8ToCp1250Exactly(std::string_view text);

}  // namespace telvoran
