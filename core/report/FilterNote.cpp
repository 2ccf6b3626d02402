#include "core/report/FilterNote.h"

#include "core/rows/EventRows.h"
#include "core/text/StringIds.h"

namespace telvoran {
namespace {

// A library text up to any zero byte.
std::string_view Words(const StringLookup& strings, int id) {
  std::string_view text = strings.Text(id);
  return text.substr(0, text.find('\0'));
}

// A situation's library text, without the colour digit that rows carry after it.
std::string SituationName(char code, const StringLookup& strings) {
  const RowText text = SituationText(code, strings);
  std::string_view name = text.Row();
  if (!name.empty()) name.remove_suffix(1);
  return std::string(name);
}

}  // namespace

std::string CountText(std::size_t count, CountDigits digits) {
  const std::string plain = std::to_string(count);
  if (digits == CountDigits::kPlain) return plain;
  std::string grouped;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (i > 0 && (plain.size() - i) % 3 == 0) grouped += ' ';
    grouped += plain[i];
  }
  return grouped;
}

std::string ShownRowsText(std::size_t shown, std::size_t total, const StringLookup& strings,
                          CountDigits digits) {
  std::string text = CountText(shown, digits);
  text += Words(strings, sid::kFilterRowsOf);
  text += CountText(total, digits);
  text += Words(strings, sid::kFilterRowsEnd);
  return text;
}

std::string FilterNoteLine(const FilterNote& note, const StringLookup& strings) {
  std::string line(Words(strings, sid::kFilterNoteStart));
  line += ShownRowsText(note.shown, note.total, strings);
  if (!note.text.empty()) {
    line += "; ";
    line += Words(strings, sid::kFilterNoteText);
    line += '"';
    line += note.text;
    line += '"';
  }
  if (!note.hiddenSituations.empty()) {
    line += "; ";
    line += Words(strings, sid::kFilterNoteHidden);
    for (std::size_t i = 0; i < note.hiddenSituations.size(); ++i) {
      if (i > 0) line += ", ";
      line += SituationName(note.hiddenSituations[i], strings);
    }
  }
  return line;
}

}  // namespace telvoran
