#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace telvoran {

// Fills the document with the help text: formatted when the bytes are RTF, otherwise as plain
// Windows-1250 text with CR LF, CR or LF line ends. The document's default font stays.
void LoadHelpText(QByteArrayView bytes, QTextDocument& document);

}  // namespace telvoran
