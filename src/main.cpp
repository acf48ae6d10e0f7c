#include "run/program.h"

int main(int argc, char** argv) { return keldar::run_program(argc, argv); }
