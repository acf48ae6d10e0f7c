#include <gtest/gtest.h>

#include "platform/clock.h"

namespace keldar {
namespace {

TEST(Clock, CivilTimeOfEpochSeconds) {
  const struct {
    std::int64_t seconds;
    const char* stamp;
    const char* date_text;
  } cases[] = {
      {0, "19700101000000", "Thu Jan  1 00:00:00 1970\n"},
      {951782400, "20000229000000", "Tue Feb 29 00:00:00 2000\n"},
      {1345630500, "20120822101500", "Wed Aug 22 10:15:00 2012\n"},
      {1798761599, "20261231235959", "Thu Dec 31 23:59:59 2026\n"},
      {-1, "19691231235959", "Wed Dec 31 23:59:59 1969\n"},
  };
  for (const auto& c : cases) {
    platform::LocalTime t = platform::utc_time(c.seconds);
    EXPECT_EQ(platform::time_stamp(t), c.stamp) << c.seconds;
    EXPECT_EQ(platform::date_text(t), c.date_text) << c.seconds;
    EXPECT_EQ(platform::date_text(t).size(), 25u);  // plus its NUL: the 26 of the standard
  }
  EXPECT_EQ(platform::clock_time(platform::utc_time(1345630500)), "10:15:00");
}

TEST(Clock, AManualClockStandsWhereTheTestPutsIt) {
  platform::ManualClock clock(1345630500);
  EXPECT_EQ(clock.now(), 1345630500);
  clock.advance(300);
  EXPECT_EQ(platform::time_stamp(clock.local(clock.now())), "20120822102000");
  clock.set(0);
  EXPECT_EQ(platform::time_stamp(clock.local(clock.now())), "19700101000000");
}

}  // namespace
}  // namespace keldar
