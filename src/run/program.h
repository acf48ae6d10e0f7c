// The sensor program: one run per process.
#pragma once

namespace keldar {

// Runs the sensor on the command line and returns the exit status: 0 after
// a successful run, 2 after every failure the program handles. No
// exception leaves it: whatever escapes the run is reported as an error
// document with status 2, so the monitor always gets a document.
int run_program(int argc, char** argv);

}  // namespace keldar
