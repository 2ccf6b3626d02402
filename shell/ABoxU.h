#pragma once

#include <QDialog>

class QPushButton;

namespace telvoran {

class TMainForm;

// The about box: a small fixed-size modal dialog.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(TMainForm& mainForm);

  QPushButton* OKButton = nullptr;

 private:
  void FormCreate();

  TMainForm& mainForm_;
};

}  // namespace telvoran
