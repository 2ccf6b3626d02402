#pragma once

#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include "text/RtfState.h"
#include "text/RtfTables.h"

class QTextDocument;

namespace telvoran {

// Writes RTF text into a QTextDocument. Text arrives in small pieces; pieces of one character
// state are gathered into a run and the run is inserted once, when the state changes or the
// paragraph ends, so building stays linear in the size of the text. Fonts and colours are looked
// up in the tables when a run is inserted.
class RtfDocumentBuilder {
 public:
  RtfDocumentBuilder(QTextDocument& document, const RtfFontTable& fonts,
                     const RtfColorTable& colors);

  void AppendText(QStringView text, const RtfCharacterState& state);
  // Ends the current paragraph with the given properties and starts a new one.
  void EndParagraph(const RtfParagraphState& paragraph);
  // Writes what is gathered; the last paragraph takes the given properties.
  void Finish(const RtfParagraphState& paragraph);

 private:
  void InsertRun();
  QTextCharFormat CharFormat(const RtfCharacterState& state) const;
  static QTextBlockFormat BlockFormat(const RtfParagraphState& paragraph);

  QTextCursor cursor_;
  const RtfFontTable& fonts_;
  const RtfColorTable& colors_;
  QString run_;
  RtfCharacterState runState_;
};

}  // namespace telvoran
