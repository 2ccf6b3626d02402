#include "tools/mkarchive/SampleSources.h"

#include <algorithm>
#include <numeric>

namespace telvoran {
namespace {

// A step of the walk moves the value by at most this share of the channel's range.
constexpr double kLargestStepShare = 0.05;

double Between(DeterministicRandom& random, double low, double high) {
  return low + (high - low) * random.Fraction();
}

std::string ValueText(double value, const ChannelOptions& channel, DeterministicRandom& random) {
  if (channel.format.style == ValueFormat::Style::kText) return RandomText(random);
  return FormatNumber(value, channel.format);
}

}  // namespace

ChannelWalk::ChannelWalk(const ChannelOptions& channel, DeterministicRandom& random)
    : channel_(&channel), value_(Between(random, channel.minimum, channel.maximum)) {}

std::string ChannelWalk::NextText(DeterministicRandom& random) {
  const double largestStep = (channel_->maximum - channel_->minimum) * kLargestStepShare;
  value_ = std::clamp(value_ + Between(random, -largestStep, largestStep), channel_->minimum,
                      channel_->maximum);
  return ValueText(value_, *channel_, random);
}

IntervalSampleSource::IntervalSampleSource(const MkArchiveOptions& options,
                                           DeterministicRandom& random)
    : options_(options), random_(random) {
  for (std::size_t k = 0; k < options.channelCount; ++k) {
    walks_.emplace_back(options.channels[k], random);
  }
}

IntervalSample IntervalSampleSource::Next() {
  IntervalSample sample;
  const auto elapsed = static_cast<std::int64_t>(produced_++) * options_.stepSeconds;
  sample.time = AddSeconds(options_.start, elapsed);
  for (std::size_t k = 0; k < walks_.size(); ++k) sample.values[k] = walks_[k].NextText(random_);
  return sample;
}

EventSampleSource::EventSampleSource(const MkArchiveOptions& options, DeterministicRandom& random)
    : options_(options), random_(random), time_(options.start) {}

EventSample EventSampleSource::Next() {
  if (!first_) time_ = AddSeconds(time_, random_.Between(0, options_.stepSeconds));
  first_ = false;

  const auto channelIndex = static_cast<std::size_t>(random_.Below(options_.channelCount));
  const ChannelOptions& channel = options_.channels[channelIndex];
  EventSample sample;
  sample.centralAddress =
      static_cast<int>(random_.Between(options_.addressLow, options_.addressHigh));
  sample.time = time_;
  sample.channel = static_cast<char>('1' + channelIndex);
  sample.situation = NextSituationCode();
  sample.reading = NextReading(channel);
  sample.medium = channel.label.name;
  sample.unit = channel.label.unit;
  return sample;
}

char EventSampleSource::NextSituationCode() {
  const SituationMix& mix = options_.situations;
  const unsigned total = std::accumulate(mix.weights.begin(), mix.weights.end(), mix.otherWeight);
  std::uint64_t draw = random_.Below(total);
  for (std::size_t i = 0; i < mix.weights.size(); ++i) {
    if (draw < mix.weights[i]) return kSituationCodes[i];
    draw -= mix.weights[i];
  }
  return mix.otherCodes[random_.Below(mix.otherCodes.size())];
}

std::string EventSampleSource::NextReading(const ChannelOptions& channel) {
  return ValueText(Between(random_, channel.minimum, channel.maximum), channel, random_);
}

}  // namespace telvoran
