#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/archive/FailureReporter.h"

namespace telvoran {

// A failure reporter that passes every failure on to another, or, while held, keeps them to be
// told later in the order they came: work done away from the window's thread tells its
// failures there only once it has finished.
class HeldReporter final : public FailureReporter {
 public:
  explicit HeldReporter(FailureReporter& target) : target_(target) {}

  // The reporter failures are passed on to.
  FailureReporter& Target() const { return target_; }
  // From now on failures are kept.
  void Hold() { held_ = true; }
  // Tells the failures kept, in order, and passes the later ones on at once.
  void Release();
  // Forgets the failures kept, and passes the later ones on at once.
  void Drop();

  void Beep() override;
  void ShowMessage(std::string_view text) override;
  void ShowError(std::string_view platformText) override;
  void ShowErrorMessage(std::string_view text) override;

 private:
  enum class Call { kBeep, kMessage, kError, kErrorMessage };
  void Tell(Call call, std::string_view text);

  FailureReporter& target_;
  bool held_ = false;
  std::vector<std::pair<Call, std::string>> kept_;
};

}  // namespace telvoran
