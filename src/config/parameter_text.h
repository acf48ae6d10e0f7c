// The parameter text of a run, kept twice: an upper-case working copy in
// which keywords are searched, and the verbatim copy from which values are
// copied at the same positions. Both hold the same characters position for
// position, except where the working copy has been cut or extended.
#pragma once

#include <string>
#include <string_view>

#include "text/ascii.h"

namespace keldar {

struct ParameterText {
  std::string upper;
  std::string verbatim;

  // True when the keyword occurs anywhere in the working copy.
  bool has(std::string_view keyword) const { return text::contains(upper, keyword); }
};

}  // namespace keldar
