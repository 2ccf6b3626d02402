#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace telvoran {

// Runs `first` on the calling thread and `second` on a thread of its own at the same time, and
// returns when both are done; an exception of either is thrown here once both have ended. On a
// machine of one core, or when no thread can be started, both run on the calling thread, one
// after the other. The two must not touch the same memory, but for reading.
template <typename First, typename Second>
void RunSideBySide(First&& first, Second&& second) {
  std::exception_ptr secondFailed;
  std::thread helper;
  if (std::thread::hardware_concurrency() >= 2) {
    try {
      helper = std::thread([&] {
        try {
          second();
        } catch (...) {
          secondFailed = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // No second thread to be had.
    }
  }
  if (!helper.joinable()) {
    first();
    second();
    return;
  }
  try {
    first();
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (secondFailed) std::rethrow_exception(secondFailed);
}

}  // namespace telvoran
