// The save command: the active data view as a text report or a spreadsheet (CSV) file.
#include "app/commands/SaveReport.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <system_error>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/DataView.h"
#include "app/work/LongWork.h"
#include "core/report/CsvReport.h"
#include "core/report/TextReport.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"
#include "core/work/WorkProgress.h"

namespace telvoran::commands {
namespace {

// The save dialog's file types: the text report first, then the spreadsheet file.
constexpr int kTextType = 1;
constexpr int kCsvType = 2;

// The type a name's extension names among those offered, else the type chosen in the dialog.
int TypeOfName(const SaveChoice& chosen) {
  const QString extension = QFileInfo(chosen.fileName).suffix();
  if (extension.compare("txt", Qt::CaseInsensitive) == 0) return kTextType;
  if (extension.compare("csv", Qt::CaseInsensitive) == 0) return kCsvType;
  return chosen.filterIndex;
}

// Whether `fileName` is the archive of a view open in `area`: the same file, under any name.
bool IsOpenArchive(const QMdiArea& area, const QString& fileName) {
  const std::filesystem::path target = ToFileSystemPath(fileName);
  for (const QMdiSubWindow* window : area.subWindowList()) {
    const auto* view = qobject_cast<const DataView*>(window);
    std::error_code unknown;
    if (view && std::filesystem::equivalent(target, view->FilePath(), unknown)) return true;
  }
  return false;
}

QString SaveFilter(const StringLookup& strings) {
  return FromCp1250(std::string(strings.Text(sid::kSaveFilter)) + " (*.txt)|*.txt|" +
                    std::string(strings.Text(sid::kCsvFilter)) + " (*.csv)|*.csv");
}

void ShowCsvFailure(ProgramState& state, QWidget* parent,
                    const std::optional<std::string>& error,
                    const std::filesystem::path& target) {
  if (!error) return;
  const QString text = state.Text(sid::kCsvNotSaved) + '\r' +
                       QString::fromLocal8Bit(error->data(), qsizetype(error->size()));
  state.Dialogs().Error(parent, FileMessageCaption(FromFileSystemPath(target)), text);
}

}  // namespace

void SaveReport(ProgramState& state, QMdiArea& area) {
  const StringLookup& strings = state.Strings();
  QWidget* parent = area.window();
  const QString title = FromCp1250(strings.Text(sid::kSaveDialogTitle));
  const auto chosen = state.Dialogs().SaveFileName(
      parent, title, SaveFilter(strings), "txt", [&state, parent, &area](const QString& name) {
        return AcceptReportName(state, parent, &area, name);
      });
  if (!chosen) return;

  const auto* view = qobject_cast<const DataView*>(area.currentSubWindow());
  if (!view) return;
  const std::filesystem::path target = ToFileSystemPath(chosen->fileName);
  const FileInCaptions about(state.Reporter(), chosen->fileName);
  const bool csv = TypeOfName(*chosen) == kCsvType;
  // Written as long work; a cancelled save leaves no file, and an existing one as it was.
  std::optional<std::string> error;
  LongWork::Run(parent, strings, [&](WorkProgress& progress) {
    error = csv ? WriteCsvReport(view->Report(), target, &progress)
                : WriteTextReport(view->Report(), strings, target, &progress);
  });
  if (csv) {
    ShowCsvFailure(state, parent, error, target);
    return;
  }
  if (error) state.Reporter().ShowError(*error);
}

bool AcceptReportName(ProgramState& state, QWidget* parent, const QMdiArea* area,
                      const QString& fileName) {
  if (area && IsOpenArchive(*area, fileName)) {
    state.Dialogs().Error(
        parent, kApplicationTitle,
        state.Text(sid::kSaveOverOpenArchive) + '\r' + QDir::toNativeSeparators(fileName));
    return false;
  }
  if (!QFileInfo::exists(fileName)) return true;
  std::string question(state.Strings().Text(sid::kOverwriteLine1));
  question += '\r';
  question += state.Strings().Text(sid::kOverwriteLine2);
  state.Dialogs().Beep();
  return state.Dialogs().YesNo(parent, kApplicationTitle, FromCp1250(question));
}

}  // namespace telvoran::commands
