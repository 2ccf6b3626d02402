#include "app/richtext/RtfReader.h"

#include <QTextDocument>

#include "app/richtext/RtfInterpreter.h"

namespace telvoran {
namespace {

constexpr QByteArrayView kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A byte order mark and white space before the first group are no part of the text.
QByteArrayView WithoutLeadingNoise(QByteArrayView bytes) {
  if (bytes.startsWith(kUtf8ByteOrderMark)) bytes = bytes.sliced(kUtf8ByteOrderMark.size());
  while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                              bytes.front() == '\r' || bytes.front() == '\n')) {
    bytes = bytes.sliced(1);
  }
  return bytes;
}

}  // namespace

bool LooksLikeRtf(QByteArrayView bytes) {
  return WithoutLeadingNoise(bytes).startsWith("{\\rtf");
}

void ReadRtf(QByteArrayView bytes, QTextDocument& document) {
  // Nothing of the loading is worth undoing, and keeping it would double the memory used.
  const bool undoWasEnabled = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  RtfInterpreter(document).Read(WithoutLeadingNoise(bytes));
  document.setUndoRedoEnabled(undoWasEnabled);
}

}  // namespace telvoran
