#include "tools/report/ConsoleReporter.h"

#include <algorithm>
#include <string>

#include "core/text/Cp1250.h"
#include "tools/report/ReportCommand.h"

namespace telvoran {

void ConsoleReporter::ShowMessage(std::string_view text) {
  std::string lines = Cp1250ToUtf8(text);
  std::replace(lines.begin(), lines.end(), '\r', '\n');
  err_ << kReportProgram << lines << '\n';
}

void ConsoleReporter::ShowError(std::string_view platformText) {
  showedError_ = true;
  err_ << kReportProgram << platformText << '\n';
}

void ConsoleReporter::ShowErrorMessage(std::string_view text) {
  ShowMessage(text);
}

}  // namespace telvoran
