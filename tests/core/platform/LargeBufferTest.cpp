#include "core/platform/LargeBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

namespace telvoran::platform {
namespace {

TEST(LargeBuffer, KeepsItsBytesWhileGrowingAndShrinking) {
  LargeBuffer buffer(1000);
  std::vector<unsigned char> bytes(1000);
  std::iota(bytes.begin(), bytes.end(), 0);
  std::memcpy(buffer.Data(), bytes.data(), bytes.size());
  // Growing far, then shrinking below the first size.
  for (std::size_t size :
       {std::size_t{5000}, std::size_t{3} << 20, std::size_t{64} << 20, std::size_t{2000}}) {
    buffer.Resize(size);
    ASSERT_EQ(buffer.Size(), size);
    EXPECT_EQ(std::memcmp(buffer.Data(), bytes.data(), bytes.size()), 0) << size;
  }
  LargeBuffer moved(std::move(buffer));
  EXPECT_EQ(buffer.Size(), 0u);
  EXPECT_EQ(std::memcmp(moved.Data(), bytes.data(), bytes.size()), 0);
  moved.Resize(0);
  EXPECT_EQ(moved.Data(), nullptr);
}

// Blocks large enough to be given huge pages, of sizes that end inside one, grown in place
// after being written whole and shrunk again.
TEST(LargeBuffer, LargeBlocksOfOddSizesKeepEveryByte) {
  LargeBuffer buffer;
  for (std::size_t size : {(std::size_t{9} << 20) + 4097, (std::size_t{21} << 20) + 40,
                           (std::size_t{8} << 20) + 1}) {
    const std::size_t kept = std::min(size, buffer.Size());
    buffer.Resize(size);
    buffer.Prepare(kept, size);
    auto* bytes = static_cast<unsigned char*>(buffer.Data());
    for (std::size_t i = 0; i < kept; i += 4093) ASSERT_EQ(bytes[i], i % 251) << size;
    for (std::size_t i = kept; i < size; ++i) bytes[i] = static_cast<unsigned char>(i % 251);
    EXPECT_EQ(bytes[size - 1], (size - 1) % 251);
  }
}

TEST(LargeBuffer, RefusesWhatNoSystemCanGiveAndStaysAsItWas) {
  LargeBuffer buffer(100);
  std::memset(buffer.Data(), 7, 100);
  EXPECT_THROW(buffer.Resize(std::size_t{1} << 62), std::bad_alloc);
  ASSERT_EQ(buffer.Size(), 100u);
  EXPECT_EQ(static_cast<unsigned char*>(buffer.Data())[99], 7);
}

}  // namespace
}  // namespace telvoran::platform
