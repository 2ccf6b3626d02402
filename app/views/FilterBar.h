#pragma once

#include <QWidget>

#include <string_view>
#include <vector>

#include "core/rows/RowFilter.h"

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace telvoran {

class StringLookup;

// The filter line above a view's rows: the text the rows shown must contain and, in an event
// view, one check box per situation, labelled with the situation's text on its row colour, that
// shows or hides the rows of that situation. The boxes drop down from a button at the end of the
// line, which says how many situations are shown, so that the line takes one row of the view
// however short the view is. Hidden until asked for; while hidden it filters
// nothing, and what was typed and ticked stays for the next time it is shown.
class FilterBar : public QWidget {
  Q_OBJECT

 public:
  // `situationCodes`: the situations that get a check box, in order; none for an interval view.
  FilterBar(const StringLookup& strings, std::string_view situationCodes,
            QWidget* parent = nullptr);

  // The filter as typed and ticked; a filter that keeps every row while the line is hidden.
  RowFilter Filter() const;

  // Shows the line and puts the keyboard in its text, all selected, so that typing replaces it.
  void Open();
  // Hides the line; the view then shows every row.
  void Close();

  QLineEdit* TextLine = nullptr;
  QToolButton* CloseButton = nullptr;
  // The drop-down of the situations' boxes; none in an interval view.
  QToolButton* SituationsButton = nullptr;
  // The check box of a situation code; none for a code without one.
  QCheckBox* SituationBox(char code) const;

 signals:
  // The filter changed: text typed, a box ticked or cleared, the line shown or hidden.
  void filterChanged();

 private:
  struct Box {
    char code;
    QCheckBox* box;
  };
  QCheckBox* MakeSituationBox(char code, const StringLookup& strings);
  void ShowSituationCount();

  std::vector<Box> boxes_;
  QString situationsWord_;
};

}  // namespace telvoran
