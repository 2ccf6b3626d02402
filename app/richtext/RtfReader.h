#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace telvoran {

// Whether the bytes are an RTF file: "{\rtf" at the start, after an optional UTF-8 byte order
// mark and white space.
bool LooksLikeRtf(QByteArrayView bytes);

// Replaces the document's content with the text and formatting of the RTF bytes. Any input is
// accepted: malformed or truncated RTF shows whatever text could be read, in time linear in its
// size. Text without an explicit font or size keeps the document's default font.
void ReadRtf(QByteArrayView bytes, QTextDocument& document);

}  // namespace telvoran
