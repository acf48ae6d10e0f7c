// The RFC trace lines: one line per RFC library call, written to a file in
// the working directory when the parameter text holds ",SYSLOG".
#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace keldar {

// The trace file, appended to by every run with ",SYSLOG".
inline constexpr std::string_view kRfcTraceFileName = "Keldar_Rfc.Log";

class RfcTrace {
 public:
  // `files` must outlive the trace. A disabled trace writes nothing.
  RfcTrace(const platform::FileSystem& files, bool enabled) : files_(files), enabled_(enabled) {}

  // Appends "<number> <operation> <detail>\n": the number is the connection
  // handle (0 while none is open). A file that cannot be written loses the
  // line; the run goes on.
  void line(unsigned number, std::string_view operation, std::string_view detail) const;

 private:
  const platform::FileSystem& files_;
  bool enabled_;
};

}  // namespace keldar
