// The open command: the open dialog, the checks before reading, the new view of the file's
// kind, and the reading of its rows.
#include "app/commands/OpenArchive.h"

#include <QFileInfo>
#include <QListView>
#include <QMdiArea>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/EventView.h"
#include "app/views/HeaderPanel.h"
#include "app/views/IntervalView.h"
#include "core/archive/ArchiveFile.h"
#include "core/rows/RowReading.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran::commands {
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
View* CreateView(ProgramState& state, QMdiArea& area, const std::filesystem::path& path) {
  auto* view = new View(state.Archive());
  area.addSubWindow(view);
  // Sized before it is shown: a view shown while the active one is maximized is maximized by
  // the client area, and a later resize would leave it small in a corner, still marked maximized.
  view->resize(616, 320);
  view->show();
  view->SetFilePath(path);
  view->SetSortColumn(1);
  view->Panel(1)->SetLowered(true);
  const StringLookup& strings = state.Strings();
  view->SetPanelCaption(1, strings.Text(sid::kDateTimeColumn));
  for (int panel = 1; panel <= view->PanelCount(); ++panel)
    view->SetPanelHint(panel, strings.Text(sid::kSortPanelHint));
  return view;
}

// Shows the rows read so far; when reading stopped early, says why while the view is still
// on the screen, then closes it. True when the whole file was read.
bool FinishReading(DataView* view, ArchiveFile& archive, ReadStop stop, RowStore rows) {
  view->SetRows(std::move(rows));
  if (stop == ReadStop::EndOfFile) return true;
  ReportReadStop(stop, archive);
  archive.Close();
  view->close();
  return false;
}

void ShowCompleteView(DataView* view, ArchiveFile& archive, std::string_view fileName) {
  archive.Close();
  view->SetReadingEnd(archive.LastReadingEnd(), true);
  view->SetCaption(fileName);
  view->show();
  view->raise();
  // The arrow keys move through the rows at once, without a click into the list first.
  view->ListBox->setFocus(Qt::OtherFocusReason);
}

bool OpenIntervalArchive(ProgramState& state, QMdiArea& area, const std::filesystem::path& path,
                         std::string_view fileName) {
  ArchiveFile& archive = state.Archive();
  if (!archive.ReadIntervalHeader(sid::kShortHeader)) return false;
  auto* view = CreateView<IntervalView>(state, area, path);
  view->SetTitle(IntervalViewTitle(state.Strings(), fileName));
  view->SetChannelTitles(archive.IntervalHeader());

  RowStore rows;
  const int channels = *ChannelCount(archive.IntervalHeader());
  const ReadStop stop = ReadIntervalRows(archive, channels, view->SortColumn(), rows);
  if (!FinishReading(view, archive, stop, std::move(rows))) return false;
  ShowCompleteView(view, archive, fileName);
  return true;
}

bool OpenEventArchive(ProgramState& state, QMdiArea& area, const std::filesystem::path& path,
                      std::string_view fileName) {
  ArchiveFile& archive = state.Archive();
  const StringLookup& strings = state.Strings();
  auto* view = CreateView<EventView>(state, area, path);
  const std::vector<std::string> captions = EventColumnCaptions(strings);
  for (int panel = 2; panel <= 7; ++panel)
    view->SetPanelCaption(panel, captions[static_cast<std::size_t>(panel - 1)]);
  view->SetTitle(EventViewTitle(strings, fileName));

  RowStore rows;
  const ReadStop stop = ReadEventRows(archive, view->SortColumn(), rows);
  if (!FinishReading(view, archive, stop, std::move(rows))) return false;
  view->RemoveDuplicateRows();
  ShowCompleteView(view, archive, fileName);
  return true;
}

}  // namespace

void OpenArchive(ProgramState& state, QMdiArea& area) {
  const StringLookup& strings = state.Strings();
  const auto chosen = state.Dialogs().OpenFileName(
      area.window(), FromCp1250(strings.Text(sid::kOpenDialogTitle)), OpenDialogFilter(strings), 3);
  if (chosen) OpenArchiveFile(state, area, *chosen);
}

void OpenArchiveFile(ProgramState& state, QMdiArea& area, const QString& fileName) {
  ArchiveFile& archive = state.Archive();
  const FileInCaptions about(state.Reporter(), fileName);
  const std::filesystem::path path = ToFileSystemPath(fileName);
  if (!archive.OpenArchiveFile(path, sid::kMissingFile, sid::kEmptyFile)) return;

  const std::string name = ToCp1250(QFileInfo(fileName).fileName());
  bool opened = false;
  switch (ArchiveKindOfName(name)) {
    case ArchiveKind::Interval:
      opened = OpenIntervalArchive(state, area, path, name);
      break;
    case ArchiveKind::Event:
      opened = OpenEventArchive(state, area, path, name);
      break;
    case ArchiveKind::Other:
      archive.Close();
      break;
  }
  if (opened) state.RecentlyOpened().Add(fileName);
}

}  // namespace telvoran::commands
