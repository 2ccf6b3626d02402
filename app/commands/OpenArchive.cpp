// The open command: the open dialog, the checks before reading, the new view of the file's
// kind, and the reading of its rows.
#include "app/commands/OpenArchive.h"

#include <QListView>
#include <QMdiArea>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/dialogs/UserDialogs.h"
#include "app/views/EventView.h"
#include "app/views/HeaderPanel.h"
#include "app/views/IntervalView.h"
#include "core/view/ArchiveDocument.h"
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

// Puts a new view of `document` into the main window, where it becomes the active view, with
// the sorted look of the date and time panel and the usual size.
template <typename View>
View* CreateView(ProgramState& state, QMdiArea& area, std::unique_ptr<ArchiveDocument> document) {
  auto* view = new View(std::move(document));
  area.addSubWindow(view);
  // Sized before it is shown: a view shown while the active one is maximized is maximized by
  // the client area, and a later resize would leave it small in a corner, still marked maximized.
  view->resize(616, 320);
  view->show();
  view->Panel(1)->SetLowered(true);
  const StringLookup& strings = state.Strings();
  for (int panel = 1; panel <= view->PanelCount(); ++panel)
    view->SetPanelHint(panel, strings.Text(sid::kSortPanelHint));
  return view;
}

// Reads the rows into the view, which shows them as they come; when reading stopped early, the
// user was told why while the view was still on the screen, and it closes. True when the whole
// file was read.
bool ReadRows(DataView* view) {
  if (view->ReadRows() != ArchiveDocument::Outcome::kComplete) {
    view->close();
    return false;
  }
  const ArchiveDocument& document = view->Document();
  view->SetCaption(document.FileName());
  view->show();
  view->raise();
  // The arrow keys move through the rows at once, without a click into the list first.
  view->List()->setFocus(Qt::OtherFocusReason);
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
  const FileInCaptions about(state.Reporter(), fileName);
  auto document = std::make_unique<ArchiveDocument>(state.Strings(), state.Reporter());
  const std::optional<ArchiveKind> kind =
      document->OpenFile(ToFileSystemPath(fileName), kOpenMessages);
  // A name of neither kind is passed over without a word, as the open dialog offers none.
  if (!kind || *kind == ArchiveKind::Other || !document->ReadHeader(kOpenMessages)) return;

  DataView* view = *kind == ArchiveKind::Interval
                       ? static_cast<DataView*>(CreateView<IntervalView>(state, area, std::move(document)))
                       : CreateView<EventView>(state, area, std::move(document));
  if (ReadRows(view)) state.RecentlyOpened().Add(fileName);
}

void OpenSpanView(ProgramState& state, QMdiArea& area, DaySpan span) {
  const FileInCaptions about(state.Reporter(), FromCp1250(SpanCaption(state.Strings(), span)));
  auto document = std::make_unique<ArchiveDocument>(state.Strings(), state.Reporter());
  if (!document->OpenSpan(std::move(span))) return;
  auto* view = CreateView<IntervalView>(state, area, std::move(document));
  view->SetCaption(view->Content().caption);
  // A day the reading stopped in has been told; the rows read before stay in sight. A reading
  // cancelled leaves no view.
  if (view->ReadRows() == ArchiveDocument::Outcome::kCancelled) {
    view->close();
    return;
  }
  view->show();
  view->raise();
  view->List()->setFocus(Qt::OtherFocusReason);
}

}  // namespace telvoran::commands
