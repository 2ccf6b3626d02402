#include "core/report/LineWrapping.h"

namespace telvoran {
namespace {

// The length of the longest start of `text` that ends at the end of a word and fits; 0 when not
// even the first word fits.
std::size_t WholeWordsThatFit(std::string_view text, int maxWidth, const TextMeasure& measure) {
  std::size_t fitting = 0;
  for (std::size_t end = 1; end <= text.size(); ++end) {
    const bool wordEnds = text[end - 1] != ' ' && (end == text.size() || text[end] == ' ');
    if (!wordEnds) continue;
    if (measure(text.substr(0, end)) > maxWidth) break;
    fitting = end;
  }
  return fitting;
}

// The length of the longest start of `text` that fits, but at least one character.
std::size_t CharactersThatFit(std::string_view text, int maxWidth, const TextMeasure& measure) {
  std::size_t fitting = 1;
  while (fitting < text.size() && measure(text.substr(0, fitting + 1)) <= maxWidth) ++fitting;
  return fitting;
}

}  // namespace

std::vector<std::string> WrapParagraph(std::string_view paragraph, int maxWidth,
                                       const TextMeasure& measure) {
  std::vector<std::string> lines;
  std::string_view rest = paragraph;
  while (!rest.empty() && measure(rest) > maxWidth) {
    std::size_t length = WholeWordsThatFit(rest, maxWidth, measure);
    if (length == 0) length = CharactersThatFit(rest, maxWidth, measure);
    lines.emplace_back(rest.substr(0, length));
    rest.remove_prefix(length);
    const std::size_t nextWord = rest.find_first_not_of(' ');
    if (nextWord == std::string_view::npos) return lines;
    rest.remove_prefix(nextWord);
  }
  lines.emplace_back(rest);
  return lines;
}

}  // namespace telvoran
