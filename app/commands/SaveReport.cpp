// The save command: the active data view as a text report or a spreadsheet (CSV) file.
#include "app/commands/SaveReport.h"

#include <QFileInfo>
#include <QMdiArea>

#include "app/ApplicationTitle.h"
#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/DataView.h"
#include "core/report/CsvReport.h"
#include "core/report/TextReport.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran::commands {
namespace {

// The save dialog's file types: the text report first, then the spreadsheet file.
constexpr int kCsvType = 2;

QString SaveFilter(const StringLookup& strings) {
  return FromCp1250(std::string(strings.Text(sid::kSaveFilter)) + " (*.txt)|*.txt|" +
                    std::string(strings.Text(sid::kCsvFilter)) + " (*.csv)|*.csv");
}

void WriteCsvFile(ProgramState& state, QWidget* parent, const ReportSource& report,
                  const std::filesystem::path& target) {
  const auto error = WriteCsvReport(report, target);
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
      parent, title, SaveFilter(strings), "txt",
      [&state, parent](const QString& name) { return AcceptReportName(state, parent, name); });
  if (!chosen) return;

  const auto* view = qobject_cast<const DataView*>(area.currentSubWindow());
  if (!view) return;
  const std::filesystem::path target = ToFileSystemPath(chosen->fileName);
  const FileInCaptions about(state.Reporter(), chosen->fileName);
  if (chosen->filterIndex == kCsvType) {
    WriteCsvFile(state, parent, view->Report(), target);
    return;
  }
  if (const auto error = WriteTextReport(view->Report(), target))
    state.Reporter().ShowError(*error);
}

bool AcceptReportName(ProgramState& state, QWidget* parent, const QString& fileName) {
  if (!QFileInfo::exists(fileName)) return true;
  std::string question(state.Strings().Text(sid::kOverwriteLine1));
  question += '\r';
  question += state.Strings().Text(sid::kOverwriteLine2);
  state.Dialogs().Beep();
  return state.Dialogs().YesNo(parent, kApplicationTitle, FromCp1250(question));
}

}  // namespace telvoran::commands
