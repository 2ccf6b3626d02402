#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "core/platform/LargeBuffer.h"

namespace telvoran {

// An array of plain values for the rows of a view, which may run to tens of millions: it grows
// without copying where the system allows it, never holds an old and a new copy at once, and
// gives its memory back to the system when cleared. New elements are not initialised.
template <typename T>
class LargeArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  LargeArray() = default;
  // Takes over the first `size` values of `buffer`.
  LargeArray(platform::LargeBuffer buffer, std::size_t size)
      : buffer_(std::move(buffer)), size_(size) {}
  LargeArray(LargeArray&& other) noexcept
      : buffer_(std::move(other.buffer_)),
        size_(std::exchange(other.size_, 0)),
        prepared_(std::exchange(other.prepared_, 0)) {}
  LargeArray& operator=(LargeArray&& other) noexcept {
    buffer_ = std::move(other.buffer_);
    size_ = std::exchange(other.size_, 0);
    prepared_ = std::exchange(other.prepared_, 0);
    return *this;
  }

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  std::size_t Capacity() const { return buffer_.Size() / sizeof(T); }
  std::size_t CapacityBytes() const { return buffer_.Size(); }
  T* Data() { return static_cast<T*>(buffer_.Data()); }
  const T* Data() const { return static_cast<const T*>(buffer_.Data()); }
  T& operator[](std::size_t i) { return Data()[i]; }
  const T& operator[](std::size_t i) const { return Data()[i]; }
  T* begin() { return Data(); }
  T* end() { return Data() + size_; }
  const T* begin() const { return Data(); }
  const T* end() const { return Data() + size_; }

  void Reserve(std::size_t capacity) {
    if (capacity > Capacity()) buffer_.Resize(capacity * sizeof(T));
  }
  void PushBack(const T& value) {
    if (size_ == Capacity()) Reserve(std::max(kFirstCapacity, 2 * Capacity()));
    std::memcpy(Data() + size_, &value, sizeof(T));
    ++size_;
  }
  // Makes the array `size` long; new values are not initialised.
  void Resize(std::size_t size) {
    Reserve(size);
    size_ = size;
  }
  // Gives the first `size` values their memory, ahead in pieces of a fixed size, for an array
  // filled from its end a block at a time.
  void PrepareUpTo(std::size_t size) {
    const std::size_t bytes = size * sizeof(T);
    if (bytes > prepared_) {
      const std::size_t prepared = std::min(buffer_.Size(), bytes + kPreparedAhead);
      buffer_.Prepare(prepared_, prepared);
      prepared_ = prepared;
    }
  }
  // The whole capacity given its memory now, for an array filled at once.
  void Prepare() {
    buffer_.Prepare(0, buffer_.Size());
    prepared_ = buffer_.Size();
  }
  void ShrinkToFit() {
    buffer_.Resize(size_ * sizeof(T));
    prepared_ = std::min(prepared_, buffer_.Size());
  }
  void Clear() {
    buffer_.Resize(0);
    size_ = 0;
    prepared_ = 0;
  }

 private:
  static constexpr std::size_t kFirstCapacity = 1024;
  // Small beside the rows of a large array, which it would take ahead of their time.
  static constexpr std::size_t kPreparedAhead = std::size_t{256} << 10;

  platform::LargeBuffer buffer_;
  std::size_t size_ = 0;
  // Bytes 0 to prepared_ - 1 have been given their memory (or are asked to be).
  std::size_t prepared_ = 0;
};

}  // namespace telvoran
