// Internal tables through the library's C interface.
#include "rfc_client.h"

namespace rfcsim_test {
namespace {

TEST(InternalTable, LinesAreZeroedNumberedFromOneAndStable) {
  ITAB_H table = rfc().ItCreate("ALERTS", 84, 0, 0);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(rfc().ItFill(table), 0u);
  EXPECT_EQ(rfc().ItGetLine(table, 1), nullptr);

  auto* first = static_cast<unsigned char*>(rfc().ItAppLine(table));
  ASSERT_NE(first, nullptr);
  for (int i = 0; i < 84; ++i) ASSERT_EQ(first[i], 0) << "byte " << i;
  std::memset(first, 'A', 84);
  auto* second = static_cast<unsigned char*>(rfc().ItAppLine(table));
  std::memset(second, 'B', 84);

  EXPECT_EQ(rfc().ItFill(table), 2u);
  EXPECT_EQ(rfc().ItGetLine(table, 1), first);  // appending moved nothing
  EXPECT_EQ(static_cast<unsigned char*>(rfc().ItGetLine(table, 2))[83], 'B');
  EXPECT_EQ(rfc().ItGetLine(table, 0), nullptr);
  EXPECT_EQ(rfc().ItGetLine(table, 3), nullptr);
  EXPECT_EQ(rfc().ItDelete(table), 0);
}

TEST(InternalTable, RefusesBadHandlesAndLengths) {
  EXPECT_EQ(rfc().ItCreate("EMPTY", 0, 0, 0), nullptr);
  ITAB_H table = rfc().ItCreate("VERSIONS", 13, 0, 0);
  ASSERT_EQ(rfc().ItDelete(table), 0);
  // A deleted handle is recognised, never followed.
  EXPECT_NE(rfc().ItDelete(table), 0);
  EXPECT_EQ(rfc().ItFill(table), 0u);
  EXPECT_EQ(rfc().ItGetLine(table, 1), nullptr);
  EXPECT_EQ(rfc().ItAppLine(table), nullptr);
  EXPECT_NE(rfc().ItDelete(nullptr), 0);
}

}  // namespace
}  // namespace rfcsim_test
