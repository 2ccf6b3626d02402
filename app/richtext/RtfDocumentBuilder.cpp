#include "app/richtext/RtfDocumentBuilder.h"

#include <QFont>
#include <QTextDocument>

namespace telvoran {
namespace {

// Block margins are in the document's pixels; its layout works at 96 pixels per inch.
qreal TwipsToPixels(int twips) {
  return twips / 15.0;
}

Qt::Alignment ToQtAlignment(RtfAlignment alignment) {
  switch (alignment) {
    case RtfAlignment::kCenter:
      return Qt::AlignHCenter;
    case RtfAlignment::kRight:
      return Qt::AlignRight;
    case RtfAlignment::kJustify:
      return Qt::AlignJustify;
    case RtfAlignment::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

}  // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document, const RtfFontTable& fonts,
                                       const RtfColorTable& colors)
    : cursor_(&document), fonts_(fonts), colors_(colors) {
  cursor_.movePosition(QTextCursor::End);
  // One edit block for the whole document: outside one, every insertion would lay out its
  // paragraph again to place the cursor, which is quadratic in the paragraph's length.
  cursor_.beginEditBlock();
}

void RtfDocumentBuilder::AppendText(QStringView text, const RtfCharacterState& character,
                                    const RtfParagraphState& paragraph) {
  if (text.isEmpty()) return;
  if (character != runState_) InsertRun();
  runState_ = character;
  run_ += text;
  openParagraph_ = paragraph;
}

void RtfDocumentBuilder::EndParagraph(const RtfParagraphState& paragraph) {
  InsertRun();
  FormatOpenBlock(paragraph);
  // The next paragraph most likely has the same properties; if not, it is formatted again.
  cursor_.insertBlock(blockFormat_, QTextCharFormat());
  openParagraph_ = paragraph;
}

void RtfDocumentBuilder::Finish() {
  InsertRun();
  FormatOpenBlock(openParagraph_);
  cursor_.endEditBlock();
}

// Formatting a block costs as much as inserting one, so it is done only when the format changes.
void RtfDocumentBuilder::FormatOpenBlock(const RtfParagraphState& paragraph) {
  if (paragraph == blockParagraph_) return;
  blockParagraph_ = paragraph;
  blockFormat_ = BlockFormat(paragraph);
  cursor_.setBlockFormat(blockFormat_);
}

void RtfDocumentBuilder::InsertRun() {
  if (run_.isEmpty()) return;
  cursor_.insertText(run_, CharFormat(runState_));
  run_.resize(0);
}

QTextCharFormat RtfDocumentBuilder::CharFormat(const RtfCharacterState& state) const {
  QTextCharFormat format;
  if (state.bold) format.setFontWeight(QFont::Bold);
  if (state.italic) format.setFontItalic(true);
  if (state.underline) format.setFontUnderline(true);
  if (state.strike) format.setFontStrikeOut(true);
  if (state.fontSizeHalfPoints > 0) format.setFontPointSize(state.fontSizeHalfPoints / 2.0);
  if (const RtfFont* font = fonts_.Find(state.fontIndex); font && !font->name.isEmpty()) {
    format.setFontFamilies({font->name});
  }
  if (const QColor color = colors_.At(state.colorIndex); color.isValid()) {
    format.setForeground(color);
  }
  if (const QColor color = colors_.At(state.highlightIndex); color.isValid()) {
    format.setBackground(color);
  }
  return format;
}

// Only what differs from the defaults is set, so default paragraphs share the empty format.
QTextBlockFormat RtfDocumentBuilder::BlockFormat(const RtfParagraphState& paragraph) {
  QTextBlockFormat format;
  if (paragraph.alignment != RtfAlignment::kLeft) {
    format.setAlignment(ToQtAlignment(paragraph.alignment));
  }
  if (paragraph.leftIndentTwips != 0) {
    format.setLeftMargin(TwipsToPixels(paragraph.leftIndentTwips));
  }
  if (paragraph.rightIndentTwips != 0) {
    format.setRightMargin(TwipsToPixels(paragraph.rightIndentTwips));
  }
  if (paragraph.firstLineIndentTwips != 0) {
    format.setTextIndent(TwipsToPixels(paragraph.firstLineIndentTwips));
  }
  return format;
}

}  // namespace telvoran
