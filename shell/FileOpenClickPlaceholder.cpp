// Stands in for the open command while the open procedure is not part of the build; the
// build leaves this file out as soon as archive/FileOpenClick.cpp exists.
#include "shell/MainU.h"

namespace telvoran {

void TMainForm::FileOpenClick() {}

}  // namespace telvoran
