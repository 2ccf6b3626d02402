#pragma once

namespace telvoran {

// A value axis in round steps.
struct AxisScale {
  double minimum = 0;
  double maximum = 1;
  int ticks = 2;  // grid lines from the minimum to the maximum, both ends counted

  friend bool operator==(const AxisScale&, const AxisScale&) = default;
};

// The smallest axis of round steps (1, 2, 2.5 or 5 times a power of ten) that holds `low` to
// `high` in at most `maxTicks` grid lines. Equal ends get a step of room on either side.
AxisScale NiceScale(double low, double high, int maxTicks);

}  // namespace telvoran
