#pragma once

// Opening archives in a main window as a user does, and reading back what a view lists.
#include <QApplication>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

#include "app/mainwindow/MainWindow.h"
#include "app/views/DataView.h"
#include "support/ScriptedDialogs.h"

namespace telvoran::test {

// Runs the open command, the open dialog answered with `path`, and lets the new view settle.
inline void OpenThroughDialog(MainWindow& main, ScriptedDialogs& dialogs,
                              const std::filesystem::path& path) {
  dialogs.openAnswers.push_back(QString::fromStdString(path.string()));
  main.OpenArchive();
  QApplication::processEvents();
}

// Opens `path` as OpenThroughDialog() does and returns the new view, with what the dialogs were
// asked forgotten; nothing when no view of that type came up.
template <typename View>
View* OpenedView(MainWindow& main, ScriptedDialogs& dialogs, const std::filesystem::path& path) {
  OpenThroughDialog(main, dialogs, path);
  dialogs.asked.clear();
  return dynamic_cast<View*>(main.ActiveChild());
}

// The rows the view's report lists, as drawn, in list order.
inline std::vector<std::string> Displayed(const DataView& view) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < view.Report().RowCount(); ++i)
    rows.emplace_back(view.Report().DisplayText(i));
  return rows;
}

}  // namespace telvoran::test
