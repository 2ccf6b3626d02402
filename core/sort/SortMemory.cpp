#include "core/sort/SortMemory.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <utility>

namespace telvoran {
namespace {

using Word = std::uint64_t;

// The rows prepared for at a time, once as many have been read: few enough to stay close
// behind the reader.
constexpr std::size_t kRowsAtOnce = std::size_t{1} << 16;

}  // namespace

void SortMemory::PrepareFor(std::size_t rows) {
  Prepare(words_, rows * sizeof(Word));
  Prepare(scratch_, (rows / 2 + 1) * sizeof(Word));
}

void SortMemory::Prepare(Area& area, std::size_t bytes) {
  if (bytes <= area.prepared) return;
  // Grown to twice its size at least, so that it is moved seldom.
  if (bytes > area.buffer.Size()) area.buffer.Resize(std::max(bytes, 2 * area.buffer.Size()));
  area.buffer.Prepare(area.prepared, bytes);
  area.prepared = bytes;
}

platform::LargeBuffer SortMemory::Take(Area& area, std::size_t bytes) {
  // What was prepared beyond `bytes` goes back to the system here.
  area.buffer.Resize(bytes);
  area.prepared = 0;
  return std::move(area.buffer);
}

PreparingAhead::PreparingAhead(SortMemory& memory) {
  if (std::thread::hardware_concurrency() < 2) return;
  try {
    thread_ = std::thread([this, &memory] { Prepare(memory); });
  } catch (const std::system_error&) {
    // No second thread to be had: the sort prepares its memory itself.
  }
}

PreparingAhead::~PreparingAhead() {
  if (!thread_.joinable()) return;
  reached_.store(kStop);
  reached_.notify_one();
  thread_.join();
}

void PreparingAhead::Reached(std::size_t rows) {
  if (!thread_.joinable()) return;
  reached_.store(rows);
  reached_.notify_one();
}

void PreparingAhead::Prepare(SortMemory& memory) {
  std::size_t prepared = 0;
  try {
    for (std::size_t reached = reached_.load(); reached != kStop; reached = reached_.load()) {
      if (reached >= prepared + kRowsAtOnce) {
        prepared = reached;
        memory.PrepareFor(prepared);
      } else {
        reached_.wait(reached);
      }
    }
  } catch (const std::bad_alloc&) {
    // The sort asks for the memory again, and says so if it cannot have it.
  }
}

}  // namespace telvoran
