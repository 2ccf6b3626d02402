#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace telvoran {

// The single-byte Windows code pages the text readers decode. Anything else is read as Western.
enum class CodePage { kWindows1250, kWindows1252 };

// The code page of an RTF `\ansicpgN` declaration; unknown numbers fall back to Windows-1252.
CodePage CodePageFromNumber(int number);

// The code page of an RTF font's `\fcharsetN`, when it names one of ours: 238 (Central European)
// gives Windows-1250, 0 (Western) gives Windows-1252. Any other character set gives nothing, and
// the document's code page applies.
std::optional<CodePage> CodePageFromCharset(int charset);

// The character of one byte. Bytes below 0x80 are ASCII; bytes the code page leaves undefined
// become U+FFFD, so lost characters stay visible.
char16_t DecodeByte(CodePage codePage, unsigned char byte);

// A whole single-byte text, byte by byte.
QString DecodeText(CodePage codePage, QByteArrayView bytes);

}  // namespace telvoran
