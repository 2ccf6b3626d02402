#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QList>
#include <QString>

#include <cmath>
#include <functional>
#include <vector>

#include "core/chart/IntervalSeries.h"

class QAbstractAxis;
class QChart;
class QGraphicsItem;
class QLegendMarker;
class QLineSeries;
class QObject;
class QRectF;
class QValueAxis;

namespace telvoran {

class ChannelLineItem;

// The channels of a chart on the y axes of their units, with their legend entries and lines.
// Channels of one unit share an axis, titled with their names and the unit and labelled with
// the most decimals among them; the axes alternate between the left and the right side. Each
// channel has a legend entry, which asks to hide or show it when clicked, and a line item in
// the plot area. An axis shows while one of its channels does.
class ChannelAxes {
 public:
  struct Channel {
    ChannelInfo info;
    QString label;  // in the legend
    QColor colour;
  };
  // How a legend entry looked when it was made.
  struct MarkerLook {
    QPen pen;
    QBrush brush;
    QBrush labelBrush;
  };
  // The values a channel shows; empty (low above high) when it shows none.
  struct ValueRange {
    double low = INFINITY;
    double high = -INFINITY;
  };

  // Adds the axes and legend entries to `chart`, on `timeAxis`, and the lines to `plotArea`.
  // With `colourLoneAxes` an axis of a single channel is drawn in that channel's colour. A
  // click on a channel's legend entry calls `clicked` with the channel, in `context`.
  ChannelAxes(QChart& chart, QAbstractAxis& timeAxis, QGraphicsItem& plotArea,
              std::vector<Channel> channels, bool colourLoneAxes, QObject& context,
              std::function<void(int)> clicked);

  int Count() const { return static_cast<int>(drawings_.size()); }
  QColor Colour(int channel) const { return At(channel).colour; }
  QLineSeries* Legend(int channel) const { return At(channel).legend; }
  ChannelLineItem& Line(int channel) const { return *At(channel).line; }
  QValueAxis* AxisOf(int channel) const;
  const MarkerLook& FirstLook(int channel) const { return At(channel).firstLook; }
  QList<QLegendMarker*> Markers(int channel) const;

  bool Shown(int channel) const;
  // Hides or shows the channel's line and its axis when it is the last or first of them; its
  // legend entry stays, for the window to mark.
  void SetShown(int channel, bool shown);
  // Each axis spans the values its shown channels show, with a little room above and below;
  // an axis whose channels show nothing keeps its range. `ranges` holds one per channel.
  void Scale(const std::vector<ValueRange>& ranges);
  // Where `value` of `channel` lies in `plot`, on the channel's axis as scaled.
  double YOf(int channel, double value, const QRectF& plot) const;
  // Sets the pens of the lines cosmetic (one screen pixel at any zoom) or not.
  void SetCosmetic(bool cosmetic);

 private:
  struct Drawing {
    QColor colour;
    QLineSeries* legend = nullptr;
    ChannelLineItem* line = nullptr;
    int axis = 0;
    MarkerLook firstLook;
  };
  struct UnitAxis {
    QValueAxis* axis = nullptr;
    std::vector<int> channels;
  };

  const Drawing& At(int channel) const { return drawings_.at(static_cast<std::size_t>(channel)); }
  void ShowAxes();

  QChart& chart_;
  std::vector<Drawing> drawings_;
  std::vector<UnitAxis> axes_;
};

}  // namespace telvoran
