#pragma once

#include <QString>
#include <QStringView>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include "app/richtext/RtfState.h"
#include "app/richtext/RtfTables.h"

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

  // Text of the open paragraph; the paragraph properties in effect with it are kept for the
  // case that the paragraph never gets its paragraph mark.
  void AppendText(QStringView text, const RtfCharacterState& character,
                  const RtfParagraphState& paragraph);
  // Ends the open paragraph with the properties in effect at its paragraph mark.
  void EndParagraph(const RtfParagraphState& paragraph);
  // Writes what is gathered. A last paragraph without a paragraph mark takes the properties in
  // effect with its last text, even when the groups that set them are closed by now.
  void Finish();

 private:
  void InsertRun();
  void FormatOpenBlock(const RtfParagraphState& paragraph);
  QTextCharFormat CharFormat(const RtfCharacterState& state) const;
  static QTextBlockFormat BlockFormat(const RtfParagraphState& paragraph);

  QTextCursor cursor_;
  const RtfFontTable& fonts_;
  const RtfColorTable& colors_;
  QString run_;
  RtfCharacterState runState_;
  RtfParagraphState openParagraph_;
  // The properties the cursor's block has now, and its block format.
  RtfParagraphState blockParagraph_;
  QTextBlockFormat blockFormat_;
};

}  // namespace telvoran
