#pragma once

#include <QWidget>

class QTextEdit;

namespace telvoran {

class TMainForm;

// The help window: a top-level window of its own with the help text, hidden until the help
// command shows it. Closing it only hides it.
class THelpForm : public QWidget {
  Q_OBJECT

 public:
  // Made after the main window, whose program directory it uses.
  explicit THelpForm(TMainForm& mainForm);

  QTextEdit* RichEdit = nullptr;

 private:
  void FormCreate();

  TMainForm& mainForm_;
};

}  // namespace telvoran
