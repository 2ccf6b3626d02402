#pragma once

#include <QTableWidget>

namespace telvoran {

class ProgramState;
struct ChannelInfo;
struct ChannelStatistics;

// The small table beside a channel chart: per channel its count, minimum with its time,
// maximum with its time and mean over the visible span. A hidden channel's row is greyed.
class StatisticsTable : public QTableWidget {
  Q_OBJECT

 public:
  enum Column { kChannel, kCount, kMinimum, kMinimumTime, kMaximum, kMaximumTime, kMean };

  StatisticsTable(const ProgramState& state, int channels, QWidget* parent = nullptr);

  void SetChannel(int row, const QString& label, const QColor& colour);
  void Show(int row, const ChannelStatistics& statistics, const ChannelInfo& channel,
            bool channelShown);
  // The text of a cell, as shown.
  QString Cell(int row, Column column) const;
  // Room for the header and every channel's row, and no more.
  QSize sizeHint() const override;

 private:
  void SetRow(int row, const ChannelStatistics& statistics, const ChannelInfo& channel,
              bool channelShown);
};

}  // namespace telvoran
