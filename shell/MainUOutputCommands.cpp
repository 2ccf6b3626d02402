// Placeholders for the save and print commands until the output layer provides them.
#include "shell/MainU.h"

namespace telvoran {

void TMainForm::FileSaveAsClick() {}

bool TMainForm::SaveDialogCanClose(const QString&) {
  return true;
}

void TMainForm::FilePrintClick() {}

void TMainForm::FilePrintSetupClick() {}

}  // namespace telvoran
