#include "core/archive/HeldReporter.h"

namespace telvoran {

void HeldReporter::Release() {
  held_ = false;
  // Taken first: a failure told may come back here while the kept ones are told.
  const auto kept = std::move(kept_);
  kept_.clear();
  for (const auto& [call, text] : kept) Tell(call, text);
}

void HeldReporter::Drop() {
  held_ = false;
  kept_.clear();
}

void HeldReporter::Tell(Call call, std::string_view text) {
  if (held_) {
    kept_.emplace_back(call, std::string(text));
    return;
  }
  switch (call) {
    case Call::kBeep:
      target_.Beep();
      break;
    case Call::kMessage:
      target_.ShowMessage(text);
      break;
    case Call::kError:
      target_.ShowError(text);
      break;
    case Call::kErrorMessage:
      target_.ShowErrorMessage(text);
      break;
  }
}

void HeldReporter::Beep() {
  Tell(Call::kBeep, {});
}

void HeldReporter::ShowMessage(std::string_view text) {
  Tell(Call::kMessage, text);
}

void HeldReporter::ShowError(std::string_view platformText) {
  Tell(Call::kError, platformText);
}

void HeldReporter::ShowErrorMessage(std::string_view text) {
  Tell(Call::kErrorMessage, text);
}

}  // namespace telvoran
