#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

#include "core/platform/LargeBuffer.h"

namespace telvoran {

// The memory a sort of many rows works in: a word of 8 bytes a row, and a scratch area of half
// as many words. The system gives fresh memory its pages as it is first written, which a sort
// of millions of rows would otherwise wait for; prepared ahead, while records are still read
// (PreparingAhead), they cost the reading nothing.
class SortMemory {
 public:
  // Gives the words and the scratch area of `rows` rows their pages.
  void PrepareFor(std::size_t rows);
  // The words, `bytes` long: their pages given as far as they were prepared.
  platform::LargeBuffer TakeWords(std::size_t bytes) { return Take(words_, bytes); }
  // The scratch area, `bytes` long, in the same way.
  platform::LargeBuffer TakeScratch(std::size_t bytes) { return Take(scratch_, bytes); }

 private:
  struct Area {
    platform::LargeBuffer buffer;
    std::size_t prepared = 0;
  };
  static void Prepare(Area& area, std::size_t bytes);
  static platform::LargeBuffer Take(Area& area, std::size_t bytes);

  Area words_;
  Area scratch_;
};

// While it lives, a second thread prepares a sort's memory for the rows read so far, as the
// reader tells it. It never prepares for rows not read: a file's size promises nothing about
// its records. Where no thread can be had, or the system has no memory to spare, nothing is
// prepared and the sort takes its memory itself, as it would have.
class PreparingAhead {
 public:
  explicit PreparingAhead(SortMemory& memory);
  PreparingAhead(const PreparingAhead&) = delete;
  PreparingAhead& operator=(const PreparingAhead&) = delete;
  // Waits for the thread: the memory is the caller's again.
  ~PreparingAhead();

  // The rows read so far.
  void Reached(std::size_t rows);

 private:
  void Prepare(SortMemory& memory);

  static constexpr std::size_t kStop = ~std::size_t{0};
  std::atomic<std::size_t> reached_{0};
  std::thread thread_;
};

}  // namespace telvoran
