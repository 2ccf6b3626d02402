#pragma once

#include <QPointer>
#include <QWidget>

#include "core/archive/FailureReporter.h"

namespace telvoran {

class UserDialogs;

// Reports the failures of a command to the user: the default beep and message boxes captioned
// with the application title, over `parent`.
class DialogReporter : public FailureReporter {
 public:
  DialogReporter(UserDialogs& dialogs, QWidget* parent);

  void Beep() override;
  // `text` is a library text in Windows-1250.
  void ShowMessage(std::string_view text) override;
  // `platformText` is the system's own text, in the local 8-bit encoding.
  void ShowError(std::string_view platformText) override;
  // `text` is a library text in Windows-1250.
  void ShowErrorMessage(std::string_view text) override;

 private:
  UserDialogs& dialogs_;
  QPointer<QWidget> parent_;
};

}  // namespace telvoran
