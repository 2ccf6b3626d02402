#include "tools/mkarchive/RecordEncoding.h"

#include <gtest/gtest.h>

namespace telvoran {
namespace {

TEST(IntervalRecordEncoding, Placeholder) {
  EXPECT_EQ(EncodeIntervalRecord({}).Kind(), 26u);
}

}  // namespace
}  // namespace telvoran
