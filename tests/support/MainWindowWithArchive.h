#pragma once

#include <QString>

#include <filesystem>

#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "support/OpenedViews.h"
#include "support/ScriptedDialogs.h"

namespace telvoran::test {

// A main window over `strings` with its dialogs scripted, and archives opened in it through its
// open command as a user opens them: where the tests and benchmarks of views start. The window
// is not shown, so that a benchmark decides what is drawn.
class MainWindowWithArchive {
 public:
  MainWindowWithArchive(const StringLookup& strings, const QString& programDirectory)
      : main(strings, dialogs, programDirectory) {}

  // Opens `path` and returns its view, with what the dialogs were asked forgotten; null when no
  // view of that type came up.
  template <typename View = DataView>
  View* Open(const std::filesystem::path& path) {
    return OpenedView<View>(main, dialogs, path);
  }

  ScriptedDialogs dialogs;
  MainWindow main;
};

}  // namespace telvoran::test
