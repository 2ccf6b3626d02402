#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvoran {

// The different sort prefixes among a list's rows, when there are few of them: the situation
// column has one for each situation. Rows are then ordered by the rank of their prefix first,
// found once for each prefix rather than by comparing the rows' texts.
class PrefixClasses {
 public:
  static constexpr std::uint32_t kMostClasses = 4096;
  static constexpr std::uint32_t kTooMany = kMostClasses;

  // The class of a prefix, a new one for a prefix not met before; kTooMany once the prefixes
  // are more than kMostClasses.
  std::uint32_t ClassOf(std::string_view prefix);
  std::size_t Width(std::uint32_t id) const { return classes_[id].length; }
  std::uint32_t Count() const { return static_cast<std::uint32_t>(classes_.size()); }
  std::string_view Prefix(std::uint32_t id) const { return PrefixOf(classes_[id]); }

  // Each class's rank in the order of the rows' texts, which begin with the class's prefix and
  // then `follower` (what every row has right after its prefix; may be empty). Classes whose
  // prefixes have equal collation weights share a rank. Nothing when the order of two classes
  // depends on more than that: when, by weights, one prefix and follower begin the other.
  std::optional<std::vector<std::uint32_t>> Ranks(std::string_view follower) const;

 private:
  struct Class {
    std::size_t offset;  // in text_
    std::size_t length;
  };
  std::string_view PrefixOf(const Class& c) const { return {text_.data() + c.offset, c.length}; }
  std::uint32_t Add(std::string_view prefix);
  void Grow();

  std::string text_;
  std::vector<Class> classes_;
  // Open addressing: class id + 1, or 0 for a free slot.
  std::vector<std::uint32_t> slots_ = std::vector<std::uint32_t>(64, 0);
  std::uint32_t last_ = kTooMany;
};

}  // namespace telvoran
