#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/file_locations.h"
#include "output/output_mode.h"
#include "platform/file_system.h"
#include "run/failure.h"
#include "temp_dir.h"

namespace keldar {
namespace {

const std::string kSensorDir = "PRTG Network Monitor/Custom Sensors/ExeXml/";

struct Scenario {
  const char* what;
  std::vector<std::pair<std::string, std::string>> files;  // below the root
  std::string argument;
  OutputMode mode;
  std::string parameter;
  // Expected outcome: an error text, or directory, file name and content.
  std::string error;
  std::string directory;
  std::string file_name;
  std::string found;  // content of the profile found
  bool global = false;
};

struct Located {
  ProfileLocation location;
  std::string error;    // the message when the profile was not found
  std::string content;  // the profile's bytes when it was
};

Located locate(const platform::FileSystem& files, const std::string& argument, bool search) {
  Located found;
  found.location = locate_profile(files, argument, search);
  if (found.location.file == nullptr) {
    found.error = failure(Message::profile_missing, {found.location.shown_name}).text;
    return found;
  }
  char buffer[256];
  std::ptrdiff_t n;
  while ((n = found.location.file->read(buffer, sizeof buffer)) > 0) {
    found.content.append(buffer, static_cast<std::size_t>(n));
  }
  return found;
}

TEST(FileLocations, DefaultExtension) {
  const struct {
    const char* argument;
    const char* name;
  } cases[] = {
      {"PRD", "PRD.P00"},         {"PRD.P01", "PRD.P01"}, {"AB", "AB.P00"},
      {"x.y", "x.y.P00"},         {"PRD.P1", "PRD.P1.P00"}, {"C:\\cfg\\PRD", "C:\\cfg\\PRD.P00"},
      {"", ".P00"},
  };
  for (const auto& c : cases) EXPECT_EQ(with_default_extension(c.argument), c.name) << c.argument;
}

TEST(FileLocations, ProfileSearchAndDirectorySplit) {
  const Scenario scenarios[] = {
      {"sibling mode: directory from the argument",
       {{"cfg/PRD.P00", "prd"}}, "C:\\cfg\\PRD", OutputMode::Quibbet, "CPU",
       "", "C:\\cfg\\", "PRD.P00", "prd"},
      {"sibling mode, missing: the full path in the message",
       {}, "C:\\cfg\\PRD", OutputMode::Dravosk, "CPU",
       "Error 1002: Profile C:\\cfg\\PRD.P00 is missing...", "", "", ""},
      {"a separator in the first position is no directory split",
       {{"PRD.P00", "root"}}, "\\PRD", OutputMode::Pimtrel, "CPU",
       "", "", "\\PRD.P00", "root"},
      {"\"@\" in EXEXML takes the argument's directory",
       {{"cfg/PRD.P01", "p01"}}, "C:\\cfg\\PRD.P01", OutputMode::EXEXML, "CPU@",
       "", "C:\\cfg\\", "PRD.P01", "p01"},
      {"\"@\" in EXEXML, missing: full path",
       {}, "/etc/keldar/PRD", OutputMode::EXEXML, "CPU@",
       "Error 1002: Profile /etc/keldar/PRD.P00 is missing...", "", "", ""},
      {"GLOBAL selects the global file, found in the second fixed candidate",
       {{"Program Files/" + kSensorDir + "SAP Velquist.Gbl", "gbl"}}, "global", OutputMode::EXEXML,
       "G", "", "\\Program Files\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\",
       "SAP Velquist.Gbl", "gbl", true},
      {"GLOBAL.P00 with a directory selects the global file there",
       {{"dir/SAP Velquist.Gbl", "gbl"}}, "C:\\dir\\Global.P00", OutputMode::Halvenor, "G",
       "", "C:\\dir\\", "SAP Velquist.Gbl", "gbl", true},
      {"GLOBAL without extension behind a directory",
       {{"dir/SAP Velquist.Gbl", "gbl"}}, "C:\\dir\\GLOBAL", OutputMode::Halvenor, "G",
       "", "C:\\dir\\", "SAP Velquist.Gbl", "gbl", true},
      {"PRTG_Path.Txt: the last qualifying line is the installation root",
       {{"PRTG_Path.Txt", "installation:\r\nD:\\Apps\\\r\n"}, {"Apps/" + kSensorDir + "PRD.P00", "apps"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "D:\\Apps\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", "PRD.P00", "apps"},
      {"PRTG_Path.Txt: \"D:\" becomes \"D:\\\"",
       {{"PRTG_Path.Txt", "C:\\Other\\\nD:\n"}, {kSensorDir + "PRD.P00", "d"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "D:\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", "PRD.P00", "d"},
      {"PRTG_Path.Txt: the program directory of the monitor itself",
       {{"PRTG_Path.Txt", "/opt/prtg\n"}, {"opt/prtg/Custom Sensors/ExeXml/PRD.P00", "opt"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "/opt/prtg\\Custom Sensors\\ExeXml\\", "PRD.P00", "opt"},
      {"PRTG_Path.Txt: lines are read in pieces of 99 characters",
       {{"PRTG_Path.Txt", std::string(99, 'x') + "D:\\Apps\n"}, {"Apps/" + kSensorDir + "PRD.P00", "apps"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "D:\\Apps\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", "PRD.P00", "apps"},
      {"PRTG_Path.Txt without a qualifying line: the search starts at the root",
       {{"PRTG_Path.Txt", "installation:\n"}, {"PRD.P00", "root"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "\\", "PRD.P00", "root"},
      {"PRTG_Path.Txt: the profile must be there; the fixed candidates are not tried",
       {{"PRTG_Path.Txt", "D:\\Apps\\\n"}, {"Program Files/" + kSensorDir + "PRD.P00", "pf"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "Error 1002: Profile PRD.P00 is missing...", "", "", ""},
      {"the search ignores the argument's directory",
       {{"cfg/PRD.P00", "cfg"}}, "C:\\cfg\\PRD", OutputMode::EXEXML, "CPU",
       "Error 1002: Profile PRD.P00 is missing...", "", "", ""},
      {"fixed candidates in order: the third",
       {{"Program Files (x86)/" + kSensorDir + "PRD.P00", "x86"}}, "PRD", OutputMode::EXEXML, "CPU",
       "", "\\Program Files (x86)\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", "PRD.P00", "x86"},
      {"fixed candidates in order: the first before the third",
       {{"Programme/" + kSensorDir + "PRD.P00", "de"}, {"Program Files (x86)/" + kSensorDir + "PRD.P00", "x86"}},
       "PRD", OutputMode::EXEXML, "CPU",
       "", "\\Programme\\PRTG Network Monitor\\Custom Sensors\\ExeXml\\", "PRD.P00", "de"},
      {"nowhere: the file name alone in the message",
       {{"Program Files/" + kSensorDir + "QAS.P00", "qas"}}, "PRD", OutputMode::EXEXML, "CPU",
       "Error 1002: Profile PRD.P00 is missing...", "", "", ""},
  };

  for (const Scenario& s : scenarios) {
    // Each scenario has a root and a working directory of its own.
    testing::TempDir dir;
    testing::TempDir work;
    platform::FileSystem files({dir.root(), work.root()});
    if (!platform::maps_windows_paths()) {
      GTEST_SKIP() << "drive paths do not map onto an injected root on this platform";
    }
    for (const auto& [path, content] : s.files) dir.write(path, content);
    // Absolute argument paths of the table stand below the injected root.
    const bool search = s.mode == OutputMode::EXEXML && s.parameter.find('@') == std::string::npos;
    Located found = locate(files, s.argument, search);
    if (!s.error.empty()) {
      EXPECT_EQ(found.error, s.error) << s.what;
      continue;
    }
    ASSERT_EQ(found.error, "") << s.what;
    EXPECT_EQ(found.location.program_directory, s.directory) << s.what;
    EXPECT_EQ(found.location.file_name, s.file_name) << s.what;
    EXPECT_EQ(found.location.global, s.global) << s.what;
    EXPECT_EQ(found.content, s.found) << s.what;
  }
}

// The working directory is the first place of the search when there is no
// "C:\PRTG_Path.Txt".
TEST(FileLocations, SearchWithoutPathFileStartsInTheWorkingDirectory) {
  testing::TempDir root;
  testing::TempDir work;
  platform::FileSystem files({root.root(), work.root()});
  work.write("PRD.P00", "here");
  root.write("Program Files/" + kSensorDir + "PRD.P00", "there");
  if (!platform::maps_windows_paths()) GTEST_SKIP() << "no injected root on this platform";

  Located found = locate(files, "PRD", true);
  ASSERT_EQ(found.error, "");
  EXPECT_EQ(found.location.program_directory, "");
  EXPECT_EQ(found.content, "here");
}

// A directory where a file is expected is no file: it is skipped like a
// missing one, and never read.
TEST(FileLocations, DirectoriesAreNoProfilesAndNoPathFile) {
  testing::TempDir root;
  testing::TempDir work;
  platform::FileSystem files({root.root(), work.root()});
  if (!platform::maps_windows_paths()) GTEST_SKIP() << "no injected root on this platform";
  std::filesystem::create_directories(work.path() / "PRD.P00");
  root.write("Program Files/" + kSensorDir + "PRD.P00", "candidate");
  Located found = locate(files, "PRD", true);
  EXPECT_EQ(found.content, "candidate");

  std::filesystem::create_directories(root.path() / "PRTG_Path.Txt");
  found = locate(files, "PRD", true);
  EXPECT_EQ(found.content, "candidate") << "an unreadable path file counts as none";

  std::filesystem::create_directories(work.path() / "cfg" / "QAS.P00");
  found = locate(files, "cfg/QAS", false);
  EXPECT_EQ(found.error, "Error 1002: Profile cfg/QAS.P00 is missing...");
}

}  // namespace
}  // namespace keldar
