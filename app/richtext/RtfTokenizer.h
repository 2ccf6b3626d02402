#pragma once

#include <QByteArrayView>

namespace telvoran {

enum class RtfTokenKind {
  kEnd,            // no more input
  kGroupStart,     // {
  kGroupEnd,       // }
  kControlWord,    // \name or \nameN; name and, when given, parameter
  kControlSymbol,  // \ followed by one character that is not a letter; symbol
  kHexByte,        // \'hh; byte
  kText,           // a run of plain bytes, without line ends; bytes
  kBinary,         // the data of \binN; bytes
};

struct RtfToken {
  RtfTokenKind kind = RtfTokenKind::kEnd;
  QByteArrayView name = {};
  bool hasParameter = false;
  int parameter = 0;
  char symbol = 0;
  unsigned char byte = 0;
  QByteArrayView bytes = {};
};

// Splits RTF bytes into tokens. Every token refers into the input, which must outlive the
// tokenizer. Any input is accepted: a truncated control word or \'h ends the input quietly,
// parameters beyond 32 bits saturate, and \binN takes no more bytes than are left.
class RtfTokenizer {
 public:
  explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

  RtfToken Next();

 private:
  RtfToken ReadControl();
  RtfToken ReadControlWord();
  RtfToken ReadHexByte();
  RtfToken ReadText();
  RtfToken ReadBinary(int length);
  bool AtEnd() const { return position_ >= input_.size(); }
  char Peek() const { return input_[position_]; }

  QByteArrayView input_;
  qsizetype position_ = 0;
};

}  // namespace telvoran
