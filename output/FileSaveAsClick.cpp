// The save command: the active data view as a text report.
#include <QFile>
#include <QFileInfo>

#include "output/TextReport.h"
#include "shell/ApplicationTitle.h"
#include "shell/MainU.h"
#include "shell/UserDialogs.h"
#include "text/QtText.h"
#include "text/StringIds.h"
#include "text/StringLookup.h"
#include "views/DataView.h"

namespace telvoran {

void TMainForm::FileSaveAsClick() {
  const QString title = FromCp1250(Strings().Text(sid::kSaveDialogTitle));
  const QString filter =
      FromCp1250(std::string(Strings().Text(sid::kSaveFilter)) + " (*.txt)|*.txt");
  const auto chosen = Dialogs().SaveFileName(
      this, title, filter, "txt", [this](const QString& name) { return SaveDialogCanClose(name); });
  if (!chosen) return;

  const auto* view = dynamic_cast<const DataView*>(ActiveChild());
  if (!view) return;
  const std::filesystem::path target(QFile::encodeName(*chosen).toStdString());
  if (const auto error = WriteTextReport(view->Report(), target)) Reporter().ShowError(*error);
}

bool TMainForm::SaveDialogCanClose(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) return true;
  std::string question(Strings().Text(sid::kOverwriteLine1));
  question += '\r';
  question += Strings().Text(sid::kOverwriteLine2);
  Dialogs().Beep();
  return Dialogs().YesNo(this, kApplicationTitle, FromCp1250(question));
}

}  // namespace telvoran
