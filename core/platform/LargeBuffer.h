#pragma once

#include <cstddef>

namespace telvoran::platform {

// A block of memory for the large arrays of a view's rows, taken from the system directly: it
// can grow and shrink in place of a copy, so growing never holds the old and the new block at
// once, and it goes back to the system as soon as it is freed. Its bytes are not initialised.
//
// It keeps ordinary pages. Asking for huge pages (madvise) was measured with archives of ten
// million records: quicker while the system has huge pages free, but a start after a pause,
// when the system must first gather them, took up to a second longer.
class LargeBuffer {
 public:
  LargeBuffer() = default;
  explicit LargeBuffer(std::size_t bytes) { Resize(bytes); }
  LargeBuffer(LargeBuffer&& other) noexcept;
  LargeBuffer& operator=(LargeBuffer&& other) noexcept;
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;
  ~LargeBuffer();

  // Makes the block `bytes` long, keeping its first bytes; 0 frees it. Throws std::bad_alloc
  // when the system has no memory for it, leaving the block as it was.
  void Resize(std::size_t bytes);

  // Asks the system to give bytes [from, to) their memory now, in one go, rather than a page at
  // a time as they are first written, which costs a trap into the system for every page. A
  // hint only: nothing happens where the system cannot do it.
  void Prepare(std::size_t from, std::size_t to);

  void* Data() const { return data_; }
  std::size_t Size() const { return size_; }

 private:
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

// Gives the memory that the allocator keeps from freed small blocks back to the system, after a
// view or chart has been closed: arrays of a few megabytes come from the heap, and freeing them
// alone leaves the process as large as before.
void ReturnFreedMemory();

}  // namespace telvoran::platform
