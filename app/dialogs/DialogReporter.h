#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/archive/FailureReporter.h"

namespace telvoran {

class UserDialogs;

// Reports the failures of a command to the user: the default beep and message boxes captioned
// with the application title, over `parent`; while a command works on a file, the caption names
// it too (see FileInCaptions).
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
  friend class FileInCaptions;
  QString Caption() const;

  UserDialogs& dialogs_;
  QPointer<QWidget> parent_;
  QString file_;  // the path of the file failures are about, or empty
};

// While it lives, failures reported through `reporter` are about the file at `path`, and their
// boxes' captions name it. The texts stay as they are. Guards nest: the inner file is named
// until it ends. A reporter that shows no boxes is left alone.
class FileInCaptions {
 public:
  FileInCaptions(FailureReporter& reporter, const QString& path);
  ~FileInCaptions();
  FileInCaptions(const FileInCaptions&) = delete;
  FileInCaptions& operator=(const FileInCaptions&) = delete;

 private:
  DialogReporter* reporter_;
  QString outer_;
};

}  // namespace telvoran
