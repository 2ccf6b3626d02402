#pragma once

#include <ostream>
#include <string_view>

#include "core/archive/FailureReporter.h"

namespace telvoran {

// Prints the failures of the core on a terminal: a library message converted to UTF-8 with its
// carriage return as a line break, or the platform's text of an unforeseen error, each after
// the program's name. There is no message sound.
class ConsoleReporter : public FailureReporter {
 public:
  explicit ConsoleReporter(std::ostream& err) : err_(err) {}

  void Beep() override {}
  void ShowMessage(std::string_view text) override;
  void ShowError(std::string_view platformText) override;
  // The program's own words for a refusal: printed like a library message.
  void ShowErrorMessage(std::string_view text) override;

  // Whether an unforeseen error was shown, as opposed to library messages only.
  bool ShowedError() const { return showedError_; }

 private:
  std::ostream& err_;
  bool showedError_ = false;
};

}  // namespace telvoran
