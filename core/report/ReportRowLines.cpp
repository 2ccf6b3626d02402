#include "core/report/ReportRowLines.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "core/report/ReportSource.h"
#include "core/rows/RowText.h"

namespace telvoran {
namespace {

constexpr std::size_t kRowsPerBlock = 1024;
// A line is a row of at most RowText::kRowRoom characters and CR LF.
constexpr std::size_t kBlockBytes = kRowsPerBlock * (RowText::kRowRoom + 2);

// The lines of a block of rows, in a buffer taken once that every block fits.
class LineBlock {
 public:
  LineBlock() : bytes_(std::make_unique_for_overwrite<char[]>(kBlockBytes)) {}

  // Builds the lines of rows [first, end), at most kRowsPerBlock of them.
  void Build(const ReportSource& source, std::size_t first, std::size_t end, RowText& text) {
    size_ = 0;
    for (std::size_t row = first; row < end; ++row) {
      const std::string_view line = source.BuildDisplayText(row, text);
      std::memcpy(bytes_.get() + size_, line.data(), line.size());
      std::memcpy(bytes_.get() + size_ + line.size(), "\r\n", 2);
      size_ += line.size() + 2;
    }
  }
  std::string_view Lines() const { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
};

std::size_t BlockEnd(std::size_t block, std::size_t rows) {
  return std::min(rows, (block + 1) * kRowsPerBlock);
}

// The odd blocks, built on a thread of its own into two buffers taken in turn, so that it builds
// one while the calling thread writes the other.
class OddBlocks {
 public:
  OddBlocks(const ReportSource& source, std::size_t blocks) : source_(source), blocks_(blocks) {
    thread_ = std::thread([this] { BuildAll(); });
  }
  ~OddBlocks() {
    {
      const std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  // Waits for block `block` (odd) and gives its lines to `write`; the buffer is built again
  // only after that.
  bool Write(std::size_t block, const std::function<bool(std::string_view)>& write) {
    Slot& slot = slots_[block / 2 % 2];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return slot.ready; });
    }
    const bool written = write(slot.lines.Lines());
    {
      const std::lock_guard lock(mutex_);
      slot.ready = false;
    }
    changed_.notify_all();
    return written;
  }

 private:
  struct Slot {
    LineBlock lines;
    bool ready = false;
  };

  void BuildAll() {
    RowText text;
    const std::size_t rows = source_.RowCount();
    for (std::size_t block = 1; block < blocks_; block += 2) {
      Slot& slot = slots_[block / 2 % 2];
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || !slot.ready; });
        if (stopped_) return;
      }
      slot.lines.Build(source_, block * kRowsPerBlock, BlockEnd(block, rows), text);
      {
        const std::lock_guard lock(mutex_);
        slot.ready = true;
      }
      changed_.notify_all();
    }
  }

  const ReportSource& source_;
  const std::size_t blocks_;
  Slot slots_[2];
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopped_ = false;
  std::thread thread_;
};

void ProduceOnTwoThreads(OddBlocks& odd, const ReportSource& source, std::size_t blocks,
                         const std::function<bool(std::string_view)>& write) {
  const std::size_t rows = source.RowCount();
  LineBlock even;
  RowText text;
  for (std::size_t block = 0; block < blocks; ++block) {
    if (block % 2 == 1) {
      if (!odd.Write(block, write)) return;
      continue;
    }
    even.Build(source, block * kRowsPerBlock, BlockEnd(block, rows), text);
    if (!write(even.Lines())) return;
  }
}

}  // namespace

void ProduceReportRowLinesOnOneThread(const ReportSource& source,
                                      const std::function<bool(std::string_view)>& write) {
  const std::size_t rows = source.RowCount();
  LineBlock lines;
  RowText text;
  for (std::size_t first = 0; first < rows; first += kRowsPerBlock) {
    lines.Build(source, first, std::min(rows, first + kRowsPerBlock), text);
    if (!write(lines.Lines())) return;
  }
}

void ProduceReportRowLines(const ReportSource& source,
                           const std::function<bool(std::string_view)>& write) {
  const std::size_t rows = source.RowCount();
  const bool twoThreads = rows >= kRowsForTwoThreads && source.RowsFromAnyThread() &&
                          std::thread::hardware_concurrency() >= 2;
  if (twoThreads) {
    const std::size_t blocks = (rows + kRowsPerBlock - 1) / kRowsPerBlock;
    std::optional<OddBlocks> odd;
    try {
      odd.emplace(source, blocks);
    } catch (const std::system_error&) {
      // No second thread to be had: the calling thread builds every block.
    }
    if (odd) {
      ProduceOnTwoThreads(*odd, source, blocks, write);
      return;
    }
  }
  ProduceReportRowLinesOnOneThread(source, write);
}

}  // namespace telvoran
