#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QTextEdit;

namespace telvoran {

class TMainForm;

// The help window: a top-level window of its own with the help text read once at start from
// the help file beside the program, hidden until the help command shows it. Closing it only
// hides it; its context menu prints the text.
class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // Made after the main window, whose program directory it uses.
  explicit THelpForm(TMainForm& mainForm);

  // Prints the help text on numbered pages.
  void PrintPopUpClick();

  QTextEdit* RichEdit = nullptr;
  QMenu* PopupMenu = nullptr;
  QAction* PrintPopUp = nullptr;

 private:
  void FormCreate();
  void LoadHelpFile();
  void ShowPopupMenu(QWidget* source, const QPoint& position);

  TMainForm& mainForm_;
};

}  // namespace telvoran
