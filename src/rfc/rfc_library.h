// The RFC library, loaded at run time, and the entry points the sensor uses.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/shared_library.h"
#include "rfc/rfc_interface.h"

namespace keldar {

struct RfcLibrary {
  std::unique_ptr<platform::SharedLibrary> library;

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
};

// File name of the RFC library on this platform ("librfc32.dll" on Windows,
// "librfccm.so" elsewhere).
const char* rfc_library_file_name();

// Loads the library from `program_directory` (full path) first, then through
// the platform's normal search, and looks up every entry point (plain name
// first, then the stdcall-decorated "_Name@N" of 32-bit Windows). Returns
// the message of error 1010 when the library is missing or lacks an entry
// point.
std::optional<std::string> load_rfc_library(const std::string& program_directory,
                                            RfcLibrary& rfc);

}  // namespace keldar
