// The reason of an RFC failure, taken from the RFC library's trace file.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace keldar {

// Name of the RFC library's trace file in the working directory.
inline constexpr const char* kTraceFileName = "Dev_Rfc.Trc";

// Scans the trace file for the last error the library wrote and returns the
// text to append to the error message: " - " and the error, " - Please Check
// Trace-File !" when the file holds no error line, or " - Look for
// Trace-File" when it cannot be opened. Lines are read in pieces of at most
// 99 characters; "**** ERROR " opens a new block, "ERROR " lines and lines
// with "======> " at characters 8 to 15 carry the error.
std::string trace_scan(const platform::FileSystem& files);

// The same for the trace file's content; nullopt when it cannot be opened.
std::string trace_scan_content(const std::optional<std::string>& content);

}  // namespace keldar
