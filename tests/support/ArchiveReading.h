#pragma once

#include <string>
#include <vector>

#include "core/archive/ArchiveFile.h"
#include "core/rows/RowStore.h"
#include "support/FakeStrings.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

namespace telvoran::test {

// What a test of reading archives works with: a string library whose texts name their numbers,
// a reporter that records, the archive file, a folder of the test's own and a row store.
struct ArchiveReading {
  FakeStrings strings = NumberedStrings();
  RecordingReporter reporter;
  ArchiveFile file{strings, reporter};
  TempDir dir;
  RowStore rows;
};

// The stored texts of a row store, in list order.
inline std::vector<std::string> RowTexts(const RowStore& list) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < list.Size(); ++i) texts.emplace_back(list[i]);
  return texts;
}

}  // namespace telvoran::test
