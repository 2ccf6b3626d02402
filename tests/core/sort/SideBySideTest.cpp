#include "core/sort/SideBySide.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace telvoran {
namespace {

TEST(RunSideBySide, ReturnsWhenBothHaveRun) {
  std::atomic<int> done = 0;
  RunSideBySide([&] { ++done; }, [&] { ++done; });
  EXPECT_EQ(done, 2);
}

// A failure on either side is thrown to the caller, and only once the other side has ended:
// neither is left running over memory the caller is about to give up.
TEST(RunSideBySide, ThrowsTheFailureOfEitherSideOnceBothHaveEnded) {
  std::atomic<bool> otherEnded = false;
  auto slowly = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    otherEnded = true;
  };
  EXPECT_THROW(RunSideBySide([] { throw std::runtime_error("first"); }, slowly),
               std::runtime_error);
  EXPECT_TRUE(otherEnded);

  otherEnded = false;
  try {
    RunSideBySide(slowly, [] { throw std::runtime_error("second"); });
    ADD_FAILURE() << "nothing thrown";
  } catch (const std::runtime_error& failure) {
    EXPECT_EQ(std::string(failure.what()), "second");
  }
  EXPECT_TRUE(otherEnded);
}

}  // namespace
}  // namespace telvoran
