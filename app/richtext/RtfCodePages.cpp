#include "app/richtext/RtfCodePages.h"

#include <array>

#include "core/text/Cp1250.h"

namespace telvoran {
namespace {

using HighHalf = std::array<char16_t, 128>;

// Bytes 0x80 to 0x9F of Windows-1252 (Western); 0xA0 to 0xFF equal Latin-1.
constexpr HighHalf MakeWindows1252() {
  constexpr std::array<char16_t, 32> kFirstRow = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  //
      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  //
  };
  HighHalf table{};
  for (int i = 0; i < 128; ++i) {
    table[i] = i < 32 ? kFirstRow[i] : static_cast<char16_t>(0x80 + i);
  }
  return table;
}
constexpr HighHalf kWindows1252 = MakeWindows1252();

}  // namespace

CodePage CodePageFromNumber(int number) {
  return number == 1250 ? CodePage::kWindows1250 : CodePage::kWindows1252;
}

std::optional<CodePage> CodePageFromCharset(int charset) {
  if (charset == 0) return CodePage::kWindows1252;
  if (charset == 238) return CodePage::kWindows1250;
  return std::nullopt;
}

char16_t DecodeByte(CodePage codePage, unsigned char byte) {
  if (codePage == CodePage::kWindows1250) return Cp1250ToUnicode(byte);
  return byte < 0x80 ? char16_t{byte} : kWindows1252[byte - 0x80];
}

QString DecodeText(CodePage codePage, QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (char byte : bytes) *out++ = QChar(DecodeByte(codePage, static_cast<unsigned char>(byte)));
  return text;
}

}  // namespace telvoran
