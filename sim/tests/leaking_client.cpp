// A client that leaves an internal table behind, for the call-log test of
// the library's teardown. In the working directory's landscape it installs
// a structure before any open (not logged: no landscape read yet), opens
// prdci01/00, installs the structure again, creates a table and ends
// without deleting the table or closing the connection.
#include <cstdio>

#include "platform/program_location.h"
#include "rfc/rfc_library.h"

int main() {
  keldar::RfcLibrary rfc;
  keldar::RfcLibraryLoad load = keldar::load_rfc_library(keldar::platform::executable_directory(), rfc);
  if (load.outcome != keldar::RfcLibraryLoad::Outcome::loaded) {
    std::fprintf(stderr, "cannot load the RFC library: %s\n", load.detail.c_str());
    return 2;
  }
  const keldar::RfcApi& api = rfc.api;
  RFC_TYPE_ELEMENT name{const_cast<char*>("NAME"), TYPC, 60, 0, 0};
  RFC_TYPEHANDLE handle = 0;
  api.RfcInstallStructure("BAPIMSNAME", &name, 1, &handle);

  char host[] = "prdci01", client[] = "100", user[] = "MONITOR", password[] = "Secret01", language[] = "E";
  RFC_CONNOPT_R3 r3{host, 0, nullptr, nullptr};
  RFC_OPTIONS options{nullptr, RFC_MODE_R3ONLY, &r3, client, user, password, language, 0};
  if (api.RfcOpen(&options) == 0) return 3;
  api.RfcInstallStructure("BAPIMSNAME", &name, 1, &handle);
  return api.ItCreate("MONITOR_SETS", 60, 0, 0) != nullptr ? 0 : 4;
}
