#include "app/views/DataView.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <thread>

#include "app/QtText.h"
#include "app/dialogs/DialogReporter.h"
#include "app/views/EmptyFilterNote.h"
#include "app/views/FileFollower.h"
#include "app/views/FilterBar.h"
#include "app/views/HeaderPanel.h"
#include "app/views/RowDelegates.h"
#include "app/views/RowListModel.h"
#include "app/work/LongWork.h"
#include "core/platform/LargeBuffer.h"
#include "core/text/StringIds.h"
#include "core/text/StringLookup.h"
#include "core/work/WorkProgress.h"

namespace telvoran {
namespace {

constexpr int kTitlePanelHeight = 24;
// Characters measured together, so that the advance keeps the fraction the list draws with.
constexpr int kMeasuredCharacters = 100;

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

QString DataView::ReplacedFileNote() const {
  const StringLookup& strings = document_->Strings();
  return FromCp1250(strings.Text(sid::kFollowFileReplaced)) + FromCp1250(document_->FileName());
}

DataView::DataView(std::unique_ptr<ArchiveDocument> document, const Layout& layout)
    : document_(std::move(document)),
      viewKind_(layout.kind),
      content_(document_->Content()),
      panelSpans_(layout.panelSpans.begin(), layout.panelSpans.end()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(layout.caption));

  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  filterBar_ = new FilterBar(document_->Strings(), layout.situationCodes);
  column->addWidget(filterBar_);
  connect(filterBar_, &FilterBar::filterChanged, this, &DataView::FilterChanged);
  auto* closeFilter = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  closeFilter->setContext(Qt::WidgetWithChildrenShortcut);
  connect(closeFilter, &QShortcut::activated, this, &DataView::HideFilter);

  titlePanel_ = new QLabel;
  titlePanel_->setFixedHeight(kTitlePanelHeight);
  titlePanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  titlePanel_->setLineWidth(1);
  titlePanel_->setAlignment(Qt::AlignCenter);
  titlePanel_->setFont(PanelFont(true));
  titlePanel_->setText("TitlePanel");
  column->addWidget(titlePanel_);
  column->addWidget(BuildPanelStrip(layout));
  // The panels are titled from the document; a caption it lacks is the built-in one.
  for (std::size_t i = content_.columnCaptions.size(); i < layout.panelCaptions.size(); ++i)
    content_.columnCaptions.emplace_back(layout.panelCaptions[i]);
  for (int number = 1; number <= PanelCount(); ++number)
    Panel(number)->SetCaption(content_.columnCaptions[static_cast<std::size_t>(number - 1)]);
  titlePanel_->setText(FromCp1250(content_.title));

  listBox_ = new RowListView(kItemHeight);
  listBox_->setFont(ListFont());
  listBox_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  listBox_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  model_ = new RowListModel(content_, this);
  listBox_->setModel(model_);
  column->addWidget(listBox_, 1);
  new EmptyFilterNote(*this, FromCp1250(document_->Strings().Text(sid::kFilterNoRow)));
  // The keyboard works the list whenever the view has the focus.
  body->setFocusProxy(listBox_);
  connect(listBox_->horizontalScrollBar(), &QScrollBar::valueChanged, panelRow_,
          [this](int offset) { panelRow_->move(-offset, 0); });

