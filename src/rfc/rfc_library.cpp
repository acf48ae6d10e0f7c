#include "rfc/rfc_library.h"

#include "platform/rfc_abi.h"

namespace keldar {

const char* rfc_library_file_name() { return KELDAR_RFC_LIBRARY_NAME; }

namespace {

// Looks up one entry point; `argument_bytes` gives the stdcall decoration.
template <typename Function>
bool bind(const platform::SharedLibrary& library, const char* name, int argument_bytes,
          Function& entry, std::string& missing) {
  void* address = library.symbol(name);
  if (address == nullptr) {
    address = library.symbol("_" + std::string(name) + "@" + std::to_string(argument_bytes));
  }
  if (address == nullptr) {
    if (missing.empty()) missing = name;
    return false;
  }
  entry = reinterpret_cast<Function>(address);
  return true;
}

}  // namespace

std::optional<std::string> load_rfc_library(const std::string& program_directory,
                                            RfcLibrary& rfc) {
  const std::string name = rfc_library_file_name();
  // A library that is there but does not load (damaged, or built for the
  // other architecture) is reported as such: "missing" would send the admin
  // looking for the wrong fault.
  std::string problem;
  if (!program_directory.empty()) {
    rfc.library = platform::SharedLibrary::load(program_directory + name, &problem);
  }
  if (!rfc.library) {
    std::string search_problem;
    rfc.library = platform::SharedLibrary::load(name, &search_problem);
    if (problem.empty()) problem = search_problem;
  }
  if (!rfc.library) {
    if (!problem.empty()) {
      return "Error 1010: RFC-Library " + name + " cannot be loaded: " + problem + "...";
    }
    return "Error 1010: RFC-Library " + name + " is missing...";
  }

  std::string missing;
  const platform::SharedLibrary& lib = *rfc.library;
  bind(lib, "RfcEnvironment", 4, rfc.RfcEnvironment, missing);
  bind(lib, "RfcOpen", 4, rfc.RfcOpen, missing);
  bind(lib, "RfcOpenEx", 8, rfc.RfcOpenEx, missing);
  bind(lib, "RfcClose", 4, rfc.RfcClose, missing);
  bind(lib, "RfcLastError", 4, rfc.RfcLastError, missing);
  bind(lib, "RfcInstallStructure", 16, rfc.RfcInstallStructure, missing);
  bind(lib, "RfcCall", 16, rfc.RfcCall, missing);
  bind(lib, "RfcReceive", 16, rfc.RfcReceive, missing);
  bind(lib, "ItCreate", 16, rfc.ItCreate, missing);
  bind(lib, "ItFill", 4, rfc.ItFill, missing);
  bind(lib, "ItGetLine", 8, rfc.ItGetLine, missing);
  bind(lib, "ItDelete", 4, rfc.ItDelete, missing);
  if (!missing.empty()) {
    return "Error 1010: RFC-Library " + name + " lacks the entry point " + missing + "...";
  }
  return std::nullopt;
}

}  // namespace keldar
