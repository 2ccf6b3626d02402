#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/text/StringLookup.h"

namespace telvoran::test {

// A string library held in memory; an ID it lacks yields an empty text.
class FakeStrings : public StringLookup {
 public:
  FakeStrings() = default;
  FakeStrings(std::map<int, std::string> texts) : texts_(std::move(texts)) {}

  void Set(int id, std::string text) { texts_[id] = std::move(text); }

  std::string_view Text(int id) const override {
    auto it = texts_.find(id);
    return it == texts_.end() ? std::string_view() : std::string_view(it->second);
  }

 private:
  std::map<int, std::string> texts_;
};

// Every ID from 101 to 199 (and of the ranges below) holds "S<id>", so a test sees which text was
// used.
inline FakeStrings NumberedStrings() {
  FakeStrings strings;
  for (int id = 101; id <= 199; ++id) strings.Set(id, "S" + std::to_string(id));
  // Following a file; the texts of charts and the alarm timeline.
  for (int id = 200; id <= 209; ++id) strings.Set(id, "S" + std::to_string(id));
  for (int id = 220; id <= 239; ++id) strings.Set(id, "S" + std::to_string(id));
  // Filters of the views.
  for (int id = 240; id <= 249; ++id) strings.Set(id, "S" + std::to_string(id));
  // The spreadsheet export; saving over an open archive.
  for (int id = 250; id <= 260; ++id) strings.Set(id, "S" + std::to_string(id));
  // What users see: the window menu's chart word, the list of a filter that keeps no row.
  for (int id = 280; id <= 289; ++id) strings.Set(id, "S" + std::to_string(id));
  // A plant's folder and spans of days.
  for (int id = 300; id <= 324; ++id) strings.Set(id, "S" + std::to_string(id));
  // Going to a date, finding in a folder, daily summaries.
  for (int id = 325; id <= 349; ++id) strings.Set(id, "S" + std::to_string(id));
  // The chart of a span of days and its alarm band.
  for (int id = 360; id <= 374; ++id) strings.Set(id, "S" + std::to_string(id));
  return strings;
}

}  // namespace telvoran::test
