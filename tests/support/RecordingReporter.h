#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/archive/FailureReporter.h"

namespace telvoran::test {

// Records what the core reported, in order: "beep", "message:<text>", "error:<text>" (the
// platform's words or the program's own in the error box).
class RecordingReporter : public FailureReporter {
 public:
  void Beep() override { events.push_back("beep"); }
  void ShowMessage(std::string_view text) override {
    events.push_back("message:" + std::string(text));
  }
  void ShowError(std::string_view text) override { events.push_back("error:" + std::string(text)); }
  void ShowErrorMessage(std::string_view text) override {
    events.push_back("error:" + std::string(text));
  }

  std::vector<std::string> events;
};

}  // namespace telvoran::test
