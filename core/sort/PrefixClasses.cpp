#include "core/sort/PrefixClasses.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "core/sort/Collation.h"

namespace telvoran {

std::uint32_t PrefixClasses::ClassOf(std::string_view prefix) {
  // Rows of one prefix often come in a row.
  if (last_ != kTooMany && PrefixOf(classes_[last_]) == prefix) return last_;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = std::hash<std::string_view>{}(prefix)&mask;; slot = (slot + 1) & mask) {
    if (slots_[slot] == 0) {
      slots_[slot] = Add(prefix) + 1;
      if (classes_.size() > kMostClasses) return kTooMany;
      const std::uint32_t id = slots_[slot] - 1;
      if (2 * classes_.size() > slots_.size()) Grow();
      return last_ = id;
    }
    if (PrefixOf(classes_[slots_[slot] - 1]) == prefix) return last_ = slots_[slot] - 1;
  }
}

std::uint32_t PrefixClasses::Add(std::string_view prefix) {
  classes_.push_back({text_.size(), prefix.size()});
  text_ += prefix;
  return static_cast<std::uint32_t>(classes_.size() - 1);
}

void PrefixClasses::Grow() {
  std::vector<std::uint32_t> slots(2 * slots_.size(), 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t id = 0; id < classes_.size(); ++id) {
    std::size_t slot = std::hash<std::string_view>{}(PrefixOf(classes_[id])) & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = id + 1;
  }
  slots_ = std::move(slots);
}

std::optional<std::vector<std::uint32_t>> PrefixClasses::Ranks(std::string_view follower) const {
  std::vector<std::string> heads;
  for (const Class& c : classes_) heads.push_back(std::string(PrefixOf(c)) + std::string(follower));
  std::vector<std::uint32_t> ids(classes_.size());
  std::iota(ids.begin(), ids.end(), 0u);
  std::sort(ids.begin(), ids.end(), [&](std::uint32_t a, std::uint32_t b) {
    return Collation::Compare(heads[a], heads[b]) < 0;
  });
  std::vector<std::uint32_t> ranks(classes_.size());
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) {
      const std::string& before = heads[ids[i - 1]];
      const std::string& head = heads[ids[i]];
      if (Collation::Compare(before, head) != 0) {
        // A head that begins its successor: the rows' texts go on past both, and decide.
        if (before.size() < head.size() &&
            Collation::Compare(before, std::string_view(head).substr(0, before.size())) == 0)
          return std::nullopt;
        ++rank;
      }
    }
    ranks[ids[i]] = rank;
  }
  return ranks;
}

}  // namespace telvoran
