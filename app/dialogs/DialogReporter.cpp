#include "app/dialogs/DialogReporter.h"

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"

namespace telvoran {

DialogReporter::DialogReporter(UserDialogs& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent) {}

QString DialogReporter::Caption() const {
  return file_.isEmpty() ? kApplicationTitle : FileMessageCaption(file_);
}

void DialogReporter::Beep() {
  dialogs_.Beep();
}

void DialogReporter::ShowMessage(std::string_view text) {
  dialogs_.Message(parent_, Caption(), FromCp1250(text));
}

void DialogReporter::ShowError(std::string_view platformText) {
  dialogs_.Error(parent_, Caption(),
                 QString::fromLocal8Bit(platformText.data(), qsizetype(platformText.size())));
}

void DialogReporter::ShowErrorMessage(std::string_view text) {
  dialogs_.Error(parent_, Caption(), FromCp1250(text));
}

FileInCaptions::FileInCaptions(FailureReporter& reporter, const QString& path)
    : reporter_(dynamic_cast<DialogReporter*>(&reporter)) {
  if (!reporter_) return;
  outer_ = reporter_->file_;
  reporter_->file_ = path;
}

FileInCaptions::~FileInCaptions() {
  if (reporter_) reporter_->file_ = outer_;
}

}  // namespace telvoran
