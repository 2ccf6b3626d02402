#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace telvoran {

// A row text under construction, without heap allocation: the row proper is built from a
// fixed point of the buffer on, and its sort prefix is then copied in front of it.
// The most characters a quick head of a stored text holds: the widest sort prefix a record's
// bytes give at once, and the date and time after it.
inline constexpr std::size_t kQuickHeadRoom = 32;

class RowText {
 public:
  static constexpr std::size_t kPrefixRoom = 32;
  static constexpr std::size_t kRowRoom = 224;

  // Appends characters; a zero byte becomes a space, so that no row ever carries one. What does
  // not fit into the buffer is dropped.
  void Append(std::string_view text) {
    const std::size_t count = std::min(text.size(), buffer_.size() - end_);
    char* out = buffer_.data() + end_;
    for (std::size_t i = 0; i < count; ++i) out[i] = text[i] == '\0' ? ' ' : text[i];
    end_ += count;
  }
  void Append(char c) {
    if (end_ < buffer_.size()) buffer_[end_++] = c == '\0' ? ' ' : c;
  }
  void AppendSpaces(std::size_t count) {
    count = std::min(count, buffer_.size() - end_);
    std::fill_n(buffer_.data() + end_, count, ' ');
    end_ += count;
  }
  void AppendNumber(int number);
  // Appends bytes known to hold no zero byte, in one piece. Written so that a count known where
  // it is called becomes a few moves instead of a call of memmove: rows are built by the
  // million.
  void AppendWhole(const char* bytes, std::size_t count) {
    if (count > buffer_.size() - end_) [[unlikely]]
      count = buffer_.size() - end_;
    std::memcpy(buffer_.data() + end_, bytes, count);
    end_ += count;
  }

  // Makes the row `count` characters longer and returns where they go, for the caller to write
  // them all (no zero byte among them); nothing, and the row unchanged, when there is no room.
  char* Extend(std::size_t count) {
    if (count > buffer_.size() - end_) [[unlikely]]
      return nullptr;
    char* out = buffer_.data() + end_;
    end_ += count;
    return out;
  }

  // Empties the text for the next row, without clearing the buffer.
  void Clear() { start_ = end_ = kPrefixRoom; }

  // The row as built so far, without prefix.
  std::string_view Row() const { return {buffer_.data() + kPrefixRoom, end_ - kPrefixRoom}; }

  // Puts a copy of the row's characters [offset, offset + width) in front of the row, cut at
  // the row's end.
  void PrefixWithCopy(std::size_t offset, std::size_t width);
  // Puts `prefix` in front of the row, cut to the room there is for a prefix.
  void PutPrefix(std::string_view prefix) {
    const std::size_t length = std::min(prefix.size(), kPrefixRoom);
    start_ = kPrefixRoom - length;
    std::memcpy(buffer_.data() + start_, prefix.data(), length);
  }

  // The whole text: sort prefix and row.
  std::string_view Text() const { return {buffer_.data() + start_, end_ - start_}; }
  std::size_t PrefixLength() const { return kPrefixRoom - start_; }

 private:
  std::array<char, kPrefixRoom + kRowRoom> buffer_{};
  std::size_t start_ = kPrefixRoom;
  std::size_t end_ = kPrefixRoom;
};

// How many characters of a stored row are the sort prefix copied from [offset, offset + width)
// of the row proper. The prefix is cut at the row's end, so a stored text of length L holds a
// prefix of `width` characters when L >= offset + 2 * width, of (L - offset) / 2 when the row
// ended inside the piece, and none when the row ended before it.
std::size_t StoredPrefixLength(std::size_t storedLength, std::size_t offset, std::size_t width);

}  // namespace telvoran
