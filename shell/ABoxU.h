#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace telvoran {

class TMainForm;

// The about box: a small fixed-size modal dialog with the product name, the version and two
// lines of information.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(TMainForm& mainForm);

  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Info = nullptr;
  QLabel* Comments = nullptr;
  QPushButton* OKButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();

  TMainForm& mainForm_;
  bool shownBefore_ = false;
};

}  // namespace telvoran
