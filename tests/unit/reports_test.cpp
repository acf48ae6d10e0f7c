#include <gtest/gtest.h>

#include <cstring>

#include "calls/mte_values.h"
#include "eval/evaluation.h"
#include "eval/reports.h"
#include "eval/time_windows.h"

namespace keldar {
namespace {

// 2012-08-22 10:15:00 on a clock whose local time is UTC.
constexpr std::int64_t kNow = 1345630500;

TEST(TimeWindows, AlertsCountInEveryWindowThatHoldsThem) {
  platform::ManualClock clock(kNow);
  const struct {
    const char* stamp;
    std::array<int, kWindowCount> counted;
  } cases[] = {
      {"20120822101001", {1, 1, 1, 1, 1, 1}},  // 299 s old
      {"20120822101000", {1, 1, 1, 1, 1, 1}},  // exactly at the start of 5 minutes
      {"20120822100959", {0, 1, 1, 1, 1, 1}},  // 301 s old
      {"20120822091500", {0, 0, 0, 1, 1, 1}},  // an hour
      {"20120821101500", {0, 0, 0, 0, 0, 1}},  // a day
      {"20120820101500", {0, 0, 0, 0, 0, 0}},  // two days
      {"20300101000000", {1, 1, 1, 1, 1, 1}},  // in the future
      {"              ", {0, 0, 0, 0, 0, 0}},  // blank
      {"", {0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Measurement m;
    count_in_windows(m, c.stamp, clock);
    EXPECT_EQ(m.windows, c.counted) << c.stamp;
  }
  Measurement m;
  count_in_window(m, "20120822101500", 99, clock);  // no such window: nothing counted
  EXPECT_EQ(m.windows, (std::array<int, kWindowCount>{}));
}

template <std::size_t N>
void put(char (&field)[N], std::string_view text) {
  std::memset(field, ' ', N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

TreeRow node(std::int32_t grade) {
  BapitndextRecord r{};
  put(r.MTNAMESHRT, "Syslog");
  put(r.MTCLASS, "070");
  put(r.ALERTDATE, "20120822");
  put(r.ALERTTIME, "101200");
  put(r.LASTVALDAT, "20120822");
  put(r.LASTVALTIM, "101000");
  put(r.VALERTDATE, "00000000");
  put(r.VALERTTIME, "000000");
  r.ACTUALVAL = grade;
  r.HIGHALVAL = 3;
  return TreeRow(r);
}

TEST(Reports, StateChangeSentenceCountsTheAlert) {
  platform::ManualClock clock(kNow);
  Measurement m;
  m.alert_line = "replaced";
  state_change(m, node(3), clock);
  EXPECT_EQ(m.alert_line, "State had changed to Red at 22.08.12 10:12 for Syslog...");
  EXPECT_EQ(m.windows, (std::array<int, kWindowCount>{1, 1, 1, 1, 1, 1}));
  state_change(m, node(4), clock);
  EXPECT_EQ(m.alert_line, "State had changed to 22.08.12 10:12 for Syslog...");
  EXPECT_EQ(grade_word(0), "Zero at ");
  EXPECT_EQ(grade_word(1), "Green at ");
  EXPECT_EQ(grade_word(2), "Yellow at ");
  EXPECT_EQ(grade_word(-1), "");
}

TEST(Reports, TraceLines) {
  EXPECT_EQ(report_trace(node(2), true, 2),
            "\n\n* Keldar   Actual / Highal / Class: 2 / 3 / 070\n"
            "\n\n* Keldar   Alerting-TimeStamp: 20120822 101200\n"
            "* Keldar   LastValue-TStamp: 20120822 101000\n"
            "* Keldar   V-Alert-TimeStamp: 00000000 000000\n");
  EXPECT_EQ(report_trace(node(2), false, 1),
            "\n* Keldar   Alerting-TimeStamp: 20120822 101200\n"
            "* Keldar   LastValue-TStamp: 20120822 101000\n"
            "* Keldar   V-Alert-TimeStamp: 00000000 000000\n");
  EXPECT_EQ(note_trace("a b"), "* Keldar   Note => a b <\n");
}

TEST(Values, PerformanceValueText) {
  PerformanceValue v{42, 3, "20120821", "101500", 97, "20120822", "140500"};
  EXPECT_EQ(performance_value_text(v, "%   ", "%"),
            "      42 %    (Min=3 %, 21.08.12, 10:15) (Max=97 %, 22.08.12, 14:05)");
  v.last = 123456789;
  v.minimum = -5;
  EXPECT_EQ(performance_value_text(v, "ms  ", "ms"),
            "123456789 ms   (Min=-5 ms, 21.08.12, 10:15) (Max=97 ms, 22.08.12, 14:05)");
}

TEST(Values, TextAttributesGiveAChannelOnlyForANumber) {
  const struct {
    const char* text;
    bool ok;
    const char* value;
    const char* unit;
  } cases[] = {
      {"721 patch 400", true, "721", "patch 400"},
      {"42", true, "42", "#"},
      {"-3 degrees", true, "-3", "degrees"},
      {"Kernel 721", false, "Kernel", "721"},
      {"", false, "", "#"},
      {"12345678901234567890 tail", true, "12345678901234567890", "#"},
  };
  for (const auto& c : cases) {
    Reading r = text_reading(c.text);
    EXPECT_EQ(r.ok, c.ok) << c.text;
    EXPECT_EQ(r.value, c.value) << c.text;
    EXPECT_EQ(r.unit, c.unit) << c.text;
  }
}

}  // namespace
}  // namespace keldar
