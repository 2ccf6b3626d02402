#include "app/richtext/RtfInterpreter.h"

#include <algorithm>

namespace telvoran {
namespace {

// Groups nested deeper than this are read with the state of the deepest kept group.
constexpr std::size_t kMaxGroupDepth = 1000;
// Font sizes in half-points: 1 to 1638 points, the range common word processors offer.
constexpr int kMinFontHalfPoints = 2;
constexpr int kMaxFontHalfPoints = 3276;
// Indents up to 22 inches, the widest page common word processors offer.
constexpr int kMaxIndentTwips = 31680;
constexpr int kMaxUnicodeSkip = 1000;

bool IsOn(const RtfToken& token) {
  return !token.hasParameter || token.parameter != 0;
}

// \fs without a number returns to the default size; zero and negative sizes are ignored.
void SetFontSize(const RtfToken& token, RtfCharacterState& character) {
  if (!token.hasParameter) {
    character.fontSizeHalfPoints = 0;
  } else if (token.parameter > 0) {
    character.fontSizeHalfPoints =
        std::clamp(token.parameter, kMinFontHalfPoints, kMaxFontHalfPoints);
  }
}

// Control characters carry no text; a tab is kept.
void RemoveControlCharacters(QString& text) {
  text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

}  // namespace

RtfInterpreter::RtfInterpreter(QTextDocument& document) : builder_(document, fonts_, colors_) {
  groups_.emplace_back();
}

void RtfInterpreter::Read(QByteArrayView bytes) {
  RtfTokenizer tokenizer(bytes);
  for (RtfToken token = tokenizer.Next(); token.kind != RtfTokenKind::kEnd;
       token = tokenizer.Next()) {
    OnToken(token);
  }
  builder_.Finish();
}

void RtfInterpreter::OnToken(const RtfToken& token) {
  switch (token.kind) {
    case RtfTokenKind::kGroupStart:
      OpenGroup();
      return;
    case RtfTokenKind::kGroupEnd:
      CloseGroup();
      return;
    case RtfTokenKind::kText:
      OnText(token.bytes);
      return;
    default:
      break;
  }
  // After \uN, a control word, a control symbol, \'hh or binary data is one stand-in character.
  if (charactersToSkip_ > 0) {
    --charactersToSkip_;
    return;
  }
  if (State().destination == Destination::kSkipped) return;
  switch (token.kind) {
    case RtfTokenKind::kControlWord:
      OnControlWord(token);
      return;
    case RtfTokenKind::kControlSymbol:
      OnControlSymbol(token.symbol);
      return;
    case RtfTokenKind::kHexByte:
      EmitCharacter(DecodeByte(CurrentCodePage(), token.byte));
      return;
    default:
      return;
  }
}

void RtfInterpreter::OpenGroup() {
  charactersToSkip_ = 0;
  if (groups_.size() > kMaxGroupDepth) {
    ++groupsBeyondLimit_;
    return;
  }
  groups_.push_back(groups_.back());
}

void RtfInterpreter::CloseGroup() {
  charactersToSkip_ = 0;
  if (groupsBeyondLimit_ > 0) {
    --groupsBeyondLimit_;
    return;
  }
  // A closing brace without its opening one is dropped, and reading goes on.
  if (groups_.size() == 1) return;
  const Destination closed = State().destination;
  groups_.pop_back();
  if (closed != State().destination) EndDestination(closed);
}

void RtfInterpreter::EndDestination(Destination destination) {
  if (destination == Destination::kFontTable) fonts_.EndTable();
  if (destination == Destination::kColorTable) colors_.EndTable();
}

void RtfInterpreter::OnText(QByteArrayView bytes) {
  const qsizetype skipped = std::min(charactersToSkip_, bytes.size());
  charactersToSkip_ -= skipped;
  bytes = bytes.sliced(skipped);
  if (bytes.isEmpty() || State().destination == Destination::kSkipped) return;
  Emit(DecodeText(CurrentCodePage(), bytes));
}

void RtfInterpreter::OnControlSymbol(char symbol) {
  switch (symbol) {
    case '\\':
    case '{':
    case '}':
      EmitCharacter(static_cast<char16_t>(symbol));
      return;
    case '~':
      EmitCharacter(u'\u00A0');  // non-breaking space
      return;
    case '-':
      EmitCharacter(u'\u00AD');  // optional hyphen
      return;
    case '_':
      EmitCharacter(u'\u2011');  // non-breaking hyphen
      return;
    case '*':
      // An ignorable destination; none of them holds text to show.
      State().destination = Destination::kSkipped;
      return;
    default:
      return;
  }
}

void RtfInterpreter::OnControlWord(const RtfToken& token) {
  const RtfControlWord word = LookUpControlWord(token.name);
  GroupState& state = State();
  const int value = token.parameter;
  switch (word.keyword) {
    case RtfKeyword::kSkippedDestination:
      state.destination = Destination::kSkipped;
      return;
    case RtfKeyword::kFontTable:
      state.destination = Destination::kFontTable;
      return;
    case RtfKeyword::kColorTable:
      state.destination = Destination::kColorTable;
      return;
    case RtfKeyword::kAnsiCodePage:
      documentCodePage_ = CodePageFromNumber(value);
      return;
    case RtfKeyword::kDefaultFont:
      if (token.hasParameter) defaultFontIndex_ = value;
      return;
    case RtfKeyword::kFontCharset:
    case RtfKeyword::kRed:
    case RtfKeyword::kGreen:
    case RtfKeyword::kBlue:
      OnTableWord(word.keyword, value);
      return;
    case RtfKeyword::kFont:
      if (!token.hasParameter) return;
      if (state.destination == Destination::kFontTable) {
        fonts_.BeginFont(value);
      } else {
        state.character.fontIndex = value;
      }
      return;

    case RtfKeyword::kParagraph:
      if (state.destination == Destination::kBody) builder_.EndParagraph(state.paragraph);
      return;
    case RtfKeyword::kParagraphDefaults:
      state.paragraph = {};
      return;
    case RtfKeyword::kAlignLeft:
      state.paragraph.alignment = RtfAlignment::kLeft;
      return;
    case RtfKeyword::kAlignCenter:
      state.paragraph.alignment = RtfAlignment::kCenter;
      return;
    case RtfKeyword::kAlignRight:
      state.paragraph.alignment = RtfAlignment::kRight;
      return;
    case RtfKeyword::kAlignJustify:
      state.paragraph.alignment = RtfAlignment::kJustify;
      return;
    case RtfKeyword::kLeftIndent:
      state.paragraph.leftIndentTwips = std::clamp(value, 0, kMaxIndentTwips);
      return;
    case RtfKeyword::kRightIndent:
      state.paragraph.rightIndentTwips = std::clamp(value, 0, kMaxIndentTwips);
      return;
    case RtfKeyword::kFirstLineIndent:
      state.paragraph.firstLineIndentTwips = std::clamp(value, -kMaxIndentTwips, kMaxIndentTwips);
      return;

    case RtfKeyword::kCharacterDefaults:
      state.character = {};
      return;
    case RtfKeyword::kBold:
      state.character.bold = IsOn(token);
      return;
    case RtfKeyword::kItalic:
      state.character.italic = IsOn(token);
      return;
    case RtfKeyword::kUnderline:
      state.character.underline = IsOn(token);
      return;
    case RtfKeyword::kUnderlineNone:
      state.character.underline = false;
      return;
    case RtfKeyword::kStrike:
      state.character.strike = IsOn(token);
      return;
    case RtfKeyword::kHidden:
      state.character.hidden = IsOn(token);
      return;
    case RtfKeyword::kFontSize:
      SetFontSize(token, state.character);
      return;
    case RtfKeyword::kColor:
      state.character.colorIndex = value;
      return;
    case RtfKeyword::kHighlight:
      state.character.highlightIndex = value;
      return;

    case RtfKeyword::kUnicodeSkip:
      state.unicodeSkip = std::clamp(value, 0, kMaxUnicodeSkip);
      return;
    case RtfKeyword::kUnicode:
      if (token.hasParameter) EmitUnicode(value);
      return;
    case RtfKeyword::kCharacter:
      EmitCharacter(word.character);
      return;
    case RtfKeyword::kUnknown:
      return;
  }
}

// Words that only mean something inside the font or colour table.
void RtfInterpreter::OnTableWord(RtfKeyword keyword, int value) {
  const Destination destination = State().destination;
  if (destination == Destination::kFontTable && keyword == RtfKeyword::kFontCharset) {
    fonts_.SetCharset(value);
  }
  if (destination != Destination::kColorTable) return;
  if (keyword == RtfKeyword::kRed) colors_.SetRed(value);
  if (keyword == RtfKeyword::kGreen) colors_.SetGreen(value);
  if (keyword == RtfKeyword::kBlue) colors_.SetBlue(value);
}

// \uN is a UTF-16 code unit written as a signed 16-bit number; the \ucN characters after it
// stand in for readers without Unicode and are skipped.
void RtfInterpreter::EmitUnicode(int value) {
  const bool isCodeUnit = value >= -32768 && value <= 65535;
  EmitCharacter(isCodeUnit ? static_cast<char16_t>(value < 0 ? value + 65536 : value) : u'\uFFFD');
  charactersToSkip_ = State().unicodeSkip;
}

void RtfInterpreter::EmitCharacter(char16_t c) {
  Emit(QString(QChar(c)));
}

void RtfInterpreter::Emit(QString text) {
  switch (State().destination) {
    case Destination::kBody:
      if (State().character.hidden) return;
      RemoveControlCharacters(text);
      builder_.AppendText(text, State().character, State().paragraph);
      return;
    case Destination::kFontTable:
      fonts_.AppendText(text);
      return;
    case Destination::kColorTable:
      colors_.AppendText(text);
      return;
    case Destination::kSkipped:
      return;
  }
}

// Bytes above 0x7F are in the current font's character set, or else in the document's code page.
CodePage RtfInterpreter::CurrentCodePage() const {
  const int fontIndex = State().character.fontIndex;
  const RtfFont* font = fonts_.Find(fontIndex >= 0 ? fontIndex : defaultFontIndex_);
  return font && font->codePage ? *font->codePage : documentCodePage_;
}

}  // namespace telvoran
