#include "app/mainwindow/Command.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace telvoran {
namespace {

using enum CommandId;

CommandSet Set(std::initializer_list<CommandId> ids) {
  CommandSet set;
  for (CommandId id : ids) set.set(Bit(id));
  return set;
}

TEST(EnabledCommands, FollowTheKindOfTheActiveWindowAndWhatItShows) {
  const CommandSet always = Set({kOpen, kOpenFolder, kFindInFolder, kExit, kHelp, kAbout});
  const CommandSet onAnyWindow =
      always | Set({kPrintSetup, kNext, kPrevious, kTile, kCascade, kArrangeAll, kClose});
  const CommandSet onAView = onAnyWindow | Set({kSaveAs, kPrint, kChart, kFollow, kFilter});
  const struct {
    CommandSituation situation;
    CommandSet enabled;
  } cases[] = {
      {{ActiveWindow::kNone, ArchiveKind::Other, false}, always},
      {{ActiveWindow::kView, ArchiveKind::Event, false}, onAView},
      {{ActiveWindow::kView, ArchiveKind::Event, true}, onAView | Set({kGoToDate})},
      {{ActiveWindow::kView, ArchiveKind::Interval, false}, onAView | Set({kDailySummary})},
      {{ActiveWindow::kView, ArchiveKind::Interval, true},
       onAView | Set({kDailySummary, kGoToDate})},
      {{ActiveWindow::kChart, ArchiveKind::Interval, true}, onAnyWindow | Set({kPrint, kGoToDate})},
      {{ActiveWindow::kSummary, ArchiveKind::Interval, false},
       onAnyWindow | Set({kSaveAs, kPrint})},
      {{ActiveWindow::kFind, ArchiveKind::Interval, false}, onAnyWindow},
  };
  for (const auto& [situation, enabled] : cases) {
    EXPECT_EQ(EnabledCommands(situation), enabled)
        << "window " << static_cast<int>(situation.window) << ", kind "
        << static_cast<int>(situation.viewKind) << ", dates " << situation.goesToDate;
  }
}

}  // namespace
}  // namespace telvoran