  setWidget(body);
  FitPanelsToColumns();
  document_->SetObserver(this);
}

DataView::~DataView() {
  StopFilterWork();
  document_->SetObserver(nullptr);
  // Once the window and what it held are gone, the heap's freed blocks go back to the system.
  QTimer::singleShot(0, QCoreApplication::instance(), &platform::ReturnFreedMemory);
}

QWidget* DataView::BuildPanelStrip(const Layout& layout) {
  auto* strip = new QWidget;
  strip->setFixedHeight(layout.panelHeight);
  panelRow_ = new QWidget(strip);
  auto* panelLayout = new QHBoxLayout(panelRow_);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->setSpacing(0);
  for (std::size_t i = 0; i < layout.panelSpans.size(); ++i) {
    auto* panel = new HeaderPanel;
    panel->setFont(PanelFont(false));
    panel->setFixedHeight(layout.panelHeight);
    panel->SetCaption(layout.panelCaptions[i]);
    panel->SetHint("Sortuje dane wed\xB3ug przyci\x9Cni\xEAtego panelu");
    const int number = static_cast<int>(i) + 1;
    connect(panel, &HeaderPanel::clicked, this, [this, number] { SortBy(number); });
    panels_.push_back(panel);
    panelLayout->addWidget(panel);
  }
  return strip;
}

// Shaping the measured text took a look at a followed file a few percent of its time: it is
// measured again only when the font or the resolution changed.
double DataView::CharacterAdvance() const {
  const QFont font = listBox_->font();
  const int dpi = listBox_->viewport()->logicalDpiX();
  const double pixelRatio = listBox_->viewport()->devicePixelRatioF();
  if (!measuredAdvance_ || measuredAdvance_->dpi != dpi ||
      measuredAdvance_->pixelRatio != pixelRatio || measuredAdvance_->font != font) {
    const QFontMetricsF metrics(font, listBox_->viewport());
    measuredAdvance_ = MeasuredAdvance{
        font, dpi, pixelRatio,
        metrics.horizontalAdvance(QString(kMeasuredCharacters, u'0')) / kMeasuredCharacters};
  }
  return measuredAdvance_->advance;
}

void DataView::FitPanelsToColumns() {
  // Each panel boundary is rounded on its own, so the panels never drift from the columns.
  const double advance = CharacterAdvance();
  int characters = 0;
  int left = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    characters += panelSpans_[i];
    const int right = static_cast<int>(std::lround(characters * advance));
    panels_[i]->setFixedWidth(right - left);
    left = right;
  }
  panelRow_->setFixedSize(left, panels_.empty() ? 0 : panels_.front()->height());
}

void DataView::SetRowDelegate(RowDelegate* delegate) {
  delegate_ = delegate;
  listBox_->setItemDelegate(delegate);
  FitRowWidth();
}

// One character more than the widest text, so that its last letter does not touch the edge.
void DataView::FitRowWidth() {
  if (!delegate_) return;
  const auto characters = static_cast<double>(content_.WidestDisplayTextLength() + 1);
  const int width = static_cast<int>(std::ceil(characters * CharacterAdvance()));
  delegate_->SetRowWidth(width);
  listBox_->SetRowWidth(width);
}

HeaderPanel* DataView::Panel(int number) const {
  return panels_.at(static_cast<std::size_t>(number - 1));
}

void DataView::SetPanelHint(int number, std::string_view hint) {
  Panel(number)->SetHint(hint);
}

void DataView::SetCaption(std::string_view caption) {
  content_.caption = caption;
  setWindowTitle(FromCp1250(caption));
}

// The row width is set while the model is reset, so the list lays its rows out with it.
void DataView::RowsAboutToChange() {
  model_->BeginChange();
}

void DataView::RowsChanged() {
  FitRowWidth();
  if (insertingRows_) {
    insertingRows_ = false;
    model_->EndInsertByReset();
  } else {
    model_->EndChange();
  }
  ShowChangedRows();
}

void DataView::RowsAboutToBeInserted() {
  insertingRows_ = true;
  model_->BeginInsert();
}

// The widest text is measured on the new records only, so a look costs what it brought.
void DataView::RowsInserted(std::span<const RowNumber> shownPlaces) {
  insertingRows_ = false;
  FitRowWidth();
  model_->EndInsert(shownPlaces);
  ShowChangedRows();
}

void DataView::ShowChangedRows() {
  switch (afterChange_) {
    case AfterChange::kStayAtTop:
      break;
    case AfterChange::kShowFirstRow:
      ShowFirstRow();
      break;
    case AfterChange::kKeepPlace:
      RestorePlace(placeBeforeChange_);
      break;
  }
  emit shownRowsChanged();
}

ArchiveDocument::Outcome DataView::ReadRows() {
  StopFilterWork();
  afterChange_ = AfterChange::kStayAtTop;
  const int column = content_.sortColumn;
  LongWork::Run(this, document_->Strings(), [this, column](WorkProgress& progress) {
    document_->ReadRowsAside(column, &progress);
  });
  return document_->TakeRowsReadAside();
}

bool DataView::ReloadRows() {
  return ReloadRowsBy(content_.sortColumn) == ArchiveDocument::Outcome::kComplete;
}

ArchiveDocument::Outcome DataView::ReloadRowsBy(int column) {
  // The filter typed is worked out again for the rows read.
  if (StopFilterWork()) FilterChanged();
  afterChange_ = AfterChange::kShowFirstRow;
  // The old rows stay in sight, and in place when the reading is cancelled.
  LongWork::Run(this, document_->Strings(), [this, column](WorkProgress& progress) {
    document_->RereadAside(column, &progress);
  });
  const ArchiveDocument::Outcome outcome = document_->TakeRowsReadAside();
  // The bevels follow the new column only after a full reading.
  if (outcome == ArchiveDocument::Outcome::kComplete) ShowSortColumn();
  return outcome;
}

