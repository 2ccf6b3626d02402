#include "app/views/FilterBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

#include "app/QtText.h"
#include "app/views/RowDelegates.h"
#include "core/rows/EventRows.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

QString LibraryText(const StringLookup& strings, int id) {
  const std::string_view text = strings.Text(id);
  return FromCp1250(text.substr(0, text.find('\0')));
}

}  // namespace

FilterBar::FilterBar(const StringLookup& strings, std::string_view situationCodes, QWidget* parent)
    : QWidget(parent) {
  setObjectName("FilterBar");
  auto* lines = new QVBoxLayout(this);
  lines->setContentsMargins(2, 2, 2, 2);
  lines->setSpacing(2);
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  lines->addLayout(row);

  auto* label = new QLabel(LibraryText(strings, sid::kFilterNoteStart).trimmed());
  row->addWidget(label);
  TextLine = new QLineEdit;
  TextLine->setObjectName("FilterText");
  TextLine->setPlaceholderText(LibraryText(strings, sid::kFilterPlaceholder));
  TextLine->setStatusTip(LibraryText(strings, sid::kFilterRows + 1));
  TextLine->setClearButtonEnabled(true);
  label->setBuddy(TextLine);
  row->addWidget(TextLine, 1);
  connect(TextLine, &QLineEdit::textChanged, this, &FilterBar::filterChanged);

  // The situation texts are long: laid out beside or under the text line they took most of a
  // short view, so they drop down from a button instead. A box in a menu keeps it open, so that
  // several can be ticked in one go.
  if (!situationCodes.empty()) {
    SituationsButton = new QToolButton;
    SituationsButton->setObjectName("FilterSituations");
    SituationsButton->setPopupMode(QToolButton::InstantPopup);
    SituationsButton->setStatusTip(LibraryText(strings, sid::kFilterSituationHint));
    auto* menu = new QMenu(SituationsButton);
    for (char code : situationCodes) {
      QCheckBox* box = MakeSituationBox(code, strings);
      auto* item = new QWidgetAction(menu);
      item->setDefaultWidget(box);
      menu->addAction(item);
      boxes_.push_back({code, box});
    }
    SituationsButton->setMenu(menu);
    situationsWord_ = LibraryText(strings, sid::kFilterSituations);
    ShowSituationCount();
    row->addWidget(SituationsButton);
  }

  CloseButton = new QToolButton;
  CloseButton->setObjectName("FilterClose");
  CloseButton->setText(QStringLiteral("\u2715"));
  CloseButton->setAutoRaise(true);
  CloseButton->setToolTip(LibraryText(strings, sid::kFilterClose));
  CloseButton->setStatusTip(CloseButton->toolTip());
  connect(CloseButton, &QToolButton::clicked, this, &FilterBar::Close);
  row->addWidget(CloseButton);

  setVisible(false);
}

QCheckBox* FilterBar::MakeSituationBox(char code, const StringLookup& strings) {
  // The situation's text as its rows carry it, with the colour digit that picks their colour.
  const RowText withDigit = SituationText(code, strings);
  std::string_view name = withDigit.Row();
  if (!name.empty()) name.remove_suffix(1);
  auto* box = new QCheckBox(FromCp1250(name));
  box->setObjectName(QStringLiteral("Situation") + QChar(code));
  box->setChecked(true);
  box->setStatusTip(LibraryText(strings, sid::kFilterSituationHint));
  if (const std::optional<QColor> colour = SituationColour(withDigit.Row())) {
    // The row colour behind the box and its text, in the text colour rows are drawn in. A style
    // sheet, because the platform styles paint a check box's background from their own palette.
    box->setStyleSheet(
        QStringLiteral("QCheckBox { background-color: %1; color: %2; padding: 0 4px; }")
            .arg(colour->name(), box->palette().color(QPalette::Text).name()));
  }
  connect(box, &QCheckBox::toggled, this, &FilterBar::filterChanged);
  connect(box, &QCheckBox::toggled, this, &FilterBar::ShowSituationCount);
  return box;
}

// "Situations 5/7": how many of the situations' rows are shown.
void FilterBar::ShowSituationCount() {
  if (!SituationsButton) return;
  const auto shown = std::count_if(boxes_.begin(), boxes_.end(),
                                   [](const Box& box) { return box.box->isChecked(); });
  SituationsButton->setText(
      QStringLiteral("%1 %2/%3").arg(situationsWord_).arg(shown).arg(boxes_.size()));
}

RowFilter FilterBar::Filter() const {
  RowFilter filter;
  if (isHidden()) return filter;
  filter.SetText(TextLine->text().toStdString());
  for (const Box& box : boxes_) filter.SetSituationHidden(box.code, !box.box->isChecked());
  return filter;
}

void FilterBar::Open() {
  const bool wasHidden = isHidden();
  setVisible(true);
  TextLine->setFocus(Qt::ShortcutFocusReason);
  TextLine->selectAll();
  if (wasHidden) emit filterChanged();
}

void FilterBar::Close() {
  if (isHidden()) return;
  setVisible(false);
  emit filterChanged();
}

QCheckBox* FilterBar::SituationBox(char code) const {
  for (const Box& box : boxes_)
    if (box.code == code) return box.box;
  return nullptr;
}

}  // namespace telvoran
