#include "core/platform/LargeBuffer.h"

#include <gtest/gtest.h>

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

TEST(LargeBuffer, RefusesWhatNoSystemCanGiveAndStaysAsItWas) {
  LargeBuffer buffer(100);
  std::memset(buffer.Data(), 7, 100);
  EXPECT_THROW(buffer.Resize(std::size_t{1} << 62), std::bad_alloc);
  ASSERT_EQ(buffer.Size(), 100u);
  EXPECT_EQ(static_cast<unsigned char*>(buffer.Data())[99], 7);
}

}  // namespace
}  // namespace telvoran::platform
