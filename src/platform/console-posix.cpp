#include "platform/console.h"

namespace keldar::platform {

// POSIX streams write bytes as they are.
void console_init() {}

}  // namespace keldar::platform
