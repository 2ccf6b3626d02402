#include "app/mainwindow/Command.h"

#include <QAction>

#include <algorithm>

namespace telvoran {

void Command::SetEnabled(bool enabled) const {
  for (QAction* item : items_)
    if (item) item->setEnabled(enabled);
}

bool Command::IsEnabled() const {
  return std::all_of(items_.begin(), items_.end(),
                     [](const QAction* item) { return !item || item->isEnabled(); });
}

void Command::SetChecked(bool checked) const {
  for (QAction* item : items_)
    if (item) item->setChecked(checked);
}

void Command::SetVisible(bool visible) const {
  for (QAction* item : items_)
    if (item) item->setVisible(visible);
}

CommandSet EnabledCommands(const CommandSituation& situation) {
  CommandSet on;
  for (CommandId id : {CommandId::kOpen, CommandId::kOpenFolder, CommandId::kFindInFolder,
                       CommandId::kExit, CommandId::kHelp, CommandId::kAbout})
    on.set(Bit(id));
  if (situation.window == ActiveWindow::kNone) return on;

  // Any window can be stepped to, arranged and closed; what it gives out depends on its kind:
  // a view and a daily summary are saved and printed, a chart only printed, the find window
  // neither.
  for (CommandId id : kViewCommands) on.set(Bit(id));
  on.set(Bit(CommandId::kClose));
  const bool view = situation.window == ActiveWindow::kView;
  const bool summary = situation.window == ActiveWindow::kSummary;
  const bool chart = situation.window == ActiveWindow::kChart;
  on.set(Bit(CommandId::kSaveAs), view || summary);
  on.set(Bit(CommandId::kPrint), view || summary || chart);
  on.set(Bit(CommandId::kChart), view);
  on.set(Bit(CommandId::kFollow), view);
  on.set(Bit(CommandId::kFilter), view);
  on.set(Bit(CommandId::kGoToDate), situation.goesToDate);
  on.set(Bit(CommandId::kDailySummary), view && situation.viewKind == ArchiveKind::Interval);
  return on;
}

}  // namespace telvoran
