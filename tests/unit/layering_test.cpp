// The folders of src/ are layers: a file includes only its own folder and
// the folders below it, so the include graph has no cycle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

namespace keldar {
namespace {

namespace fs = std::filesystem;

// Each folder with the folders it may include besides itself.
const std::map<std::string, std::set<std::string>> kLayers = {
    {"text", {}},
    {"platform", {}},
    {"config", {"text", "platform"}},
    {"rfc", {"text", "platform"}},
    {"output", {"text", "platform"}},
    {"calls", {"text", "platform", "config", "rfc", "output"}},
    {"eval", {"text", "platform", "config", "rfc", "output", "calls"}},
    {"run", {"text", "platform", "config", "rfc", "output", "calls", "eval"}},
};

TEST(Layering, EveryIncludeGoesToTheSameLayerOrBelow) {
  fs::path src = fs::path(KELDAR_SOURCE_DIR) / "src";
  ASSERT_TRUE(fs::is_directory(src)) << src;
  int includes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    fs::path relative = fs::relative(entry.path(), src);
    if (relative.begin() == relative.end() || ++relative.begin() == relative.end()) continue;
    std::string folder = relative.begin()->string();
    auto layer = kLayers.find(folder);
    ASSERT_NE(layer, kLayers.end()) << "src/" << folder << " is no known layer";
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("#include \"", 0) != 0) continue;
      std::string target = line.substr(10, line.find('/', 10) - 10);
      ++includes;
      EXPECT_TRUE(target == folder || layer->second.count(target) != 0)
          << relative.generic_string() << " includes " << line.substr(9);
    }
  }
  EXPECT_GT(includes, 0);
}

}  // namespace
}  // namespace keldar
