#include <malloc.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/platform/LargeBuffer.h"

namespace telvoran::platform {

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept {
  if (this != &other) {
    Resize(0);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

LargeBuffer::~LargeBuffer() {
  Resize(0);
}

// Windows commits a block's pages when it is made; there is nothing to ask for.
void LargeBuffer::Prepare(std::size_t, std::size_t) {}

// Windows cannot move a block's pages to a larger place: growing copies into a new block.
void LargeBuffer::Resize(std::size_t bytes) {
  if (bytes == size_) return;
  void* resized = nullptr;
  if (bytes > 0) {
    resized = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!resized) throw std::bad_alloc();
    if (data_) std::memcpy(resized, data_, std::min(bytes, size_));
  }
  if (data_) VirtualFree(data_, 0, MEM_RELEASE);
  data_ = resized;
  size_ = bytes;
}

void ReturnFreedMemory() {
  _heapmin();
  HeapCompact(GetProcessHeap(), 0);
}

}  // namespace telvoran::platform
