// The error result: the document the monitor reads as a sensor error.
#pragma once

#include <string_view>

#include "output/result_writer.h"

namespace keldar {

// Replaces the buffer by "<Prtg>\n<Error>1</Error>\n<Text>" + message +
// "</Text>\n</Prtg>\n", whatever the output mode; the message is escaped.
void error_result(ResultWriter& writer, std::string_view message);

}  // namespace keldar
