#pragma once

#include <QLabel>

namespace telvoran {

class DataView;

// A line at the top of a view's list while its filter keeps none of its rows, so that the empty
// list is not taken for an empty file. It lies over the list and takes no input.
class EmptyFilterNote : public QLabel {
 public:
  EmptyFilterNote(DataView& view, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Update();

  DataView& view_;
};

}  // namespace telvoran
