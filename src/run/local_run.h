// The local run: one SAP system, the one of the profile named on the
// command line.
#pragma once

#include "run/run_context.h"

namespace keldar {

// Opens the connection, reads the system information, logs on to XMI
// "XAL", runs the selected modes, logs off and closes. Returns the exit
// status: 0 after the logoff succeeded (the result is printed and
// "Dev_Rfc.Trc" deleted), 2 after any failure (the error result, with the
// reason from "Dev_Rfc.Trc" for a failed RFC step, which keeps the file).
int local_run(RunContext& run);

}  // namespace keldar
