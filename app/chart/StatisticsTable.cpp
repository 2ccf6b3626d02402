#include "app/chart/StatisticsTable.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include "app/ProgramState.h"
#include "app/QtText.h"
#include "core/chart/ChannelStatistics.h"
#include "core/chart/ChannelValue.h"
#include "core/chart/IntervalSeries.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

constexpr int kColumns = 7;

QIcon Swatch(const QColor& colour) {
  QPixmap pixmap(12, 12);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

QTableWidgetItem* ReadOnlyItem(const QString& text, Qt::Alignment alignment) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace

StatisticsTable::StatisticsTable(const ProgramState& state, int channels, QWidget* parent)
    : QTableWidget(channels, kColumns, parent) {
  setHorizontalHeaderLabels({state.Text(sid::kChartChannel), state.Text(sid::kChartCount),
                             state.Text(sid::kChartMinimum), state.Text(sid::kChartTime),
                             state.Text(sid::kChartMaximum), state.Text(sid::kChartTime),
                             state.Text(sid::kChartMean)});
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
  for (int row = 0; row < channels; ++row)
    for (int column = 0; column < kColumns; ++column)
      setItem(row, column,
              ReadOnlyItem(QString(), column == kChannel ? Qt::AlignLeft : Qt::AlignRight));
}

void StatisticsTable::SetChannel(int row, const QString& label, const QColor& colour) {
  item(row, kChannel)->setText(label);
  item(row, kChannel)->setIcon(Swatch(colour));
}

void StatisticsTable::Show(int row, const ChannelStatistics& statistics, const ChannelInfo& channel,
                           bool channelShown) {
  // Each change of a cell would lay the columns out and repaint on its own: the row's cells
  // change quietly, and the table hears of them once.
  {
    const QSignalBlocker quiet(model());
    SetRow(row, statistics, channel, channelShown);
  }
  emit model()->dataChanged(model()->index(row, 0), model()->index(row, kColumns - 1));
}

void StatisticsTable::SetRow(int row, const ChannelStatistics& statistics,
                             const ChannelInfo& channel, bool channelShown) {
  const bool any = statistics.count > 0;
  auto number = [&](double value, int decimals) {
    return any ? QString::fromStdString(FormatChannelNumber(value, decimals, channel.comma))
               : QString();
  };
  auto time = [&](ArchiveSeconds seconds) {
    return any ? QString::fromStdString(FormatArchiveTime(seconds)) : QString();
  };
  item(row, kCount)->setText(QString::number(statistics.count));
  item(row, kMinimum)->setText(number(statistics.minimum, channel.decimals));
  item(row, kMinimumTime)->setText(time(statistics.minimumTime));
  item(row, kMaximum)->setText(number(statistics.maximum, channel.decimals));
  item(row, kMaximumTime)->setText(time(statistics.maximumTime));
  item(row, kMean)->setText(number(statistics.mean, channel.decimals + 1));
  const QColor text =
      palette().color(channelShown ? QPalette::Active : QPalette::Disabled, QPalette::Text);
  for (int column = 0; column < kColumns; ++column) item(row, column)->setForeground(text);
}

QSize StatisticsTable::sizeHint() const {
  const int height = horizontalHeader()->sizeHint().height() +
                     rowCount() * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
  return {QTableWidget::sizeHint().width(), height};
}

QString StatisticsTable::Cell(int row, Column column) const {
  return item(row, column)->text();
}

}  // namespace telvoran
