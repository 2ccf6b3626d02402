#include "core/archive/FailureReporter.h"

#include <string>

#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {

void ReportMessage(FailureReporter& reporter, const StringLookup& strings, int id) {
  reporter.Beep();
  reporter.ShowMessage(std::string(strings.Text(id)));
}

void ReportMessage(FailureReporter& reporter, const StringLookup& strings, int first, int second) {
  // Each text is taken at once, before the next lookup may reuse the lookup's buffer.
  std::string text(strings.Text(first));
  text += '\r';
  text += strings.Text(second);
  reporter.Beep();
  reporter.ShowMessage(text);
}

void ReportError(FailureReporter& reporter, const StringLookup& strings, int id) {
  reporter.ShowErrorMessage(strings.Text(id));
}

void ReportWrongKind(FailureReporter& reporter, const StringLookup& strings) {
  ReportMessage(reporter, strings, sid::kWrongKindLine1, sid::kWrongKindLine2);
}

}  // namespace telvoran
