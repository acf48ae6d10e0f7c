#include "output/messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "run/failure.h"

namespace keldar {
namespace {

TEST(Messages, EveryMessageHasOneEntry) {
  std::set<Message> seen;
  for (const MessageForm& entry : kMessages) {
    EXPECT_TRUE(seen.insert(entry.id).second) << entry.form;
    EXPECT_EQ(&message_form(entry.id), &entry) << entry.form;
  }
  EXPECT_EQ(seen.size(), kMessages.size());
  EXPECT_EQ(static_cast<std::size_t>(Message::internal_error) + 1, kMessages.size());
}

TEST(Messages, PiecesFillThePlaceholdersInOrder) {
  EXPECT_EQ(message_text(Message::profile_missing, {"PRD.P00"}),
            "Error 1002: Profile PRD.P00 is missing...");
  EXPECT_EQ(message_text(Message::password_missing, {"PRD.P00"}),
            "Error 1007: Password in Profile PRD.P00\tis missing...");
  EXPECT_EQ(message_text(Message::library_unloadable, {"librfc32.dll", "damaged"}),
            "Error 1010: RFC-Library librfc32.dll cannot be loaded: damaged...");
  EXPECT_EQ(message_text(Message::profile_name_missing),
            "Error 1001: Parameter for Profile-Name is missing !");
  // A piece may hold braces of its own; they are not placeholders.
  EXPECT_EQ(message_text(Message::local_sensor_not_found, {"{x}"}),
            "Error 1021: Local Sensor {x} not found !");
  Failure f = failure(Message::sensor_file_missing, {"Velquist.Prf"});
  EXPECT_EQ(f.number, 1020);
  EXPECT_EQ(f.text, "Error 1020: File Velquist.Prf is missing...");
  EXPECT_EQ(f.ending, Ending::error_result);
}

// docs/messages.md ends with the list of every message form, one table row
// "| number | `form` |" each; it must be the table of the program.
TEST(Messages, DocumentationListsExactlyTheProgramsMessages) {
  std::ifstream in(std::string(KELDAR_SOURCE_DIR) + "/docs/messages.md", std::ios::binary);
  ASSERT_TRUE(in) << "docs/messages.md not found";
  std::string line;
  bool in_list = false;
  std::multiset<std::pair<int, std::string>> documented;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) in_list = line == "## Every message form";
    if (!in_list || line.rfind("| ", 0) != 0) continue;
    std::size_t open = line.find(" | `");
    std::size_t close = line.rfind("` |");
    if (open == std::string::npos || close == std::string::npos || close <= open) continue;
    std::string number = line.substr(2, open - 2);
    documented.insert({number == "-" ? 0 : std::stoi(number), line.substr(open + 4, close - open - 4)});
  }
  std::multiset<std::pair<int, std::string>> program;
  for (const MessageForm& entry : kMessages) program.insert({entry.number, std::string(entry.form)});
  EXPECT_EQ(documented, program);
}

}  // namespace
}  // namespace keldar
