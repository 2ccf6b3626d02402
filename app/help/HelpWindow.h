#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QTextEdit;

namespace telvoran {

class ProgramState;

// The help window: a top-level window of its own with the help text read once at start from
// the help file beside the program, hidden until the help command shows it. Closing it only
// hides it; its context menu prints the text.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the help file from the program directory of `state`.
  explicit HelpWindow(ProgramState& state);

  // Prints the help text on numbered pages.
  void Print();

  QTextEdit* RichEdit = nullptr;
  QMenu* PopupMenu = nullptr;
  QAction* PrintPopUp = nullptr;

 private:
  // The library texts that replace the built-in ones, and the help text.
  void SetUpWindow();
  void LoadHelpFile();
  void ShowPopupMenu(QWidget* source, const QPoint& position);

  ProgramState& state_;
};

}  // namespace telvoran
