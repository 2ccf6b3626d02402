#include "text/RtfDocumentBuilder.h"

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
  cursor_.setBlockFormat(BlockFormat(paragraph));
  cursor_.insertBlock();
  openParagraph_ = paragraph;
}

void RtfDocumentBuilder::Finish() {
  InsertRun();
  cursor_.setBlockFormat(BlockFormat(openParagraph_));
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

QTextBlockFormat RtfDocumentBuilder::BlockFormat(const RtfParagraphState& paragraph) {
  QTextBlockFormat format;
  format.setAlignment(ToQtAlignment(paragraph.alignment));
  format.setLeftMargin(TwipsToPixels(paragraph.leftIndentTwips));
  format.setRightMargin(TwipsToPixels(paragraph.rightIndentTwips));
  format.setTextIndent(TwipsToPixels(paragraph.firstLineIndentTwips));
  return format;
}

}  // namespace telvoran
