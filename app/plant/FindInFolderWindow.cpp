#include "app/plant/FindInFolderWindow.h"

#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <chrono>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/commands/OpenArchive.h"
#include "app/dialogs/UserDialogs.h"
#include "app/plant/UnreadableFiles.h"
#include "app/views/DataView.h"
#include "core/platform/Utf8Path.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

constexpr int kPollMs = 100;

plant::Day DayOf(const QDate& date) {
  return plant::Day(std::chrono::year_month_day(std::chrono::year(date.year()),
                                                std::chrono::month(unsigned(date.month())),
                                                std::chrono::day(unsigned(date.day()))));
}

QDate ToQDate(plant::Day day) {
  const std::chrono::year_month_day date(day);
  return QDate(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
               static_cast<int>(unsigned(date.day())));
}

QString CaptionOf(const ProgramState& state) {
  QString caption = state.Text(sid::kFindInFolder);
  caption.remove(u'&');
  while (caption.endsWith(u'.')) caption.chop(1);
  return caption;
}

}  // namespace

FindInFolderWindow::FindInFolderWindow(ProgramState& state, QMdiArea& area, const QString& folder)
    : state_(state), area_(area) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("FindInFolder");
  setWindowTitle(CaptionOf(state));
  auto* body = new QWidget;
  auto* grid = new QGridLayout(body);
  FolderLine = new QLineEdit(folder);
  TextLine = new QLineEdit;
  FindButton = new QPushButton(state.Text(sid::kFindStart));
  FindButton->setDefault(true);
  Progress = new QProgressBar;
  Progress->setRange(0, 1);
  Progress->setValue(0);
  CountLabel = new QLabel;
  AllArchives = new QRadioButton(state.Text(sid::kFindAllArchives));
  AllArchives->setChecked(true);
  UnitDays = new QRadioButton(state.Text(sid::kFindUnitDays));
  UnitBox = new QSpinBox;
  UnitBox->setRange(0, 99);
  UnitBox->setValue(1);
  FromDate = new QDateEdit(QDate::currentDate().addDays(-6));
  ToDate = new QDateEdit(QDate::currentDate());
  for (QDateEdit* edit : {FromDate, ToDate}) {
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
  }
  auto* scope = new QHBoxLayout;
  scope->addWidget(AllArchives);
  scope->addSpacing(12);
  scope->addWidget(UnitDays);
  scope->addWidget(UnitBox);
  scope->addWidget(new QLabel(state.Text(sid::kCatalogueFrom)));
  scope->addWidget(FromDate);
  scope->addWidget(new QLabel(state.Text(sid::kCatalogueTo)));
  scope->addWidget(ToDate);
  scope->addStretch(1);
  OfferActiveDays(area);
  // Changing a field of the unit's days chooses them.
  connect(UnitBox, &QSpinBox::valueChanged, UnitDays, [this] { UnitDays->setChecked(true); });
  connect(FromDate, &QDateEdit::dateChanged, UnitDays, [this] { UnitDays->setChecked(true); });
  connect(ToDate, &QDateEdit::dateChanged, UnitDays, [this] { UnitDays->setChecked(true); });
  Results = new QListWidget;
  Results->setUniformItemSizes(true);
  Results->setFont(QFont("Monospace"));
  grid->addWidget(new QLabel(state.Text(sid::kFindFolderLabel)), 0, 0);
  grid->addWidget(FolderLine, 0, 1, 1, 2);
  grid->addWidget(new QLabel(state.Text(sid::kFindTextLabel)), 1, 0);
  grid->addWidget(TextLine, 1, 1);
  grid->addWidget(FindButton, 1, 2);
  grid->addLayout(scope, 2, 0, 1, 3);
  grid->addWidget(Progress, 3, 0, 1, 2);
  grid->addWidget(CountLabel, 3, 2);
  grid->addWidget(Results, 4, 0, 1, 3);
  setWidget(body);
  resize(640, 420);

  connect(FindButton, &QPushButton::clicked, this, &FindInFolderWindow::StartOrStop);
  connect(TextLine, &QLineEdit::returnPressed, this, [this] {
    if (!Searching()) StartOrStop();
  });
  connect(Results, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenFound(item->data(Qt::UserRole).toInt()); });
  connect(&poll_, &QTimer::timeout, this, &FindInFolderWindow::TakeFindings);
  ShowCounts();
}

