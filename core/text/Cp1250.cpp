#include "core/text/Cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace telvoran {
namespace {

constexpr char16_t kNone = kReplacementCharacter;

// Bytes 0x80 to 0xFF; bytes below 0x80 are ASCII and stand for themselves.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x20AC, kNone,  0x201A, kNone,  0x201E, 0x2026, 0x2020, 0x2021,  // 80
    kNone,  0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kNone,  0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

constexpr std::array<char16_t, 256> MakeToUnicodeTable() {
  std::array<char16_t, 256> table{};
  for (int byte = 0; byte < 128; ++byte) table[byte] = static_cast<char16_t>(byte);
  std::copy(kUpperHalf.begin(), kUpperHalf.end(), table.begin() + 128);
  return table;
}

constexpr std::array<char16_t, 256> kToUnicode = MakeToUnicodeTable();

struct UpperHalfEntry {
  char16_t unicode;
  unsigned char byte;
};

// The defined upper-half characters sorted by their Unicode value, for the way back.
constexpr std::size_t kDefinedUpperCount =
    128 - std::count(kUpperHalf.begin(), kUpperHalf.end(), kNone);

constexpr std::array<UpperHalfEntry, kDefinedUpperCount> MakeFromUnicodeTable() {
  std::array<UpperHalfEntry, kDefinedUpperCount> table{};
  std::size_t next = 0;
  for (int i = 0; i < 128; ++i) {
    if (kUpperHalf[i] != kNone)
      table[next++] = {kUpperHalf[i], static_cast<unsigned char>(128 + i)};
  }
  std::sort(table.begin(), table.end(),
            [](const UpperHalfEntry& a, const UpperHalfEntry& b) { return a.unicode < b.unicode; });
  return table;
}

constexpr std::array<UpperHalfEntry, kDefinedUpperCount> kFromUnicode = MakeFromUnicodeTable();

constexpr char kUnmappable = '?';

char UnicodeToCp1250(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<char>(codePoint);
  auto it = std::lower_bound(
      kFromUnicode.begin(), kFromUnicode.end(), codePoint,
      [](const UpperHalfEntry& entry, char32_t wanted) { return entry.unicode < wanted; });
  if (it == kFromUnicode.end() || it->unicode != codePoint) return kUnmappable;
  return static_cast<char>(it->byte);
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char16_t unit) {
  if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | (unit >> 6));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (unit >> 12));
    out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
}

// One decoded UTF-8 sequence: its code point, or none when malformed, and its length in bytes.
// A malformed sequence is as long as its valid beginning (at least one byte), so the next
// sequence starts at the first byte that cannot continue it.
struct Utf8Sequence {
  std::optional<char32_t> codePoint;
  std::size_t length;
};

struct LeadByte {
  std::size_t continuationCount;
  char32_t bits;           // the code point bits that the lead byte carries
  char32_t lowestAllowed;  // anything lower has a shorter form
};

std::optional<LeadByte> ReadLeadByte(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return LeadByte{1, lead & 0x1Fu, 0x80};
  if (lead >= 0xE0 && lead <= 0xEF) return LeadByte{2, lead & 0x0Fu, 0x800};
  if (lead >= 0xF0 && lead <= 0xF4) return LeadByte{3, lead & 0x07u, 0x10000};
  return std::nullopt;
}

// Overlong forms, encoded surrogates and values past U+10FFFF already show in the first two
// bytes: `bits` holds the code point bits of both.
bool CanStartValidSequence(const LeadByte& lead, char32_t bits) {
  const unsigned bitsStillToCome = 6 * (lead.continuationCount - 1);
  const char32_t smallest = bits << bitsStillToCome;
  const char32_t largest = smallest | ((char32_t{1} << bitsStillToCome) - 1);
  const bool overlong = largest < lead.lowestAllowed;
  const bool surrogate = smallest >= 0xD800 && largest <= 0xDFFF;
  const bool tooLarge = smallest > 0x10FFFF;
  return !overlong && !surrogate && !tooLarge;
}

Utf8Sequence DecodeUtf8(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return {lead, 1};

  const std::optional<LeadByte> leadByte = ReadLeadByte(lead);
  if (!leadByte) return {std::nullopt, 1};
  char32_t codePoint = leadByte->bits;

  std::size_t length = 1;
  for (; length <= leadByte->continuationCount; ++length) {
    if (pos + length >= text.size()) return {std::nullopt, length};
    const auto next = static_cast<unsigned char>(text[pos + length]);
    if ((next & 0xC0) != 0x80) return {std::nullopt, length};
    codePoint = (codePoint << 6) | (next & 0x3F);
    if (length == 1 && !CanStartValidSequence(*leadByte, codePoint)) return {std::nullopt, 1};
  }
  return {codePoint, length};
}

}  // namespace

char16_t Cp1250ToUnicode(unsigned char byte) {
  return kToUnicode[byte];
}

std::u16string Cp1250ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += Cp1250ToUnicode(static_cast<unsigned char>(c));
  return out;
}

std::string Utf16ToCp1250(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += kUnmappable;
      ++i;
    } else {
      out += UnicodeToCp1250(text[i]);
    }
  }
  return out;
}

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, Cp1250ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1250(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8(text, pos);
    out += sequence.codePoint ? UnicodeToCp1250(*sequence.codePoint) : kUnmappable;
    pos += sequence.length;
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8(text, pos);
    if (!sequence.codePoint) return false;
    pos += sequence.length;
  }
  return true;
}

std::optional<std::string> Utf8ToCp1250Exactly(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Sequence sequence = DecodeUtf8(text, pos);
    if (!sequence.codePoint) return std::nullopt;
    const char byte = UnicodeToCp1250(*sequence.codePoint);
    if (byte == kUnmappable && *sequence.codePoint != U'?') return std::nullopt;
    out += byte;
    pos += sequence.length;
  }
  return out;
}

}  // namespace telvoran
