// The reason of an RFC failure, taken from the RFC library's trace file.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "text/line_reader.h"

namespace keldar {

// Name of the RFC library's trace file in the working directory.
inline constexpr const char* kTraceFileName = "Dev_Rfc.Trc";

struct TraceScan {
  enum class Outcome {
    error_found,    // `error` holds the last error the library wrote
    no_error_line,  // the file holds no error for its last block
    no_file,        // the file cannot be opened or read
  };
  Outcome outcome = Outcome::no_file;
  std::string error;
};

// Scans the trace file for the last error the library wrote. The file is
// read in pieces of at most 99 characters, so its size costs no memory;
// "**** ERROR " opens a new block, "ERROR " lines (the error from character
// 13) and lines with "======> " at characters 8 to 15 (the error from
// character 16) carry the error; a line with both gives the arrow's.
TraceScan trace_scan(const platform::FileSystem& files);

// The same over the lines of a trace file (pieces of at most 99
// characters).
TraceScan scan_trace_lines(text::LineReader& lines);

// The pieces in which the trace file is read.
inline constexpr std::size_t kTraceLineChars = 99;

}  // namespace keldar