FindInFolderWindow::~FindInFolderWindow() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void FindInFolderWindow::StartOrStop() {
  if (Searching()) {
    cancel_ = true;
    return;
  }
  const QString text = TextLine->text();
  if (text.isEmpty()) {
    state_.Dialogs().Beep();
    return;
  }
  Results->clear();
  found_.clear();
  foundCount_ = 0;
  searchedShown_ = 0;
  shownFiles_.clear();
  {
    std::lock_guard lock(mutex_);
    files_.clear();
    pending_.clear();
    filesDone_ = fileCount_ = 0;
    listed_ = false;
    outcome_.reset();
  }
  cancel_ = false;
  Progress->setRange(0, 0);  // busy until the folder is listed
  FindButton->setText(state_.Text(sid::kFindStop));
  ShowCounts();

  const std::filesystem::path folder = ToFileSystemPath(FolderLine->text());
  const std::string utf8 = text.toStdString();
  const StringLookup& strings = state_.Strings();
  // Only the unit's days are listed when they are chosen, from their names.
  std::optional<std::tuple<int, plant::Day, plant::Day>> unitDays;
  if (UnitDays->isChecked()) {
    plant::Day from = DayOf(FromDate->date());
    plant::Day to = DayOf(ToDate->date());
    if (to < from) std::swap(from, to);
    unitDays.emplace(UnitBox->value(), from, to);
  }
  searchedUnitDays_ = unitDays.has_value();
  worker_ = std::thread([this, folder, utf8, &strings, unitDays] {
    std::vector<std::filesystem::path> files =
        unitDays ? UnitArchivesInFolder(folder, std::get<0>(*unitDays), std::get<1>(*unitDays),
                                        std::get<2>(*unitDays))
                 : ArchivesInFolder(folder);
    {
      std::lock_guard lock(mutex_);
      files_ = files;
      fileCount_ = files.size();
      listed_ = true;
    }
    SearchListener listener;
    // Called with the search's own lock held: only this window's lock is taken here.
    listener.found = [this](std::vector<FoundRow> rows) {
      std::lock_guard lock(mutex_);
      for (FoundRow& row : rows) pending_.push_back(std::move(row));
    };
    listener.progress = [this](std::size_t done) {
      std::lock_guard lock(mutex_);
      filesDone_ = done;
    };
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    SearchOutcome outcome = SearchArchives(files, utf8, strings, listener, &cancel_, threads);
    std::lock_guard lock(mutex_);
    outcome_ = std::move(outcome);
  });
  poll_.start(kPollMs);
}

// The unit and days of the active interval view are offered, without choosing them: a span's
// own, or a day's archive's unit and day.
void FindInFolderWindow::OfferActiveDays(QMdiArea& area) {
  const auto* view = qobject_cast<const DataView*>(area.activeSubWindow());
  if (!view) return;
  if (const DaySpan* span = view->Document().Span()) {
    const std::optional<plant::Day> from = plant::DayFromText(span->from);
    const std::optional<plant::Day> to = plant::DayFromText(span->to);
    bool number = false;
    const int unit = QString::fromStdString(span->unit).toInt(&number);
    if (!from || !to || !number) return;
    UnitBox->setValue(unit);
    FromDate->setDate(ToQDate(*from));
    ToDate->setDate(ToQDate(*to));
  } else if (const std::optional<plant::DayAndUnit> named =
                 plant::DayAndUnitOfName(Utf8FromPath(view->FilePath().filename()))) {
    UnitBox->setValue(named->unit);
    FromDate->setDate(ToQDate(named->day));
    ToDate->setDate(ToQDate(named->day));
  }
}

void FindInFolderWindow::ChooseUnitDays(int unit, const QDate& from, const QDate& to) {
  UnitBox->setValue(unit);
  FromDate->setDate(from);
  ToDate->setDate(to);
  UnitDays->setChecked(true);
}

