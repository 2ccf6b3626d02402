#include "app/richtext/RtfHelpText.h"

#include <QString>
#include <QTextDocument>

#include "app/richtext/RtfCodePages.h"
#include "app/richtext/RtfReader.h"

namespace telvoran {
namespace {

// One '\n' per line end of any platform; other control characters carry no text.
QString PlainTextLines(QByteArrayView bytes) {
  QString text = DecodeText(CodePage::kWindows1250, bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n'; });
  return text;
}

}  // namespace

void LoadHelpText(QByteArrayView bytes, QTextDocument& document) {
  if (LooksLikeRtf(bytes)) {
    ReadRtf(bytes, document);
  } else {
    document.setPlainText(PlainTextLines(bytes));
  }
}

}  // namespace telvoran
