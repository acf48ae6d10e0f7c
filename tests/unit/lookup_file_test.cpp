// The PRTG value lookup of the release package: the grades of the "State"
// channels as PRTG states, in the form PRTG accepts (an id of letters and
// dots that names the file, one entry type per file).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace keldar {
namespace {

namespace fs = std::filesystem;

const fs::path kLookups = fs::path(KELDAR_SOURCE_DIR) / "packaging" / "lookups";

std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(LookupFile, MapsEachGradeToItsPrtgState) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kLookups)) {
    ++files;
    const fs::path& path = entry.path();
    ASSERT_EQ(path.extension(), ".ovl") << path;
    const std::string text = read(path);

    std::smatch root;
    ASSERT_TRUE(std::regex_search(text, root, std::regex("<ValueLookup id=\"([^\"]*)\"([^>]*)>")))
        << path;
    const std::string id = root[1];
    const std::string attributes = root[2];
    EXPECT_TRUE(std::regex_match(id, std::regex("[a-zA-Z.]+"))) << id;
    EXPECT_EQ(path.stem().string(), id);
    // Coverage is the share of time the node was green.
    EXPECT_NE(attributes.find("desiredValue=\"1\""), std::string::npos) << attributes;
    EXPECT_NE(attributes.find("undefinedState=\"Warning\""), std::string::npos) << attributes;
    EXPECT_NE(attributes.find("xsi:noNamespaceSchemaLocation=\"PaeValueLookup.xsd\""),
              std::string::npos);

    // PRTG discards a file that mixes entry types: every entry is a SingleInt.
    const std::string body = text.substr(text.find("<Lookups>"));
    std::map<int, std::string> states;
    std::regex element("<([A-Za-z]+)[ >]");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), element);
         it != std::sregex_iterator(); ++it) {
      const std::string name = (*it)[1];
      EXPECT_TRUE(name == "Lookups" || name == "SingleInt") << name;
    }
    std::regex single("<SingleInt state=\"([A-Za-z]+)\" value=\"([0-9]+)\">[A-Za-z]+</SingleInt>");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), single);
         it != std::sregex_iterator(); ++it) {
      EXPECT_TRUE(states.emplace(std::stoi((*it)[2]), (*it)[1]).second) << "twice: " << (*it)[2];
    }
    // 0 unknown, 1 green, 2 yellow, 3 red.
    const std::map<int, std::string> expected = {
        {0, "None"}, {1, "Ok"}, {2, "Warning"}, {3, "Error"}};
    EXPECT_EQ(states, expected);
  }
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace keldar
