#pragma once

#include <cstddef>
#include <string>

#include "core/text/StringLookup.h"

namespace telvoran {

// How a filtered view chose the rows it shows: the printout says so under its heading.
struct FilterNote {
  std::size_t shown = 0;
  std::size_t total = 0;
  // The text the rows contain, Windows-1250; empty when no text was typed.
  std::string text;
  // The situation codes whose rows are hidden, in byte order.
  std::string hiddenSituations;
};

// How counts are written: digits alone, as in printouts and reports, or in groups of three from
// the right split by spaces (`1 000 000`), as the status bar shows them to be read at a glance.
enum class CountDigits { kPlain, kGrouped };

// `count` in decimal digits, grouped as `digits` says.
std::string CountText(std::size_t count, CountDigits digits);

// "N of M rows" in the library's words.
std::string ShownRowsText(std::size_t shown, std::size_t total, const StringLookup& strings,
                          CountDigits digits = CountDigits::kPlain);

// The note's one line, e.g. `Filter: 12 of 340 rows; text "pump"; without situations: A, B`.
std::string FilterNoteLine(const FilterNote& note, const StringLookup& strings);

}  // namespace telvoran
