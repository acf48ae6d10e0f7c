// The listing and evaluation modes of a local run, between the XMI logon
// and the logoff.
#pragma once

#include "run/run_context.h"
#include "run/system_steps.h"

namespace keldar {

// Runs the modes that the parameter text selects and leaves the call status
// and the result buffer for the local run: "ERR" ends the run with the
// error result, "OK" prints the buffer after the logoff. A parameter text
// that selects no mode leaves "ERR".
void run_modes(RunContext& run, SystemState& state);

}  // namespace keldar
