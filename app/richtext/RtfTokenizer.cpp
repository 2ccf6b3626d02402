#include "app/richtext/RtfTokenizer.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace telvoran {
namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool EndsText(char c) {
  return c == '\\' || c == '{' || c == '}' || IsLineEnd(c);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::int64_t kParameterLimit = std::numeric_limits<int>::max();

}  // namespace

RtfToken RtfTokenizer::Next() {
  while (!AtEnd()) {
    const char c = Peek();
    if (IsLineEnd(c)) {
      ++position_;
      continue;
    }
    if (c == '{' || c == '}') {
      ++position_;
      return {.kind = c == '{' ? RtfTokenKind::kGroupStart : RtfTokenKind::kGroupEnd};
    }
    if (c == '\\') {
      RtfToken token = ReadControl();
      if (token.kind != RtfTokenKind::kEnd) return token;
      continue;
    }
    return ReadText();
  }
  return {};
}

// Reads what follows a backslash. Gives an end token for a control that carries nothing,
// such as a backslash at the very end or \' without a hex digit; the caller reads on.
RtfToken RtfTokenizer::ReadControl() {
  ++position_;
  if (AtEnd()) return {};
  const char c = Peek();
  if (IsLetter(c)) return ReadControlWord();
  ++position_;
  if (c == '\'') return ReadHexByte();
  // A backslash before a line end is a paragraph mark.
  if (IsLineEnd(c)) return {.kind = RtfTokenKind::kControlWord, .name = "par"};
  return {.kind = RtfTokenKind::kControlSymbol, .symbol = c};
}

RtfToken RtfTokenizer::ReadControlWord() {
  const qsizetype nameStart = position_;
  while (!AtEnd() && IsLetter(Peek())) ++position_;
  RtfToken token{.kind = RtfTokenKind::kControlWord,
                 .name = input_.sliced(nameStart, position_ - nameStart)};

  const bool negative =
      !AtEnd() && Peek() == '-' && position_ + 1 < input_.size() && IsDigit(input_[position_ + 1]);
  if (negative) ++position_;
  if (!AtEnd() && IsDigit(Peek())) {
    std::int64_t magnitude = 0;
    for (; !AtEnd() && IsDigit(Peek()); ++position_) {
      magnitude = std::min(magnitude * 10 + (Peek() - '0'), kParameterLimit);
    }
    token.hasParameter = true;
    token.parameter = static_cast<int>(negative ? -magnitude : magnitude);
  }
  // One space delimits the word and belongs to it.
  if (!AtEnd() && Peek() == ' ') ++position_;

  if (token.name == "bin" && token.hasParameter) return ReadBinary(token.parameter);
  return token;
}

RtfToken RtfTokenizer::ReadHexByte() {
  int value = 0;
  int digits = 0;
  while (digits < 2 && !AtEnd() && HexValue(Peek()) >= 0) {
    value = value * 16 + HexValue(Peek());
    ++position_;
    ++digits;
  }
  if (digits == 0) return {};
  return {.kind = RtfTokenKind::kHexByte, .byte = static_cast<unsigned char>(value)};
}

RtfToken RtfTokenizer::ReadText() {
  const qsizetype start = position_;
  while (!AtEnd() && !EndsText(Peek())) ++position_;
  return {.kind = RtfTokenKind::kText, .bytes = input_.sliced(start, position_ - start)};
}

RtfToken RtfTokenizer::ReadBinary(int length) {
  const qsizetype taken = std::clamp<qsizetype>(length, 0, input_.size() - position_);
  const qsizetype start = position_;
  position_ += taken;
  return {.kind = RtfTokenKind::kBinary, .bytes = input_.sliced(start, taken)};
}

}  // namespace telvoran
