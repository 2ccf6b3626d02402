#include "core/sort/PrefixClasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace telvoran {
namespace {

TEST(PrefixClasses, SamePrefixSameClassAndRanksInCollationOrder) {
  PrefixClasses classes;
  const std::uint32_t normal = classes.ClassOf("Stan normalny0");
  const std::uint32_t failure = classes.ClassOf("Awaria czujnika3");
  const std::uint32_t none = classes.ClassOf("");
  const std::uint32_t lower = classes.ClassOf("awaria czujnika3");
  EXPECT_EQ(classes.ClassOf("Stan normalny0"), normal);
  EXPECT_EQ(classes.ClassOf("Awaria czujnika3"), failure);
  EXPECT_EQ(classes.Width(failure), 16u);

  // Rows without a prefix go on with the "20" of their year: digits before letters.
  const auto ranks = classes.Ranks("20");
  ASSERT_TRUE(ranks);
  EXPECT_EQ((*ranks)[none], 0u);
  EXPECT_EQ((*ranks)[failure], 1u);
  EXPECT_EQ((*ranks)[lower], 1u) << "equal but for case: one rank";
  EXPECT_EQ((*ranks)[normal], 2u);
}

TEST(PrefixClasses, NoRanksWhenOnePrefixBeginsAnotherWithWhatFollows) {
  PrefixClasses classes;
  classes.ClassOf("Alarm0");
  classes.ClassOf("Alarm01");
  EXPECT_FALSE(classes.Ranks(""));
  EXPECT_TRUE(classes.Ranks("20")) << "\"Alarm020\" and \"Alarm0120\" differ at their 7th";

  PrefixClasses followed;
  followed.ClassOf("A");
  followed.ClassOf("A202");
  EXPECT_FALSE(followed.Ranks("20"));
}

TEST(PrefixClasses, GivesUpBeyondItsMostClasses) {
  PrefixClasses classes;
  for (std::uint32_t i = 0; i < PrefixClasses::kMostClasses; ++i)
    ASSERT_EQ(classes.ClassOf(std::to_string(i)), i);
  EXPECT_EQ(classes.ClassOf("one more"), PrefixClasses::kTooMany);
}

}  // namespace
}  // namespace telvoran
