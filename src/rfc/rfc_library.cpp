#include "rfc/rfc_library.h"

#include <type_traits>

#include "platform/rfc_abi.h"

namespace keldar {

namespace {

template <auto Member>
void store(RfcApi& api, void* address) {
  using Function = std::remove_reference_t<decltype(api.*Member)>;
  api.*Member = reinterpret_cast<Function>(address);
}

}  // namespace

const std::array<RfcEntryPoint, 14> kRfcEntryPoints = {{
    {"RfcEnvironment", 4, true, &store<&RfcApi::RfcEnvironment>},
    {"RfcOpen", 4, true, &store<&RfcApi::RfcOpen>},
    {"RfcOpenEx", 8, true, &store<&RfcApi::RfcOpenEx>},
    {"RfcClose", 4, true, &store<&RfcApi::RfcClose>},
    {"RfcLastError", 4, true, &store<&RfcApi::RfcLastError>},
    {"RfcInstallStructure", 16, true, &store<&RfcApi::RfcInstallStructure>},
    {"RfcCall", 16, true, &store<&RfcApi::RfcCall>},
    {"RfcReceive", 16, true, &store<&RfcApi::RfcReceive>},
    {"ItCreate", 16, true, &store<&RfcApi::ItCreate>},
    {"ItFill", 4, true, &store<&RfcApi::ItFill>},
    {"ItGetLine", 8, true, &store<&RfcApi::ItGetLine>},
    {"ItDelete", 4, true, &store<&RfcApi::ItDelete>},
    {"RfcCallReceive", 24, false, &store<&RfcApi::RfcCallReceive>},
    {"ItAppLine", 4, false, &store<&RfcApi::ItAppLine>},
}};

std::string bind_rfc_entry_points(const platform::SharedLibrary& library, RfcApi& api) {
  std::string missing;
  for (const RfcEntryPoint& entry : kRfcEntryPoints) {
    void* address = library.symbol(entry.name);
    if (address == nullptr) {
      address = library.symbol("_" + std::string(entry.name) + "@" +
                                std::to_string(entry.argument_bytes));
    }
    if (address != nullptr) {
      entry.store(api, address);
    } else if (entry.used_by_sensor && missing.empty()) {
      missing = entry.name;
    }
  }
  return missing;
}

const char* rfc_library_file_name() { return KELDAR_RFC_LIBRARY_NAME; }

RfcLibraryLoad load_rfc_library(const std::string& program_directory, RfcLibrary& rfc) {
  const std::string name = rfc_library_file_name();
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
    if (!problem.empty()) return {RfcLibraryLoad::Outcome::unloadable, problem};
    return {RfcLibraryLoad::Outcome::missing, ""};
  }
  std::string missing = bind_rfc_entry_points(*rfc.library, rfc.api);
  if (!missing.empty()) return {RfcLibraryLoad::Outcome::incomplete, missing};
  return {};
}

}  // namespace keldar
