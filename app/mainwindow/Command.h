#pragma once

#include <array>
#include <bitset>
#include <cstddef>

#include "core/archive/ArchiveKind.h"

class QAction;

namespace telvoran {

// The main window's commands. Each may appear in the menu bar, the pop-up menu and the tool bar.
enum class CommandId {
  kOpen,
  kOpenFolder,
  kSaveAs,
  kFindInFolder,
  kPrint,
  kPrintSetup,
  kExit,
  kNext,
  kPrevious,
  kTile,
  kCascade,
  kArrangeAll,
  kClose,
  kChart,
  kFollow,
  kFilter,
  kGoToDate,
  kDailySummary,
  kHelp,
  kAbout,
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::kAbout) + 1;

enum class Place { kMenu, kPopUp, kToolBar };
inline constexpr std::size_t kPlaceCount = 3;

// One appearance of a command.
struct CommandItem {
  CommandId command;
  Place place;
};

// One command: the items that show it, enabled, ticked and shown together so that a menu item
// never disagrees with its pop-up twin or its tool button.
class Command {
 public:
  // The item at `place`, or null where the command does not appear.
  QAction* Item(Place place) const { return items_[static_cast<std::size_t>(place)]; }
  void SetItem(Place place, QAction* item) { items_[static_cast<std::size_t>(place)] = item; }

  void SetEnabled(bool enabled) const;
  // On where it appears at all.
  bool IsEnabled() const;
  void SetChecked(bool checked) const;
  void SetVisible(bool visible) const;

 private:
  std::array<QAction*, kPlaceCount> items_{};
};

// What the commands depend on: the kind of the active child window and, for a data view, what
// it shows.
enum class ActiveWindow { kNone, kView, kChart, kSummary, kFind };
struct CommandSituation {
  ActiveWindow window = ActiveWindow::kNone;
  ArchiveKind viewKind = ArchiveKind::Other;  // of an active data view
  bool goesToDate = false;                    // the active window can go to a date
};

using CommandSet = std::bitset<kCommandCount>;

inline constexpr std::size_t Bit(CommandId id) {
  return static_cast<std::size_t>(id);
}

// The commands that can be chosen in `situation`; the rest are disabled.
CommandSet EnabledCommands(const CommandSituation& situation);

// The commands that need a window to act on, switched together for a window of no known kind.
inline constexpr std::array kViewCommands = {
    CommandId::kSaveAs,   CommandId::kPrint, CommandId::kPrintSetup, CommandId::kNext,
    CommandId::kPrevious, CommandId::kTile,  CommandId::kCascade,    CommandId::kArrangeAll,
};

}  // namespace telvoran
