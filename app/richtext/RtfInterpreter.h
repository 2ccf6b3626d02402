#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

#include "app/richtext/RtfCodePages.h"
#include "app/richtext/RtfDocumentBuilder.h"
#include "app/richtext/RtfKeywords.h"
#include "app/richtext/RtfState.h"
#include "app/richtext/RtfTables.h"
#include "app/richtext/RtfTokenizer.h"

class QTextDocument;

namespace telvoran {

// Reads RTF tokens group by group, keeps the state of every open group, fills the font and
// colour tables, and sends the text of the document body to a builder that writes the document.
class RtfInterpreter {
 public:
  explicit RtfInterpreter(QTextDocument& document);

  void Read(QByteArrayView bytes);

 private:
  enum class Destination { kBody, kFontTable, kColorTable, kSkipped };

  struct GroupState {
    RtfCharacterState character;
    RtfParagraphState paragraph;
    Destination destination = Destination::kBody;
    int unicodeSkip = 1;  // \ucN: how many stand-in characters follow each \uN
  };

  GroupState& State() { return groups_.back(); }
  const GroupState& State() const { return groups_.back(); }

  void OnToken(const RtfToken& token);
  void OpenGroup();
  void CloseGroup();
  void EndDestination(Destination destination);
  void OnText(QByteArrayView bytes);
  void OnControlSymbol(char symbol);
  void OnControlWord(const RtfToken& token);
  void OnTableWord(RtfKeyword keyword, int value);
  void EmitUnicode(int value);
  void EmitCharacter(char16_t c);
  void Emit(QString text);
  CodePage CurrentCodePage() const;

  std::vector<GroupState> groups_;
  qsizetype groupsBeyondLimit_ = 0;
  qsizetype charactersToSkip_ = 0;
  CodePage documentCodePage_ = CodePage::kWindows1252;
  // \deffN: the font of text without \fN. Only its character set is used; the family and size
  // of such text stay the document's defaults.
  int defaultFontIndex_ = -1;
  RtfFontTable fonts_;
  RtfColorTable colors_;
  RtfDocumentBuilder builder_;
};

}  // namespace telvoran
