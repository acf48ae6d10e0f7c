// The RFC library, loaded at run time, and the table of its entry points.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/shared_library.h"
#include "rfc/rfc_interface.h"

namespace keldar {

// The library's entry points. Everything above this layer calls the library
// through such a table, so a test can fill one with its own functions.
struct RfcApi {
  RfcEnvironment_t RfcEnvironment = nullptr;
  RfcOpen_t RfcOpen = nullptr;
  RfcOpenEx_t RfcOpenEx = nullptr;
  RfcClose_t RfcClose = nullptr;
  RfcLastError_t RfcLastError = nullptr;
  RfcInstallStructure_t RfcInstallStructure = nullptr;
  RfcCall_t RfcCall = nullptr;
  RfcReceive_t RfcReceive = nullptr;
  ItCreate_t ItCreate = nullptr;
  ItFill_t ItFill = nullptr;
  ItGetLine_t ItGetLine = nullptr;
  ItDelete_t ItDelete = nullptr;
  // Offered by the library, not used by the sensor.
  RfcCallReceive_t RfcCallReceive = nullptr;
  ItAppLine_t ItAppLine = nullptr;
};

// One entry point: its exported name, the bytes of its arguments (the
// "_Name@N" decoration of 32-bit Windows), whether the sensor needs it, and
// where it goes in the table.
struct RfcEntryPoint {
  const char* name;
  int argument_bytes;
  bool used_by_sensor;
  void (*store)(RfcApi& api, void* address);
};

// Every entry point of the table, in the order of RfcApi.
extern const std::array<RfcEntryPoint, 14> kRfcEntryPoints;

// Looks up every entry point (plain name first, then the decorated name)
// and stores those found. Returns the name of the first entry point that
// the sensor needs and the library lacks; empty when none is missing.
std::string bind_rfc_entry_points(const platform::SharedLibrary& library, RfcApi& api);

// File name of the RFC library on this platform ("librfc32.dll" on Windows,
// "librfccm.so" elsewhere).
const char* rfc_library_file_name();

struct RfcLibrary {
  std::unique_ptr<platform::SharedLibrary> library;
  RfcApi api;
};

// How loading the library went.
struct RfcLibraryLoad {
  enum class Outcome { loaded, missing, unloadable, incomplete };
  Outcome outcome = Outcome::loaded;
  // unloadable: why the system refused the file; incomplete: the name of
  // the missing entry point.
  std::string detail;
};

// Loads the library from `program_directory` (full path) first, then
// through the platform's normal search, and binds its entry points. A file
// that is there but cannot be loaded is reported as such (damaged, or built
// for the other architecture): "missing" would send the admin looking for
// the wrong fault.
RfcLibraryLoad load_rfc_library(const std::string& program_directory, RfcLibrary& rfc);

}  // namespace keldar
