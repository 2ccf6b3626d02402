// Memory that runs out while an archive is read ends the reading as any other failure does: the
// platform's words for it are told once, and the rows read before it stay, in order. Under an
// address-space limit, which the sanitizers' own reservations leave no room for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/RecordFile.h"
#include "core/view/ArchiveDocument.h"
#include "support/ArchiveReading.h"
#include "support/ArchiveRecords.h"
#include "support/RandomRecords.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace telvoran {
namespace {

using namespace test;

#if !defined(_WIN32) && !defined(TELVORAN_SANITIZED)

constexpr std::size_t kRecords = 1'500'000;  // 60 MB of records
constexpr rlim_t kRoom = 40 << 20;           // address space granted beyond what is in use

// The address space in use now, from the system's own count.
rlim_t AddressSpaceInUse() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  unsigned long pages = 0;
  if (statm) {
    if (std::fscanf(statm, "%lu", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

class OutOfMemoryTest : public ::testing::Test, protected ArchiveReading {};

TEST_F(OutOfMemoryTest, ReadingIsToldAndKeepsTheRowsReadInOrder) {
  RandomRecords random(3);
  const auto path = dir.Write("big.zdr", random.Event(kRecords, DateRun::Shuffled));
  for (const int column : {1, 4}) {
    ArchiveDocument document(strings, reporter);
    reporter.events.clear();
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    rlimit limited = before;
    limited.rlim_cur = AddressSpaceInUse() + kRoom;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    const ArchiveDocument::Outcome outcome = document.Open(path, column);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &before), 0);

    EXPECT_EQ(outcome, ArchiveDocument::Outcome::kStopped) << column;
    EXPECT_EQ(reporter.events, std::vector<std::string>{"error:" + platform::OutOfMemoryText()});
    const RowStore& rows = document.Content().rows;
    EXPECT_LT(rows.Size(), kRecords);
    // What is kept is in the view's order: the same rows sorted afresh stay as they are.
    std::vector<std::string> kept = RowTexts(rows);
    RowStore again{RowFormat(rows.Format())};
    for (std::size_t i = 0; i < rows.Size(); ++i) again.Append(rows.RecordAt(i));
    again.Sort();
    EXPECT_EQ(RowTexts(again), kept) << column;
  }
}

#endif

}  // namespace
}  // namespace telvoran
