#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace telvoran {

class StringLookup;

// The about box: a small fixed-size modal dialog with the product name, the version and two
// lines of information.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // Shows the icon of `parent`, over which it opens.
  AboutBox(const StringLookup& strings, QWidget* parent);

  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Info = nullptr;
  QLabel* Comments = nullptr;
  QPushButton* OKButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The library texts that replace the built-in ones.
  void SetUpTexts();

  const StringLookup& strings_;
  bool shownBefore_ = false;
};

}  // namespace telvoran
