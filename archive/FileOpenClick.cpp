// The open command: the open dialog, the checks before reading, the new view of the file's
// kind, and the reading of its rows.
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

#include "archive/ArchiveFile.h"
#include "shell/MainU.h"
#include "shell/UserDialogs.h"
#include "text/QtText.h"
#include "text/StringIds.h"
#include "text/StringLookup.h"
#include "views/Child1U.h"
#include "views/Child2U.h"
#include "views/HeaderPanel.h"
#include "views/RowReading.h"

namespace telvoran {
namespace {

// The open dialog's three entries: interval archives, event archives, both kinds.
QString OpenDialogFilter(const StringLookup& strings) {
  std::string filter(strings.Text(sid::kFilterInterval));
  filter += " (*.czt)|*.czt|";
  filter += strings.Text(sid::kFilterEvent);
  filter += " (*.zdr)|*.zdr|";
  filter += strings.Text(sid::kFilterBoth);
  filter += " (*.czt); (*.zdr)|*.czt; *.zdr";
  return FromCp1250(filter);
}

// Puts a new view into the main window, where it becomes the active view, and sets it up for
// its file with `SortColumn` 1, the sorted look of the date and time panel and the usual size.
template <typename View>
View* CreateView(TMainForm& main, const std::filesystem::path& path) {
  auto* view = new View(main);
  main.MdiArea()->addSubWindow(view);
  view->show();
  view->SetFilePath(path);
  view->SetSortColumn(1);
  view->Panel(1)->SetLowered(true);
  view->resize(616, 320);
  const StringLookup& strings = main.Strings();
  view->SetPanelCaption(1, strings.Text(sid::kDateTimeColumn));
  for (int panel = 1; panel <= view->PanelCount(); ++panel)
    view->SetPanelHint(panel, strings.Text(sid::kSortPanelHint));
  return view;
}

// Shows the rows read so far; when reading stopped early, says why while the view is still
// on the screen, then closes it. True when the whole file was read.
bool FinishReading(DataView* view, ArchiveFile& archive, ReadStop stop, RowList rows) {
  view->SetRows(std::move(rows));
  if (stop == ReadStop::EndOfFile) return true;
  ReportReadStop(stop, archive);
  archive.Close();
  view->close();
  return false;
}

void ShowCompleteView(DataView* view, ArchiveFile& archive, std::string_view fileName) {
  archive.Close();
  view->SetCaption(fileName);
  view->show();
  view->raise();
  view->setFocus();
}

void OpenIntervalArchive(TMainForm& main, const std::filesystem::path& path,
                         std::string_view fileName) {
  ArchiveFile& archive = main.Archive();
  if (!archive.ReadIntervalHeader(sid::kShortHeader)) return;
  auto* view = CreateView<TChildForm1>(main, path);
  view->SetTitle(IntervalViewTitle(main.Strings(), fileName));
  view->SetChannelTitles(archive.IntervalHeader());

  RowList rows;
  const int channels = *ChannelCount(archive.IntervalHeader());
  const ReadStop stop = ReadIntervalRows(archive, channels, view->SortColumn(), rows);
  if (!FinishReading(view, archive, stop, std::move(rows))) return;
  ShowCompleteView(view, archive, fileName);
}

void OpenEventArchive(TMainForm& main, const std::filesystem::path& path,
                      std::string_view fileName) {
  ArchiveFile& archive = main.Archive();
  const StringLookup& strings = main.Strings();
  auto* view = CreateView<TChildForm2>(main, path);
  const std::vector<std::string> captions = EventColumnCaptions(strings);
  for (int panel = 2; panel <= 7; ++panel)
    view->SetPanelCaption(panel, captions[static_cast<std::size_t>(panel - 1)]);
  view->SetTitle(EventViewTitle(strings, fileName));

  RowList rows;
  const ReadStop stop = ReadEventRows(archive, view->SortColumn(), rows);
  if (!FinishReading(view, archive, stop, std::move(rows))) return;
  view->RemoveDuplicateRows();
  ShowCompleteView(view, archive, fileName);
}

}  // namespace

void TMainForm::FileOpenClick() {
  const auto chosen = Dialogs().OpenFileName(
      this, FromCp1250(Strings().Text(sid::kOpenDialogTitle)), OpenDialogFilter(Strings()), 3);
  if (!chosen) return;

  const std::filesystem::path path(QFile::encodeName(*chosen).toStdString());
  if (!Archive().OpenArchiveFile(path, sid::kMissingFile, sid::kEmptyFile)) return;

  const std::string fileName = ToCp1250(QFileInfo(*chosen).fileName());
  switch (ArchiveKindOfName(fileName)) {
    case ArchiveKind::Interval:
      OpenIntervalArchive(*this, path, fileName);
      break;
    case ArchiveKind::Event:
      OpenEventArchive(*this, path, fileName);
      break;
    case ArchiveKind::Other:
      Archive().Close();
      break;
  }
}

}  // namespace telvoran
