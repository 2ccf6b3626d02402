#pragma once

#include <string>
#include <string_view>

#include "core/archive/FailureReporter.h"

namespace telvoran {

// A failure reporter for charts read from many files off the window's thread: it shows nothing
// and keeps the last failure's words, so that one message at the end can name every file.
class KeptFailure : public FailureReporter {
 public:
  void Beep() override {}
  void ShowMessage(std::string_view text) override { text_ = text; }
  void ShowError(std::string_view platformText) override { text_ = platformText; }
  void ShowErrorMessage(std::string_view text) override { text_ = text; }

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace telvoran
