#include "app/chart/ChannelAxes.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRectF>
#include <QStringList>
#include <QValueAxis>

#include <algorithm>

#include "app/QtText.h"
#include "app/chart/ChannelLineItem.h"
#include "core/chart/NiceScale.h"

namespace telvoran {
namespace {

constexpr double kLineWidth = 1;
constexpr double kAxisPadding = 0.05;  // of the values' range, above and below
constexpr int kAxisTicks = 7;

}  // namespace

ChannelAxes::ChannelAxes(QChart& chart, QAbstractAxis& timeAxis, QGraphicsItem& plotArea,
                         std::vector<Channel> channels, bool colourLoneAxes, QObject& context,
                         std::function<void(int)> clicked)
    : chart_(chart) {
  for (std::size_t channel = 0; channel < channels.size(); ++channel) {
    const std::string& unit = channels[channel].info.unit;
    auto shared = std::find_if(axes_.begin(), axes_.end(), [&](const UnitAxis& axis) {
      return channels[static_cast<std::size_t>(axis.channels.front())].info.unit == unit;
    });
    if (shared == axes_.end()) shared = axes_.insert(axes_.end(), UnitAxis{new QValueAxis, {}});
    shared->channels.push_back(static_cast<int>(channel));

    Drawing drawing;
    drawing.colour = channels[channel].colour;
    drawing.axis = static_cast<int>(shared - axes_.begin());
    drawing.legend = new QLineSeries;
    drawing.legend->setName(channels[channel].label);
    drawing.legend->setPen(QPen(drawing.colour, 2));
    drawing.line = new ChannelLineItem(&plotArea);
    // A cosmetic pen of one pixel is drawn line by line; a wider one is stroked into a polygon
    // first, which costs seconds for the thousands of turns of an envelope.
    QPen pen(drawing.colour, kLineWidth);
    pen.setCosmetic(true);
    drawing.line->setPen(pen);
    drawings_.push_back(drawing);
  }

  for (std::size_t i = 0; i < axes_.size(); ++i) {
    UnitAxis& unit = axes_[i];
    QStringList names;
    int decimals = 0;
    for (int channel : unit.channels) {
      const ChannelInfo& info = channels[static_cast<std::size_t>(channel)].info;
      names << FromCp1250(info.name);
      decimals = std::max(decimals, info.decimals);
    }
    const QString unitText =
        FromCp1250(channels[static_cast<std::size_t>(unit.channels.front())].info.unit);
    unit.axis->setTitleText(names.join(", ") + (unitText.isEmpty() ? "" : " [" + unitText + "]"));
    unit.axis->setLabelFormat("%." + QString::number(decimals) + "f");
    if (colourLoneAxes && unit.channels.size() == 1) {
      const QColor colour = Colour(unit.channels.front());
      unit.axis->setLinePenColor(colour);
      unit.axis->setLabelsColor(colour);
    }
    chart_.addAxis(unit.axis, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }

  for (int channel = 0; channel < Count(); ++channel) {
    Drawing& drawing = drawings_[static_cast<std::size_t>(channel)];
    chart_.addSeries(drawing.legend);
    drawing.legend->attachAxis(&timeAxis);
    drawing.legend->attachAxis(axes_[static_cast<std::size_t>(drawing.axis)].axis);
    for (QLegendMarker* marker : Markers(channel)) {
      QObject::connect(marker, &QLegendMarker::clicked, &context,
                       [clicked, channel] { clicked(channel); });
      drawing.firstLook = {marker->pen(), marker->brush(), marker->labelBrush()};
    }
  }
  ShowAxes();
}

QValueAxis* ChannelAxes::AxisOf(int channel) const {
  return axes_.at(static_cast<std::size_t>(At(channel).axis)).axis;
}

QList<QLegendMarker*> ChannelAxes::Markers(int channel) const {
  return chart_.legend()->markers(Legend(channel));
}

bool ChannelAxes::Shown(int channel) const {
  return Legend(channel)->isVisible();
}

void ChannelAxes::SetShown(int channel, bool shown) {
  Legend(channel)->setVisible(shown);
  // Hiding a series hides its legend marker too; the marker stays, to show it again.
  for (QLegendMarker* marker : Markers(channel)) marker->setVisible(true);
  Line(channel).setVisible(shown);
  ShowAxes();
}

// Only the first axis shown draws the grid: two axes' grids at different steps were a mesh.
void ChannelAxes::ShowAxes() {
  bool gridDrawn = false;
  for (UnitAxis& unit : axes_) {
    const bool shown = std::any_of(unit.channels.begin(), unit.channels.end(),
                                   [this](int channel) { return Shown(channel); });
    unit.axis->setVisible(shown);
    unit.axis->setGridLineVisible(shown && !gridDrawn);
    unit.axis->setMinorGridLineVisible(false);
    gridDrawn = gridDrawn || shown;
  }
}

void ChannelAxes::Scale(const std::vector<ValueRange>& ranges) {
  for (UnitAxis& unit : axes_) {
    double low = INFINITY;
    double high = -INFINITY;
    for (int channel : unit.channels) {
      if (!Shown(channel)) continue;
      const ValueRange& range = ranges.at(static_cast<std::size_t>(channel));
      low = std::min(low, range.low);
      high = std::max(high, range.high);
    }
    if (low > high) continue;
    const double room = (high - low) * kAxisPadding;
    const AxisScale scale = NiceScale(low - room, high + room, kAxisTicks);
    // Only a change is set: each one lays the chart out anew.
    if (unit.axis->min() != scale.minimum || unit.axis->max() != scale.maximum)
      unit.axis->setRange(scale.minimum, scale.maximum);
    if (unit.axis->tickCount() != scale.ticks) unit.axis->setTickCount(scale.ticks);
  }
}

double ChannelAxes::YOf(int channel, double value, const QRectF& plot) const {
  const QValueAxis* axis = AxisOf(channel);
  const double low = axis->min();
  const double range = axis->max() - axis->min();
  return range > 0 ? plot.bottom() - (value - low) / range * plot.height() : plot.center().y();
}

void ChannelAxes::SetCosmetic(bool cosmetic) {
  for (Drawing& drawing : drawings_) {
    QPen pen = drawing.line->pen();
    pen.setCosmetic(cosmetic);
    drawing.line->setPen(pen);
  }
}

}  // namespace telvoran
