#include "app/plant/CatalogueWindow.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

#include "app/QtText.h"
#include "core/plant/SummaryDays.h"
#include "core/plant/SummaryReport.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"

namespace telvoran {
namespace {

QString UnitText(int unit) {
  return QStringLiteral("%1").arg(unit, 2, 10, QLatin1Char('0'));
}

QDate ToQDate(plant::Day day) {
  const std::chrono::year_month_day date(day);
  return QDate(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
               static_cast<int>(unsigned(date.day())));
}

plant::Day FromQDate(const QDate& date) {
  return plant::Day(std::chrono::year_month_day(std::chrono::year(date.year()),
                                                std::chrono::month(unsigned(date.month())),
                                                std::chrono::day(unsigned(date.day()))));
}

}  // namespace

// Days from the folder's first to its last against its units; a cell shows the records of the
// unit's archive of that day, on green when it holds any, on amber when it holds none.
class CalendarModel : public QAbstractTableModel {
 public:
  CalendarModel(QString hint, QObject* parent)
      : QAbstractTableModel(parent), hint_(std::move(hint)) {}

  void Show(std::shared_ptr<const plant::FolderCatalogue> catalogue) {
    beginResetModel();
    catalogue_ = std::move(catalogue);
    units_ = catalogue_->Units();
    first_ = catalogue_->FirstDay().value_or(plant::Day{});
    days_ = 0;
    if (const auto last = catalogue_->LastDay())
      days_ = static_cast<int>((*last - first_).count()) + 1;
    endResetModel();
  }
  // Keeps the rows and columns, for files that only grew.
  void Update(std::shared_ptr<const plant::FolderCatalogue> catalogue,
              const std::vector<plant::DayFile>& grown) {
    catalogue_ = std::move(catalogue);
    for (const plant::DayFile& file : grown) {
      const QModelIndex cell = Cell(file.unit, file.day);
      if (cell.isValid()) emit dataChanged(cell, cell);
    }
  }
  bool SameShape(const plant::FolderCatalogue& catalogue) const {
    return catalogue.Units() == units_ && catalogue.FirstDay().value_or(plant::Day{}) == first_ &&
           catalogue.LastDay().value_or(plant::Day{}) == first_ + std::chrono::days(days_ - 1);
  }

  QModelIndex Cell(int unit, plant::Day day) const {
    const auto column = std::find(units_.begin(), units_.end(), unit);
    if (column == units_.end()) return {};
    return index(static_cast<int>((day - first_).count()),
                 static_cast<int>(column - units_.begin()));
  }
  int UnitAt(int column) const { return units_.at(static_cast<std::size_t>(column)); }
  plant::Day DayAt(int row) const { return first_ + std::chrono::days(row); }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : days_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(units_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!catalogue_ || !index.isValid()) return {};
    const plant::DayFile* file = catalogue_->Find(UnitAt(index.column()), DayAt(index.row()));
    if (!file) return {};
    switch (role) {
      case Qt::DisplayRole:
        return QString::number(file->Records());
      case Qt::BackgroundRole:
        return file->Records() > 0 ? QColor(0xc8, 0xe6, 0xc9) : QColor(0xff, 0xe0, 0xb2);
      case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
      case Qt::ToolTipRole:
        return QString::fromStdString(file->name) + u'\n' + QString::number(file->Records()) +
               u' ' + hint_;
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return UnitText(UnitAt(section));
    return QString::fromStdString(plant::DayText(DayAt(section)));
  }

 private:
  QString hint_;
  std::shared_ptr<const plant::FolderCatalogue> catalogue_;
  std::vector<int> units_;
  plant::Day first_{};
  int days_ = 0;
};

// What a listing on the worker gives the window.
struct CatalogueWindow::Result {
  std::shared_ptr<plant::FolderCatalogue> catalogue;
  plant::CatalogueChanges changes;
  bool first = false;
  bool listed = false;
};

CatalogueWindow::CatalogueWindow(const StringLookup& strings, const std::filesystem::path& folder,
                                 SpanOpener openSpan, QWidget* parent)
    : QMdiSubWindow(parent), strings_(strings), folder_(folder), openSpan_(std::move(openSpan)) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto text = [&strings](int id) { return FromCp1250(strings.Text(id)); };
  setWindowTitle(text(sid::kCatalogueCaption) + FromFileSystemPath(folder));

  auto* body = new QSplitter(Qt::Vertical);
  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(4, 4, 4, 4);
  auto* daysHeading = new QLabel(text(sid::kCatalogueDays));
  daysHeading->setStyleSheet(QStringLiteral("font-weight: bold"));
  topLayout->addWidget(daysHeading);

  model_ = new CalendarModel(text(sid::kCatalogueRecordsHint), this);
  Calendar = new QTableView;
  Calendar->setModel(model_);
  Calendar->setSelectionMode(QAbstractItemView::ContiguousSelection);
  Calendar->horizontalHeader()->setDefaultSectionSize(44);
  Calendar->verticalHeader()->setDefaultSectionSize(20);
  Calendar->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Calendar->setToolTip(text(sid::kCatalogueRecordsHint));
  topLayout->addWidget(Calendar, 1);
  connect(Calendar->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CatalogueWindow::TakeSelection);
  connect(Calendar, &QTableView::doubleClicked, this, [this] {
    TakeSelection();
    OpenChosenSpan();
  });

