#include "core/sort/SortMemory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace telvoran {
namespace {

// Every byte of the block can be written.
void Fill(platform::LargeBuffer& buffer) {
  if (buffer.Size() > 0) std::memset(buffer.Data(), 0x5A, buffer.Size());
}

TEST(SortMemory, GivesTheSizesAskedForWhateverWasPrepared) {
  for (const std::size_t preparedRows : {0, 1000, 50000, 200000}) {
    SCOPED_TRACE(preparedRows);
    SortMemory memory;
    memory.PrepareFor(preparedRows);
    platform::LargeBuffer words = memory.TakeWords(50000 * 8);
    platform::LargeBuffer scratch = memory.TakeScratch(25001 * 8);
    EXPECT_EQ(words.Size(), 400000u);
    EXPECT_EQ(scratch.Size(), 200008u);
    Fill(words);
    Fill(scratch);
  }
}

// The reader tells of the rows read far more often than the thread prepares for them; the
// thread ends with the reading, whatever it was doing, and leaves the memory to the caller.
TEST(PreparingAhead, FollowsTheReaderAndEndsWithTheReading) {
  SortMemory memory;
  {
    PreparingAhead ahead(memory);
    for (std::size_t rows = 0; rows <= 1000000; rows += 6552) ahead.Reached(rows);
  }
  platform::LargeBuffer words = memory.TakeWords(1000000 * 8);
  EXPECT_EQ(words.Size(), 8000000u);
  Fill(words);

  SortMemory untouched;
  { PreparingAhead ahead(untouched); }
  EXPECT_EQ(untouched.TakeScratch(16).Size(), 16u);
}

}  // namespace
}  // namespace telvoran
