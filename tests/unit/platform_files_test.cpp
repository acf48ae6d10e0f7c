#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/text_lines.h"
#include "temp_dir.h"

namespace keldar {
namespace {

TEST(TextLines, PiecesLineEndsAndCrLf) {
  using V = std::vector<std::string>;
  EXPECT_EQ(platform::read_lines("a\nbb\n", 199), (V{"a", "bb"}));
  EXPECT_EQ(platform::read_lines("a\r\nbb\r\n", 199), (V{"a", "bb"}));
  EXPECT_EQ(platform::read_lines("last without end", 199), (V{"last without end"}));
  EXPECT_EQ(platform::read_lines("\n\n", 199), (V{"", ""}));
  // At most max characters per read, the line feed counted among them.
  EXPECT_EQ(platform::read_lines("abcdefg\n", 3), (V{"abc", "def", "g"}));
  EXPECT_EQ(platform::read_lines("abc\n", 3), (V{"abc", ""}));
  EXPECT_EQ(platform::read_lines("ab\r\n", 3), (V{"ab"}));
  EXPECT_EQ(platform::read_lines("", 199), V{});
}

#if !defined(_WIN32)
TEST(FileSystem, WindowsPathsMapOntoTheRoot) {
  platform::FileSystem files("/srv/root");
  const struct {
    const char* path;
    const char* native;
  } cases[] = {
      {"C:\\PRTG_Path.Txt", "/srv/root/PRTG_Path.Txt"},
      {"d:\\Apps\\PRTG Network Monitor\\x.P00", "/srv/root/Apps/PRTG Network Monitor/x.P00"},
      {"D:", "/srv/root/"},
      {"\\Program Files\\a", "/srv/root/Program Files/a"},
      {"/etc/keldar/PRD.P00", "/srv/root/etc/keldar/PRD.P00"},
      {"cfg\\PRD.P00", "cfg/PRD.P00"},
      {"PRD.P00", "PRD.P00"},
  };
  for (const auto& c : cases) EXPECT_EQ(files.native_path(c.path), c.native) << c.path;
  EXPECT_EQ(platform::FileSystem().native_path("C:\\PRTG_Path.Txt"), "/PRTG_Path.Txt");
}
#endif

TEST(FileSystem, ReadWriteRemoveAndDirectoriesDoNotOpen) {
  testing::TempDir dir;
  platform::FileSystem files;
  std::string base = dir.root();
  EXPECT_FALSE(files.read(base + "none.txt"));
  EXPECT_FALSE(files.can_open(base + "none.txt"));
  ASSERT_TRUE(files.write(base + "a.txt", std::string("x\r\ny\0z", 6)));
  EXPECT_EQ(files.read(base + "a.txt"), std::string("x\r\ny\0z", 6));
  EXPECT_TRUE(files.can_open(base + "a.txt"));
  EXPECT_FALSE(files.can_open(base));
  EXPECT_TRUE(files.remove(base + "a.txt"));
  EXPECT_FALSE(files.remove(base + "a.txt"));
}

}  // namespace
}  // namespace keldar
