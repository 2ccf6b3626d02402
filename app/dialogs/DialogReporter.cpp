#include "app/dialogs/DialogReporter.h"

#include "app/ApplicationTitle.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"

namespace telvoran {

DialogReporter::DialogReporter(UserDialogs& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent) {}

void DialogReporter::Beep() {
  dialogs_.Beep();
}

void DialogReporter::ShowMessage(std::string_view text) {
  dialogs_.Message(parent_, kApplicationTitle, FromCp1250(text));
}

void DialogReporter::ShowError(std::string_view platformText) {
  dialogs_.Error(parent_, kApplicationTitle,
                 QString::fromLocal8Bit(platformText.data(), qsizetype(platformText.size())));
}

void DialogReporter::ShowErrorMessage(std::string_view text) {
  dialogs_.Error(parent_, kApplicationTitle, FromCp1250(text));
}

}  // namespace telvoran
