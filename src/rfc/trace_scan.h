// The reason of an RFC failure, taken from the RFC library's trace file.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace keldar {

// Name of the RFC library's trace file in the working directory.
inline constexpr const char* kTraceFileName = "Dev_Rfc.Trc";

// Scans the trace file for the last error the library wrote and returns the
// text to append to the error message: " - " and the error, " - Please Check
// Trace-File !" when the file holds no error line, or " - Look for
// Trace-File" when it cannot be opened or read. The file is read in pieces
// of at most 99 characters, so its size costs no memory; "**** ERROR " opens
// a new block, "ERROR " lines and lines with "======> " at characters 8 to
// 15 carry the error.
std::string trace_scan(const platform::FileSystem& files);

}  // namespace keldar
