#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/platform/LargeBuffer.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Under AddressSanitizer the block comes from malloc, so that the sanitizer watches its bounds.
#if defined(__SANITIZE_ADDRESS__)
#define TELVORAN_LARGE_BUFFER_MALLOC 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TELVORAN_LARGE_BUFFER_MALLOC 1
#endif
#endif

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

#ifdef TELVORAN_LARGE_BUFFER_MALLOC

void LargeBuffer::Prepare(std::size_t, std::size_t) {}

void LargeBuffer::Resize(std::size_t bytes) {
  if (bytes == size_) return;
  if (bytes == 0) {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    return;
  }
  // The sanitizer ends the program on a request beyond its largest block instead of failing it.
  constexpr std::size_t kLargestBlock = std::size_t{1} << 40;
  void* resized = bytes <= kLargestBlock ? std::realloc(data_, bytes) : nullptr;
  if (!resized) throw std::bad_alloc();
  data_ = resized;
  size_ = bytes;
}

#else

void LargeBuffer::Resize(std::size_t bytes) {
  if (bytes == size_) return;
  if (bytes == 0) {
    munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
    return;
  }
  void* resized =
      data_ ? mremap(data_, size_, bytes, MREMAP_MAYMOVE)
            : mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (resized == MAP_FAILED) throw std::bad_alloc();
  data_ = resized;
  size_ = bytes;
}

void LargeBuffer::Prepare(std::size_t from, std::size_t to) {
#ifdef MADV_POPULATE_WRITE
  to = std::min(to, size_);
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  from -= from % page;
  if (from >= to) return;
  // Fails on systems older than Linux 5.14, which then fill the pages as they are written.
  madvise(static_cast<char*>(data_) + from, to - from, MADV_POPULATE_WRITE);
#else
  (void)from;
  (void)to;
#endif
}

#endif

void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace telvoran::platform
