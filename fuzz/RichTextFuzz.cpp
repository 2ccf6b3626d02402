// Any bytes as the help file Telvoran.hlp: rich text or plain text, it loads without a crash
// or a hang and never shows more characters than it has bytes.
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

#include "app/richtext/RtfHelpText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Fonts and text layout need an application; no window is ever shown.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QTextDocument document;
  telvoran::LoadHelpText(QByteArrayView(data, static_cast<qsizetype>(size)), document);
  // One character per byte at most, and the end mark of the last paragraph.
  TELVORAN_FUZZ_CHECK(static_cast<std::size_t>(document.characterCount()) <= size + 1);
  return 0;
}
