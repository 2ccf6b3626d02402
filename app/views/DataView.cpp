#include "app/views/DataView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "app/views/HeaderPanel.h"
#include "app/views/RowListModel.h"

namespace telvoran {
namespace {

constexpr int kTitlePanelHeight = 24;

QFont ListFont() {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(DataView::kListFontPixels);
  return font;
}

QFont PanelFont(bool bold) {
  QFont font;
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

}  // namespace

DataView::DataView(ArchiveFile& archive, const Layout& layout)
    : archive_(archive), viewKind_(layout.viewKind) {
  content_.kind = layout.kind;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(layout.caption));

  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  TitlePanel = new QLabel;
  TitlePanel->setFixedHeight(kTitlePanelHeight);
  TitlePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  TitlePanel->setLineWidth(1);
  TitlePanel->setAlignment(Qt::AlignCenter);
  TitlePanel->setFont(PanelFont(true));
  TitlePanel->setText("TitlePanel");
  column->addWidget(TitlePanel);

  auto* panelRow = new QHBoxLayout;
  panelRow->setSpacing(0);
  for (std::size_t i = 0; i < layout.panelWidths.size(); ++i) {
    auto* panel = new HeaderPanel;
    panel->setFont(PanelFont(false));
    panel->setFixedSize(layout.panelWidths[i], layout.panelHeight);
    panel->SetCaption(layout.panelCaptions[i]);
    panel->SetHint("Sortuje dane wed\xB3ug przyci\x9Cni\xEAtego panelu");
    const int number = static_cast<int>(i) + 1;
    connect(panel, &HeaderPanel::clicked, this, [this, number] { SortBy(number); });
    panels_.push_back(panel);
    panelRow->addWidget(panel);
  }
  panelRow->addStretch();
  column->addLayout(panelRow);
  for (const auto& caption : layout.panelCaptions) content_.columnCaptions.emplace_back(caption);

  ListBox = new QListView;
  ListBox->setFont(ListFont());
  ListBox->setUniformItemSizes(true);
  ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  model_ = new RowListModel(content_, this);
  ListBox->setModel(model_);
  column->addWidget(ListBox, 1);

  setWidget(body);
}

DataView::~DataView() = default;

HeaderPanel* DataView::Panel(int number) const {
  return panels_.at(static_cast<std::size_t>(number - 1));
}

void DataView::SetTitle(std::string_view title) {
  content_.title = title;
  TitlePanel->setText(FromCp1250(title));
}

void DataView::SetPanelCaption(int number, std::string_view caption) {
  content_.columnCaptions.at(static_cast<std::size_t>(number - 1)) = caption;
  Panel(number)->SetCaption(caption);
}

void DataView::SetPanelHint(int number, std::string_view hint) {
  Panel(number)->SetHint(hint);
}

void DataView::SetCaption(std::string_view caption) {
  content_.caption = caption;
  setWindowTitle(FromCp1250(caption));
}

void DataView::SetRows(RowStore rows) {
  model_->Change([&] { content_.rows = std::move(rows); });
}

void DataView::RemoveDuplicateRows() {
  model_->Change([&] { content_.rows.RemoveDuplicateRows(); });
}

void DataView::ShowSortColumn() {
  for (int number = 1; number <= PanelCount(); ++number)
    Panel(number)->SetLowered(number == content_.sortColumn);
}

void DataView::SortBy(int column) {
  if (column == content_.sortColumn || !CanSortBy(column)) return;
  content_.sortColumn = column;
  ReloadRows();
}

bool DataView::CanSortBy(int) const {
  return true;
}

}  // namespace telvoran
