#include "core/sort/RepeatedDates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace telvoran {
namespace {

// Every stretch of records against the marks themselves, with stretches that begin and end on
// either side of the boundaries between words of marks, and stretches too long to look at.
TEST(RepeatedDates, AllMarkedTellsWhetherEveryRecordOfAStretchIsMarked) {
  std::vector<bool> marks(300, false);
  for (std::size_t record = 60; record < 200; ++record) marks[record] = true;
  for (std::size_t record : {3u, 4u, 5u, 63u, 64u, 127u, 250u}) marks[record] = !marks[record];
  RepeatedDates dates;
  for (bool mark : marks) dates.Push(mark);

  for (std::size_t to = 0; to < marks.size(); ++to) {
    for (std::size_t from = 0; from <= to; ++from) {
      bool all = true;
      for (std::size_t record = from; record <= to; ++record) all = all && marks[record];
      const std::optional<bool> told = dates.AllMarked(from, to);
      if (told) {
        EXPECT_EQ(*told, all) << from << " to " << to;
      } else {
        // Only a stretch that reaches back past two words of marks, all marked, goes untold.
        const std::size_t lookedFrom = (to / 64 - 1) * 64;
        EXPECT_GE(to, 64u);
        EXPECT_LT(from, lookedFrom) << from << " to " << to;
        for (std::size_t record = lookedFrom; record <= to; ++record)
          EXPECT_TRUE(marks[record]) << from << " to " << to;
      }
    }
  }
}

TEST(RepeatedDates, ForEachMarkedVisitsTheMarkedRecordsOfAStretchInOrder) {
  std::vector<bool> marks(200, false);
  for (std::size_t record : {0u, 1u, 62u, 63u, 64u, 65u, 127u, 128u, 199u}) marks[record] = true;
  RepeatedDates dates;
  for (bool mark : marks) dates.Push(mark);

  for (std::size_t from = 0; from <= marks.size(); ++from) {
    for (std::size_t to = from; to <= marks.size(); ++to) {
      std::vector<std::size_t> expected;
      for (std::size_t record = from; record < to; ++record)
        if (marks[record]) expected.push_back(record);
      std::vector<std::size_t> visited;
      dates.ForEachMarked(from, to, [&](std::size_t record) { visited.push_back(record); });
      ASSERT_EQ(visited, expected) << from << " to " << to;
    }
  }
}

// Marks taken in pieces of every length, from every place within a word, are the marks taken
// one by one.
TEST(RepeatedDates, PushAllTakesTheMarksPushWould) {
  std::vector<bool> marks(700);
  for (std::size_t record = 0; record < marks.size(); ++record)
    marks[record] = record % 3 == 0 || record % 64 == 63 || (record / 100) % 2 == 1;
  for (const std::size_t piece : {1u, 5u, 63u, 64u, 65u, 200u, 700u}) {
    RepeatedDates dates;
    std::vector<std::size_t> asked;
    for (std::size_t first = 0; first < marks.size(); first += piece) {
      const std::size_t count = std::min(piece, marks.size() - first);
      dates.PushAll(count, [&](std::size_t i) {
        asked.push_back(first + i);
        return static_cast<bool>(marks[first + i]);
      });
    }
    std::vector<std::size_t> inTurn(marks.size());
    for (std::size_t record = 0; record < inTurn.size(); ++record) inTurn[record] = record;
    EXPECT_EQ(asked, inTurn) << piece;
    for (std::size_t record = 0; record < marks.size(); ++record)
      EXPECT_EQ(dates.SameAsBefore(record), marks[record]) << piece << ", record " << record;
  }
}

}  // namespace
}  // namespace telvoran
