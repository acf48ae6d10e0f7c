#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/console.h"

namespace keldar::platform {

void console_init() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace keldar::platform
