#pragma once

#include <string_view>

namespace telvoran {

class StringLookup;

// Where the core reports the failures of a command to the user. The desktop program beeps
// and shows message boxes, the command-line tool prints, tests record.
class FailureReporter {
 public:
  virtual ~FailureReporter() = default;
  // The platform's default message sound.
  virtual void Beep() = 0;
  // A foreseen failure: a library text, or two joined by a carriage return (Windows-1250).
  virtual void ShowMessage(std::string_view text) = 0;
  // An unforeseen failure, in the platform's own words for the error.
  virtual void ShowError(std::string_view platformText) = 0;
  // A failure shown like an unforeseen one, in the error box, but worded by the program: a
  // library text (Windows-1250).
  virtual void ShowErrorMessage(std::string_view text) = 0;
};

// Beep, then show the library text `id`.
void ReportMessage(FailureReporter& reporter, const StringLookup& strings, int id);
// Beep, then show the library texts `first` and `second` joined by a carriage return.
void ReportMessage(FailureReporter& reporter, const StringLookup& strings, int first, int second);
// Show the library text `id` in the error box, without a beep.
void ReportError(FailureReporter& reporter, const StringLookup& strings, int id);
// Beep, then show the wrong-kind message.
void ReportWrongKind(FailureReporter& reporter, const StringLookup& strings);

}  // namespace telvoran