  auto* fields = new QHBoxLayout;
  unit_ = new QComboBox;
  from_ = new QDateEdit;
  to_ = new QDateEdit;
  for (QDateEdit* edit : {from_, to_}) {
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
  }
  open_ = new QPushButton(text(sid::kCatalogueOpenSpan));
  open_->setEnabled(false);
  connect(open_, &QPushButton::clicked, this, &CatalogueWindow::OpenChosenSpan);
  summarize_ = new QPushButton(FromCp1250(TitleOfCaption(strings.Text(sid::kDailySummary))));
  summarize_->setEnabled(false);
  summarize_->hide();
  connect(summarize_, &QPushButton::clicked, this, &CatalogueWindow::SummarizeChosenSpan);
  fields->addWidget(new QLabel(text(sid::kCatalogueUnit)));
  fields->addWidget(unit_);
  fields->addWidget(new QLabel(text(sid::kCatalogueFrom)));
  fields->addWidget(from_);
  fields->addWidget(new QLabel(text(sid::kCatalogueTo)));
  fields->addWidget(to_);
  fields->addWidget(open_);
  chart_ = new QPushButton(text(sid::kSpanChartButton));
  chart_->setToolTip(text(sid::kSpanChartButtonHint));
  chart_->setEnabled(false);
  chart_->hide();
  connect(chart_, &QPushButton::clicked, this, &CatalogueWindow::ChartChosenSpan);
  fields->addWidget(chart_);
  fields->addWidget(summarize_);
  fields->addStretch(1);
  topLayout->addLayout(fields);
  body->addWidget(top);

  auto* lists = new QWidget;
  auto* listsLayout = new QHBoxLayout(lists);
  listsLayout->setContentsMargins(4, 0, 4, 4);
  auto namedList = [&](int heading, QTreeWidget*& list) {
    auto* group = new QGroupBox(text(heading));
    auto* layout = new QVBoxLayout(group);
    list = new QTreeWidget;
    list->setHeaderLabels({text(sid::kCatalogueName), text(sid::kCatalogueSize)});
    list->setRootIsDecorated(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setStretchLastSection(false);
    layout->addWidget(list);
    listsLayout->addWidget(group);
  };
  namedList(sid::kCatalogueEvents, EventList);
  namedList(sid::kCatalogueOthers, OtherList);
  body->addWidget(lists);
  body->setStretchFactor(0, 3);
  body->setStretchFactor(1, 1);
  setWidget(body);

  follow_ = new QTimer(this);
  follow_->setInterval(kFollowMilliseconds);
  connect(follow_, &QTimer::timeout, this, &CatalogueWindow::Refresh);
  StartListing();
}

CatalogueWindow::~CatalogueWindow() {
  // The worker's result is posted to this window, which drops it once gone.
  if (worker_.joinable()) worker_.join();
}

void CatalogueWindow::Refresh() {
  if (!listing_) StartListing();
}

void CatalogueWindow::StartListing() {
  if (worker_.joinable()) worker_.join();
  listing_ = true;
  auto result = std::make_shared<Result>();
  result->first = catalogue_ == nullptr;
  // The worker lists into a copy; the calendar keeps drawing the catalogue it shows.
  result->catalogue = catalogue_ ? std::make_shared<plant::FolderCatalogue>(*catalogue_)
                                 : std::make_shared<plant::FolderCatalogue>(folder_);
  worker_ = std::thread([this, result] {
    if (result->first)
      result->listed = result->catalogue->Read();
    else {
      result->changes = result->catalogue->Refresh();
      result->listed = result->catalogue->ErrorText().empty();
    }
    QMetaObject::invokeMethod(
        this, [this, result] { ShowListing(result); }, Qt::QueuedConnection);
  });
}

void CatalogueWindow::ShowListing(std::shared_ptr<Result> result) {
  listing_ = false;
  if (!result->listed) {
    if (result->first) emit listingFailed(QString::fromLocal8Bit(result->catalogue->ErrorText()));
    emit listingShown(false);
    return;
  }
  const plant::CatalogueChanges& changes = result->changes;
  if (!result->first && !changes.Any()) {
    emit listingShown(true);
    return;
  }
  const bool sameShape = catalogue_ && model_->SameShape(*result->catalogue) &&
                         changes.daysAppeared.empty() && changes.gone.empty();
  catalogue_ = result->catalogue;
  if (sameShape) {
    model_->Update(catalogue_, changes.daysGrown);
  } else {
    model_->Show(catalogue_);
    FillUnits();
    // The newest days are the ones a user following the folder looks at.
    if (result->first) Calendar->scrollToBottom();
  }
  if (result->first || !changes.eventsAppeared.empty() || !changes.eventsGrown.empty() ||
      changes.othersChanged || !changes.gone.empty())
    FillNamedLists();
  if (result->first) follow_->start();
  emit listingShown(true);
}

void CatalogueWindow::FillUnits() {
  const int chosen = unit_->currentData().isValid() ? unit_->currentData().toInt() : -1;
  unit_->clear();
  for (int unit : catalogue_->Units()) unit_->addItem(UnitText(unit), unit);
  if (const int at = unit_->findData(chosen); at >= 0) unit_->setCurrentIndex(at);
  open_->setEnabled(unit_->count() > 0);
  chart_->setEnabled(unit_->count() > 0);
  summarize_->setEnabled(unit_->count() > 0);
  const auto first = catalogue_->FirstDay();
  const auto last = catalogue_->LastDay();
  if (!first || !last) return;
  // A span may reach past the last day, for a view that follows the days still to come.
  for (QDateEdit* edit : {from_, to_})
    edit->setDateRange(ToQDate(*first), ToQDate(*last + std::chrono::days(366)));
  if (chosen < 0) {
    // A first choice: the unit's last week.
    from_->setDate(ToQDate(std::max(*first, *last - std::chrono::days(6))));
    to_->setDate(ToQDate(*last));
  }
}

void CatalogueWindow::FillNamedLists() {
  auto fill = [](QTreeWidget* list, const auto& files, auto note) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& file : files) {
      auto* item = new QTreeWidgetItem(
          {QString::fromStdString(file.name) + note(file), QString::number(file.size)});
      item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
      item->setToolTip(0, FromFileSystemPath(file.path));
      items << item;
    }
    list->addTopLevelItems(items);
  };
  fill(EventList, catalogue_->EventArchives(),
       [](const plant::CatalogueFile&) { return QString(); });
  const QString copy = FromCp1250(strings_.Text(sid::kCatalogueSecondCopy));
  fill(OtherList, catalogue_->OtherFiles(), [&copy](const plant::OtherFile& file) {
    return file.reason == plant::OtherReason::kSecondCopy ? copy : QString();
  });
}