void DataView::ShowFilter() {
  filterBar_->Open();
}

void DataView::HideFilter() {
  const bool hadFocus = filterBar_->isAncestorOf(QApplication::focusWidget());
  filterBar_->Close();
  if (hadFocus) listBox_->setFocus(Qt::OtherFocusReason);
}

bool DataView::FilterShown() const {
  return !filterBar_->isHidden();
}

struct DataView::FilterWork {
  std::uint64_t number = 0;
  RowFilter filter;
  WorkProgress progress;
  std::optional<std::vector<RowNumber>> selected;
  std::thread thread;
};

void DataView::FilterChanged() {
  if (content_.rows.Size() < kRowsFilteredAtOnce && !filterWork_) {
    ApplyFilter();
    return;
  }
  if (filterPending_) return;
  filterPending_ = true;
  QTimer::singleShot(0, this, &DataView::ApplyPendingFilter);
}

void DataView::ApplyPendingFilter() {
  // A save or printout running aside reads the shown rows: they change once it has ended.
  if (LongWork::Running()) {
    QTimer::singleShot(kPendingFilterRetryMs, this, &DataView::ApplyPendingFilter);
    return;
  }
  filterPending_ = false;
  if (!filterBar_->Filter().IsActive()) {
    StopFilterWork();
    ApplyFilter();
    return;
  }
  if (filterWork_) {
    filterWork_->progress.Cancel();
    filterAgain_ = true;
    return;
  }
  StartFilterWork();
}

void DataView::StartFilterWork() {
  filterAgain_ = false;
  auto work = std::make_unique<FilterWork>();
  work->number = ++filterWorkNumber_;
  work->filter = filterBar_->Filter();
  FilterWork& running = *work;
  running.thread = std::thread([this, &running] {
    running.selected = content_.shown.Select(running.filter, content_.rows, &running.progress);
    QMetaObject::invokeMethod(
        this, [this, number = running.number] { FilterWorked(number); }, Qt::QueuedConnection);
  });
  filterWork_ = std::move(work);
}

void DataView::FilterWorked(std::uint64_t number) {
  if (!filterWork_ || filterWork_->number != number) return;
  if (LongWork::Running()) {
    QTimer::singleShot(kPendingFilterRetryMs, this, [this, number] { FilterWorked(number); });
    return;
  }
  const std::unique_ptr<FilterWork> work = std::move(filterWork_);
  work->thread.join();
  if (filterAgain_ || !work->selected) {
    StartFilterWork();
    return;
  }
  // The current row and the rows in sight stay where they are still shown.
  const ListPlace place = SavePlace();
  model_->Change(
      [&] { content_.shown.Take(std::move(work->filter), std::move(*work->selected)); });
  RestorePlace(place);
  emit shownRowsChanged();
  // A look at a followed file waited for the filter.
  if (IsFollowing()) QTimer::singleShot(0, this, &DataView::FollowFile);
}

bool DataView::StopFilterWork() {
  if (!filterWork_) return false;
  filterWork_->progress.Cancel();
  filterWork_->thread.join();
  filterWork_.reset();
  filterAgain_ = false;
  return true;
}

// The current row and the rows in sight stay where they are still shown.
void DataView::ApplyFilter() {
  const ListPlace place = SavePlace();
  model_->Change([&] { content_.shown.SetFilter(filterBar_->Filter(), content_.rows); });
  RestorePlace(place);
  emit shownRowsChanged();
}

void DataView::ShowFirstRow() {
  listBox_->scrollToTop();
  const QModelIndex first = model_->index(0, 0);
  if (first.isValid())
    listBox_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
}

void DataView::ShowSortColumn() {
  for (int number = 1; number <= PanelCount(); ++number)
    Panel(number)->SetLowered(number == content_.sortColumn);
}

void DataView::SortBy(int column) {
  if (column == content_.sortColumn || !CanSortBy(column)) return;
  const FileInCaptions about(document_->Reporter(), FromFileSystemPath(content_.filePath));
  const ArchiveDocument::Outcome outcome = ReloadRowsBy(column);
  // The user has been told why the file could not be read; following it would only say so
  // again at the next look. A cancelled sort left everything as it was.
  if (outcome != ArchiveDocument::Outcome::kComplete &&
      outcome != ArchiveDocument::Outcome::kCancelled)
    SetFollowing(false);
}

