#pragma once

#include <vector>

#include "core/chart/ArchiveTime.h"

namespace telvoran {

class IntervalSeries;

// A point of a channel's line as drawn.
struct EnvelopePoint {
  double time = 0;
  double value = 0;
  std::size_t record = 0;      // its position in the series
  bool joinsPrevious = false;  // a line leads to it from the point before
};

// What a channel's line needs to look exactly like the line through all of its values, when
// `span` is drawn into `columns` pixel columns: for each column the first, lowest, highest and
// last numeric value in it, in time order, so every minimum and maximum is kept; then the
// nearest value on either side of the span, so the line runs on to the edges. A point joins the
// one before it unless a value that is not a number, or a pause in the recording, lies between
// them: a lone point between two gaps joins nothing and is drawn as a dot. The work grows with the
// records in the span, never with the records outside it.
std::vector<EnvelopePoint> ChannelEnvelope(const IntervalSeries& series, int channel, TimeSpan span,
                                           int columns);

}  // namespace telvoran
