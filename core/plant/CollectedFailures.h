#pragma once

#include <string>
#include <string_view>

#include "core/archive/FailureReporter.h"

namespace telvoran {

// A failure reporter for work over many files off the window's thread: it shows nothing and
// keeps the last failure's text (Windows-1250), so that the work can name the file it came
// from in one message at its end.
class CollectedFailures : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view text) override { Keep(text); }
  void ShowError(std::string_view platformText) override { Keep(platformText); }
  void ShowErrorMessage(std::string_view text) override { Keep(text); }

  bool Any() const { return any_; }
  // The text of the failure told since the last Take(), and forgets it.
  std::string Take() {
    any_ = false;
    return std::move(text_);
  }

 private:
  void Keep(std::string_view text) {
    any_ = true;
    text_ = std::string(text);
  }
  bool any_ = false;
  std::string text_;
};

}  // namespace telvoran