void DataView::SetFollowing(bool follow) {
  if (follow == IsFollowing()) return;
  if (follow) {
    follower_ = new FileFollower(content_.filePath, this);
    connect(follower_, &FileFollower::mayHaveChanged, this, &DataView::FollowFile);
  } else {
    // This may run inside the follower's own signal.
    follower_->disconnect(this);
    follower_->deleteLater();
    follower_ = nullptr;
  }
  emit followingChanged(follow);
  // What was appended since the last reading shows at once.
  if (follow) FollowFile();
}

void DataView::FollowFile() {
  // A message box of this view's may be up, from within an earlier look: the next look
  // catches up.
  // Nor while long work runs, which may be reading this document.
  // Nor while the filter's rows are being chosen aside from them.
  if (!IsFollowing() || lookingAtFile_ || QApplication::activeModalWidget() || LongWork::Running() ||
      filterWork_)
    return;
  const QScopedValueRollback looking(lookingAtFile_, true);
  const FileInCaptions about(document_->Reporter(), FromFileSystemPath(content_.filePath));
  afterChange_ = AfterChange::kKeepPlace;
  placeBeforeChange_ = SavePlace();
  ArchiveDocument::Appended appended;
  if (document_->TakeNewDays()) {
    // A span read again for a new day reads all its days: aside, as an opening does.
    const int column = content_.sortColumn;
    LongWork::Run(this, document_->Strings(), [this, column](WorkProgress& progress) {
      document_->RereadAside(column, &progress);
    });
    const ArchiveDocument::Outcome outcome = document_->TakeRowsReadAside();
    // Cancelled, the old rows stay; the next look would only read the span again.
    if (outcome == ArchiveDocument::Outcome::kCancelled) {
      SetFollowing(false);
      return;
    }
    appended = outcome == ArchiveDocument::Outcome::kComplete
                   ? ArchiveDocument::Appended::kReadAgain
                   : ArchiveDocument::Appended::kStopped;
  } else {
    appended = document_->TakeAppended();
  }
  const bool replaced = appended == ArchiveDocument::Appended::kReplaced;
  if (replaced && !waitingForReplacedFile_) emit statusNote(ReplacedFileNote());
  waitingForReplacedFile_ = replaced;
  // The user has been told why the file could not be read further; following it would only
  // say so again at the next look.
  if (appended == ArchiveDocument::Appended::kStopped) SetFollowing(false);
}

DataView::ListPlace DataView::SavePlace() const {
  ListPlace place;
  auto textOf = [this](const QModelIndex& index) -> std::optional<std::string> {
    if (!index.isValid()) return std::nullopt;
    return std::string(model_->StoredText(index.row()));
  };
  const QModelIndex current = listBox_->currentIndex();
  place.current = textOf(current);
  place.currentSelected = listBox_->selectionModel()->isSelected(current);
  place.top = textOf(listBox_->indexAt(QPoint(0, 0)));
  const QScrollBar* vertical = listBox_->verticalScrollBar();
  place.atEnd = vertical->value() >= vertical->maximum();
  place.horizontal = listBox_->horizontalScrollBar()->value();
  return place;
}

QModelIndex DataView::NearestShownIndex(const std::optional<std::string>& rowText) const {
  const auto row = rowText ? FindRow(content_.rows, *rowText) : std::nullopt;
  const auto shown = row ? content_.shown.NearestShownRow(*row, content_.rows) : std::nullopt;
  return shown ? model_->index(static_cast<int>(*shown)) : QModelIndex();
}

void DataView::RestorePlace(const ListPlace& place) {
  auto indexOf = [this](const std::optional<std::string>& text) {
    const auto row = text ? FindRow(content_.rows, *text) : std::nullopt;
    const auto shown = row ? content_.shown.ShownRowOf(*row) : std::nullopt;
    return shown ? model_->index(static_cast<int>(*shown)) : QModelIndex();
  };
  if (const QModelIndex current = indexOf(place.current); current.isValid()) {
    listBox_->selectionModel()->setCurrentIndex(current, place.currentSelected
                                                             ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::NoUpdate);
  } else if (const QModelIndex nearest = NearestShownIndex(place.current); nearest.isValid()) {
    // The current row is filtered out: the keyboard goes on from the row shown nearest to it.
    listBox_->selectionModel()->setCurrentIndex(nearest, QItemSelectionModel::NoUpdate);
  }
  if (place.atEnd) {
    listBox_->scrollToBottom();
  } else if (const QModelIndex top = indexOf(place.top); top.isValid()) {
    listBox_->scrollTo(top, QAbstractItemView::PositionAtTop);
  }
  listBox_->horizontalScrollBar()->setValue(place.horizontal);
}

bool DataView::CanSortBy(int) const {
  return true;
}

}  // namespace telvoran
