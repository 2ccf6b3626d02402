#pragma once

namespace telvoran {

enum class RtfAlignment { kLeft, kCenter, kRight, kJustify };

// Paragraph properties as RTF states them; indents in twips (1/1440 inch).
struct RtfParagraphState {
  RtfAlignment alignment = RtfAlignment::kLeft;
  int leftIndentTwips = 0;
  int rightIndentTwips = 0;
  int firstLineIndentTwips = 0;

  bool operator==(const RtfParagraphState&) const = default;
};

// Character properties as RTF states them. Fonts and colours are indices into the document's
// tables; an index the table lacks leaves the document's default.
struct RtfCharacterState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  int fontSizeHalfPoints = 0;  // 0: the document's default size
  int fontIndex = -1;
  int colorIndex = -1;
  int highlightIndex = -1;

  bool operator==(const RtfCharacterState&) const = default;
};

}  // namespace telvoran
