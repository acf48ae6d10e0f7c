// RFC libraries in-process for the fuzz targets, behind the sensor's RfcApi:
// a scripted one that answers every call from a byte string, the answer
// script, and a recorder in front of a real library that writes the script
// of what that library answered.
//
// The script lists the library's answers in the order the sensor asks:
//
//   RfcOpen, RfcOpenEx   1 byte: 0 the open fails, else a connection opens
//   RfcCall              1 byte: the result code
//   RfcReceive           1 byte: the result code;
//                        1 byte n, n bytes: the exception text;
//                        result code 0 only:
//                          each importing parameter: its length in bytes;
//                          each table: 2 bytes row count (little-endian,
//                          at most kMaxRows), then each row: as many bytes
//                          as the line length the table was created with.
//
// Where the script has ended, every byte reads as 0: calls succeed, values
// are NUL bytes and tables are empty. Any byte string is a valid script, so
// the fuzzer can take any; every value the library could hand over is one.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rfc/rfc_library.h"

namespace keldar::fuzz {

// Rows per table that a script can give.
inline constexpr unsigned kMaxRows = 5000;

// Answers from a script. One at a time per process: the library's entry
// points are plain C functions and reach it through a global.
class ScriptedLibrary {
 public:
  ScriptedLibrary();
  ~ScriptedLibrary();
  ScriptedLibrary(const ScriptedLibrary&) = delete;
  ScriptedLibrary& operator=(const ScriptedLibrary&) = delete;

  const RfcApi& api() const { return api_; }

  // Starts over with `script`, which must outlive the run; forgets every
  // table of the run before.
  void start(std::string_view script);

  struct Table {
    unsigned line_length = 0;
    std::vector<std::string> rows;
  };

  // For the entry points.
  unsigned byte();
  std::string bytes(std::size_t count);
  Table* create_table(unsigned line_length);
  std::string exception;

 private:
  RfcApi api_;
  std::string_view script_;
  std::size_t position_ = 0;
  std::vector<std::unique_ptr<Table>> tables_;
};

// Records the answers of `real` as a script. One at a time per process.
class RecordingLibrary {
 public:
  explicit RecordingLibrary(const RfcApi& real);
  ~RecordingLibrary();
  RecordingLibrary(const RecordingLibrary&) = delete;
  RecordingLibrary& operator=(const RecordingLibrary&) = delete;

  const RfcApi& api() const { return api_; }
  const RfcApi& real() const { return real_; }

  // The script recorded since the last take.
  std::string take_script();

  // For the entry points.
  void append(std::string_view bytes) { script_ += bytes; }
  void created(ITAB_H table, unsigned line_length);
  unsigned line_length(ITAB_H table) const;

 private:
  RfcApi real_;
  RfcApi api_;
  std::string script_;
  std::map<ITAB_H, unsigned> line_lengths_;
};

}  // namespace keldar::fuzz
