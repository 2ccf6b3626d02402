#pragma once

#include <cstddef>
#include <string_view>

namespace telvoran {

// Asks the processor to bring a text into the cache: its first, second and last cache line,
// which is all of a row. The rows of a sorted list lie scattered over memory; fetching those a
// loop will reach a few steps later lets many of them travel at once. The text is not read, so
// it may be gone by the time the fetch ends; a fetch never faults.
inline void FetchAhead(std::string_view text) {
  if (text.empty()) return;
#if defined(__GNUC__) || defined(__clang__)
  constexpr std::size_t kCacheLineBytes = 64;
  // Kept to these plain forms: GCC drops prefetches of some computed addresses.
  __builtin_prefetch(text.data());
  __builtin_prefetch(text.data() + kCacheLineBytes);
  __builtin_prefetch(text.data() + text.size() - 1);
#endif
}

// How many steps ahead a loop over scattered texts fetches them.
inline constexpr std::size_t kTextsFetchedAhead = 16;

}  // namespace telvoran