void CatalogueWindow::TakeSelection() {
  const QModelIndexList cells = Calendar->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return;
  const int column = Calendar->currentIndex().isValid() ? Calendar->currentIndex().column()
                                                        : cells.front().column();
  int firstRow = -1, lastRow = -1;
  for (const QModelIndex& cell : cells) {
    if (cell.column() != column) continue;
    if (firstRow < 0 || cell.row() < firstRow) firstRow = cell.row();
    lastRow = std::max(lastRow, cell.row());
  }
  if (firstRow < 0) return;
  ChooseSpan(model_->UnitAt(column), model_->DayAt(firstRow), model_->DayAt(lastRow));
}

void CatalogueWindow::ChooseSpan(int unit, plant::Day from, plant::Day to) {
  if (const int at = unit_->findData(unit); at >= 0) unit_->setCurrentIndex(at);
  from_->setDate(ToQDate(from));
  to_->setDate(ToQDate(to));
}

bool CatalogueWindow::ChosenDays(int& unit, plant::Day& from, plant::Day& to) const {
  if (!catalogue_ || !unit_->currentData().isValid()) return false;
  unit = unit_->currentData().toInt();
  from = FromQDate(from_->date());
  to = FromQDate(to_->date());
  if (to < from) std::swap(from, to);
  return true;
}

std::optional<DaySpan> CatalogueWindow::ChosenSpan() const {
  int unit = 0;
  plant::Day from{}, to{};
  if (!ChosenDays(unit, from, to)) return std::nullopt;
  DaySpan span{UnitText(unit).toStdString(), plant::DayText(from), plant::DayText(to), {}};
  for (const plant::DayFile* file : catalogue_->Span(unit, from, to))
    span.files.push_back(file->path);
  return span;
}

void CatalogueWindow::SetSummaryOpener(SummaryOpener openSummary) {
  openSummary_ = std::move(openSummary);
  summarize_->setVisible(openSummary_ != nullptr);
}

void CatalogueWindow::SummarizeChosenSpan() {
  int unit = 0;
  plant::Day from{}, to{};
  if (!openSummary_ || !ChosenDays(unit, from, to)) return;
  openSummary_(plant::SummaryFilesOfCatalogue(*catalogue_, unit, from, to));
}

void CatalogueWindow::OpenChosenSpan() {
  if (std::optional<DaySpan> span = ChosenSpan()) openSpan_(std::move(*span));
}

void CatalogueWindow::SetSpanCharter(SpanCharter chartSpan) {
  chartSpan_ = std::move(chartSpan);
  chart_->setVisible(static_cast<bool>(chartSpan_));
}

void CatalogueWindow::ChartChosenSpan() {
  std::optional<DaySpan> span = ChosenSpan();
  if (!span || !chartSpan_) return;
  std::vector<std::filesystem::path> archives;
  for (const plant::CatalogueFile& file : catalogue_->EventArchives())
    archives.push_back(file.path);
  chartSpan_(std::move(*span), std::move(archives));
}

}  // namespace telvoran
