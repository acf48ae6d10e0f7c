// The library's destination file "SapRfc.ini" in the working directory, in
// its classic layout: an entry starts with DEST=<name>, followed by one
// KEY=value per line (TYPE=A with ASHOST and SYSNR, TYPE=B with MSHOST,
// R3NAME and GROUP; GWHOST, GWSERV, RFC_TRACE and the like are allowed).
// Lines starting with "*" or "#" and empty lines are comments.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace rfcsim {

inline constexpr const char* kDestinationFileName = "SapRfc.ini";

struct Destination {
  std::string name;
  std::map<std::string, std::string> keys;  // upper-case key -> value, DEST included
  std::string key(const std::string& keyword) const;  // "" when absent
};

// The entry for `name` (compared without regard to case) in the file's
// text, or nullopt.
std::optional<Destination> find_destination(const std::string& file_text, const std::string& name);

}  // namespace rfcsim
