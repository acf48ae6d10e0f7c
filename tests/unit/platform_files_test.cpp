#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "temp_dir.h"

namespace keldar {
namespace {

TEST(FileSystem, WindowsPathsMapOntoTheRoot) {
  if (!platform::maps_windows_paths()) GTEST_SKIP() << "Windows uses its paths as they stand";
  platform::FileSystem files({"/srv/root", "/work"});
  const struct {
    const char* path;
    const char* native;
  } cases[] = {
      {"C:\\PRTG_Path.Txt", "/srv/root/PRTG_Path.Txt"},
      {"d:\\Apps\\PRTG Network Monitor\\x.P00", "/srv/root/Apps/PRTG Network Monitor/x.P00"},
      {"D:", "/srv/root/"},
      {"\\Program Files\\a", "/srv/root/Program Files/a"},
      {"/etc/keldar/PRD.P00", "/srv/root/etc/keldar/PRD.P00"},
      {"cfg\\PRD.P00", "/work/cfg/PRD.P00"},
      {"PRD.P00", "/work/PRD.P00"},
  };
  for (const auto& c : cases) EXPECT_EQ(files.native_path(c.path), c.native) << c.path;
  EXPECT_EQ(platform::FileSystem().native_path("C:\\PRTG_Path.Txt"), "/PRTG_Path.Txt");
  EXPECT_EQ(platform::FileSystem().native_path("cfg\\PRD.P00"), "cfg/PRD.P00");
}

// Reads a whole file through the streaming interface.
std::optional<std::string> read_all(const platform::FileSystem& files, const std::string& path) {
  std::unique_ptr<platform::InputFile> file = files.open(path);
  if (file == nullptr) return std::nullopt;
  std::string content;
  char buffer[3];  // small, so that reads cross many buffer ends
  std::ptrdiff_t n;
  while ((n = file->read(buffer, sizeof buffer)) > 0) content.append(buffer, static_cast<std::size_t>(n));
  if (n < 0) return std::nullopt;
  return content;
}

TEST(FileSystem, WriteAppendCopyRemoveInTheWorkingDirectory) {
  testing::TempDir work;
  platform::FileSystem files({"/", work.root()});
  EXPECT_FALSE(read_all(files, "none.txt"));
  EXPECT_FALSE(files.can_open("none.txt"));
  ASSERT_TRUE(files.write("a.txt", std::string("x\r\ny\0z", 6)));
  EXPECT_EQ(work.read("a.txt"), std::string("x\r\ny\0z", 6));
  EXPECT_EQ(read_all(files, "a.txt"), std::string("x\r\ny\0z", 6));
  EXPECT_TRUE(files.can_open("a.txt"));
  ASSERT_TRUE(files.append("a.txt", "+1"));
  ASSERT_TRUE(files.append("new.txt", "first"));
  EXPECT_EQ(work.read("a.txt"), std::string("x\r\ny\0z+1", 8));
  EXPECT_EQ(work.read("new.txt"), "first");
  ASSERT_TRUE(files.copy("a.txt", "b.txt"));
  EXPECT_EQ(work.read("b.txt"), std::string("x\r\ny\0z+1", 8));
  EXPECT_FALSE(files.copy("none.txt", "c.txt"));
  EXPECT_TRUE(files.remove("a.txt"));
  EXPECT_FALSE(files.remove("a.txt"));
  ASSERT_TRUE(files.write("empty.txt", ""));
  EXPECT_TRUE(files.can_open("empty.txt")) << "an empty file is a file";
}

TEST(FileSystem, ADirectoryIsNoFileToRead) {
  testing::TempDir work;
  platform::FileSystem files({"/", work.root()});
  std::filesystem::create_directories(work.path() / "PRD.P00");
  EXPECT_FALSE(files.can_open("PRD.P00"));
  EXPECT_FALSE(read_all(files, "PRD.P00"));
  EXPECT_FALSE(files.copy("PRD.P00", "copy.txt"));
  EXPECT_FALSE(files.write("PRD.P00", "x"));
}

}  // namespace
}  // namespace keldar
