#include "app/plant/DailySummaryWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QStackedWidget>
#include <QTableWidget>
#include <QThread>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "app/dialogs/UserDialogs.h"
#include "app/plant/UnreadableFiles.h"
#include "core/text/StringIds.h"

namespace telvoran {

DailySummaryWindow::DailySummaryWindow(ProgramState& state, SummaryFiles files)
    : state_(state), files_(std::move(files)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("DailySummary");
  DailySummary heading;
  heading.unit = files_.unit;
  heading.firstDay = files_.firstDay;
  heading.lastDay = files_.lastDay;
  setWindowTitle(FromCp1250(TitleOfCaption(state.Strings().Text(sid::kDailySummary)) + " - " +
                            SummaryReport::SpanCaption(heading, state.Strings())));
  auto* stack = new QStackedWidget;
  WaitLabel = new QLabel(QStringLiteral("..."));
  WaitLabel->setAlignment(Qt::AlignCenter);
  Table = new QTableWidget;
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 4);
  stack->addWidget(WaitLabel);
  stack->addWidget(Table);
  setWidget(stack);
  resize(760, 420);

  const StringLookup& strings = state.Strings();
  worker_ =
      QThread::create([this, &strings] { summary_ = SummarizeDays(files_, strings, &cancel_); });
  connect(worker_, &QThread::finished, this, &DailySummaryWindow::Show);
  worker_->start();
}

DailySummaryWindow::~DailySummaryWindow() {
  cancel_ = true;
  worker_->wait();
  delete worker_;
}

void DailySummaryWindow::WaitUntilReady() {
  worker_->wait();
  if (!Ready()) Show();
}

void DailySummaryWindow::Show() {
  if (Ready() || summary_.cancelled) return;
  report_ = std::make_unique<SummaryReport>(summary_, state_.Strings());
  const std::vector<std::string>& titles = report_->ColumnTitles();
  Table->setColumnCount(static_cast<int>(titles.size()));
  QStringList headings;
  for (const std::string& title : titles) headings << FromCp1250(title);
  Table->setHorizontalHeaderLabels(headings);
  Table->setRowCount(static_cast<int>(report_->RowCount()));
  for (std::size_t row = 0; row < report_->RowCount(); ++row) {
    const std::vector<std::string>& fields = report_->Fields(row);
    for (std::size_t column = 0; column < fields.size(); ++column) {
      auto* item = new QTableWidgetItem(FromCp1250(fields[column]));
      if (column >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Table->setItem(static_cast<int>(row), static_cast<int>(column), item);
    }
  }
  Table->resizeColumnsToContents();
  static_cast<QStackedWidget*>(widget())->setCurrentWidget(Table);
  if (!summary_.unreadable.empty()) {
    state_.Dialogs().Error(this, windowTitle(), UnreadableFilesText(state_, summary_.unreadable));
  }
  emit ready();
}

}  // namespace telvoran
