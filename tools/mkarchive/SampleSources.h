#pragma once

#include <array>

#include "tools/mkarchive/DeterministicRandom.h"
#include "tools/mkarchive/MkArchiveOptions.h"
#include "tools/mkarchive/RecordEncoding.h"

namespace telvoran {

// The value of one channel, moving by small random steps between its minimum and maximum
// like a measured quantity does, rather than jumping about.
class ChannelWalk {
 public:
  ChannelWalk(const ChannelOptions& channel, DeterministicRandom& random);
  // The next value, as the channel's format writes it.
  std::string NextText(DeterministicRandom& random);

 private:
  const ChannelOptions* channel_;
  double value_;
};

// Made-up moments of an interval archive: one every step from the start, each channel walking.
class IntervalSampleSource {
 public:
  IntervalSampleSource(const MkArchiveOptions& options, DeterministicRandom& random);
  IntervalSample Next();

 private:
  const MkArchiveOptions& options_;
  DeterministicRandom& random_;
  std::vector<ChannelWalk> walks_;
  std::uint64_t produced_ = 0;
};

// Made-up entries of an event archive: each at most one step after the one before, on a
// random channel and central unit, with a situation code drawn by the configured weights.
class EventSampleSource {
 public:
  EventSampleSource(const MkArchiveOptions& options, DeterministicRandom& random);
  EventSample Next();

 private:
  char NextSituationCode();
  std::string NextReading(const ChannelOptions& channel);

  const MkArchiveOptions& options_;
  DeterministicRandom& random_;
  DateTime time_;
  bool first_ = true;
};

}  // namespace telvoran
