// Messages that carry a file or sensor name: three pieces put together.
#pragma once

#include <string>
#include <string_view>

namespace keldar {

inline std::string named_message(std::string_view first, std::string_view name,
                                 std::string_view last) {
  std::string text(first);
  text += name;
  text += last;
  return text;
}

}  // namespace keldar