void FindInFolderWindow::TakeFindings() {
  std::vector<FoundRow> taken;
  std::size_t done = 0;
  std::size_t count = 0;
  bool listed = false;
  bool finished = false;
  {
    std::lock_guard lock(mutex_);
    taken.swap(pending_);
    done = filesDone_;
    count = fileCount_;
    listed = listed_;
    finished = outcome_.has_value();
    if (listed && shownFiles_.size() != files_.size()) shownFiles_ = files_;
  }
  if (listed) {
    Progress->setRange(0, static_cast<int>(std::max<std::size_t>(count, 1)));
    Progress->setValue(static_cast<int>(count ? done : 1));
    searchedShown_ = done;
  }
  const QDir base(FolderLine->text());
  Results->setUpdatesEnabled(false);
  for (FoundRow& row : taken) {
    ++foundCount_;
    if (found_.size() >= kListedRows) continue;
    const QString file = base.relativeFilePath(FromFileSystemPath(shownFiles_[row.file]));
    auto* item =
        new QListWidgetItem(file + QStringLiteral("  #") + QString::number(row.record + 1) +
                            QStringLiteral("  ") + FromCp1250(row.text));
    item->setData(Qt::UserRole, static_cast<int>(found_.size()));
    Results->addItem(item);
    found_.push_back(std::move(row));
  }
  Results->setUpdatesEnabled(true);
  ShowCounts();
  if (finished) Finish();
}

void FindInFolderWindow::ShowCounts() {
  CountLabel->setText(state_.Text(sid::kFindFound) + QString::number(foundCount_) + "   " +
                      state_.Text(sid::kFindSearched) + QString::number(searchedShown_));
}

void FindInFolderWindow::Finish() {
  poll_.stop();
  worker_.join();
  SearchOutcome outcome;
  {
    std::lock_guard lock(mutex_);
    outcome = std::move(*outcome_);
    outcome_.reset();
  }
  FindButton->setText(state_.Text(sid::kFindStart));
  Progress->setRange(0, std::max(1, Progress->maximum()));
  searchedShown_ = outcome.filesSearched;
  ShowCounts();
  const QString caption = windowTitle();
  if (shownFiles_.empty() && !outcome.cancelled) {
    const int said = searchedUnitDays_ ? sid::kSpanNoDay : sid::kFindNoArchive;
    state_.Dialogs().Message(this, caption, state_.Text(said) + "\n" + FolderLine->text());
  } else if (!outcome.unreadable.empty()) {
    const QString text = UnreadableFilesText(state_, std::move(outcome.unreadable));
    state_.Dialogs().Error(this, caption, text);
  }
  emit searchFinished();
}

void FindInFolderWindow::WaitUntilDone() {
  while (Searching()) {
    TakeFindings();
    if (Searching()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void FindInFolderWindow::OpenFound(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= found_.size()) return;
  const FoundRow& row = found_[static_cast<std::size_t>(index)];
  const std::filesystem::path path = shownFiles_[row.file];
  commands::OpenArchiveFile(state_, area_, FromFileSystemPath(path));
  auto* view = qobject_cast<DataView*>(area_.currentSubWindow());
  if (!view || view->FilePath() != path) return;
  const ViewContent& content = view->Content();
  // The row of that record; an event row dropped as a repeat shows as the row it repeats.
  std::optional<std::size_t> storeRow;
  for (std::size_t r = 0; r < content.rows.Size() && !storeRow; ++r)
    if (content.rows.RecordIndexAt(r) == row.record) storeRow = r;
  if (!storeRow && row.record < content.rows.RecordCount()) {
    const ArchiveRecord& wanted = content.rows.Record(row.record);
    for (std::size_t r = 0; r < content.rows.Size() && !storeRow; ++r)
      if (content.rows.RecordAt(r).bytes == wanted.bytes) storeRow = r;
  }
  if (!storeRow) return;
  const std::optional<std::size_t> shown = content.shown.ShownRowOf(*storeRow);
  if (!shown) return;
  const QModelIndex at = view->List()->model()->index(static_cast<int>(*shown), 0);
  view->List()->setCurrentIndex(at);
  view->List()->scrollTo(at, QAbstractItemView::PositionAtCenter);
}

}  // namespace telvoran
