#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace telvoran {

// Measures how wide a text is drawn.
using TextMeasure = std::function<int(std::string_view)>;

// Breaks a paragraph into lines that `measure` finds no wider than `maxWidth`: each line takes as
// many whole words as fit, words being separated by spaces, and the spaces at a break are left
// out. A word wider than a line on its own is broken where it stops fitting, with at least one
// character on every line, so no text is lost. A paragraph without words gives one line, itself.
std::vector<std::string> WrapParagraph(std::string_view paragraph, int maxWidth,
                                       const TextMeasure& measure);

}  // namespace telvoran
