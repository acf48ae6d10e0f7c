#include "run/modes.h"

namespace keldar {

void run_modes(RunContext&, SystemState& state) {
  // The modes themselves (monitor-set listing, monitor-set mode,
  // single-monitor mode) come with the monitor tree; until then no mode is
  // selected.
  state.call_ok = false;
}

}  // namespace keldar
