// The sensor program: one run per process.
#pragma once

namespace keldar {

// Runs the sensor on the command line and returns the exit status: 0 after
// a successful run, 2 after every failure the program handles.
int run_program(int argc, char** argv);

}  // namespace keldar
