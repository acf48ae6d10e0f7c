// The error result: the document the monitor reads as a sensor error.
#pragma once

#include <string>
#include <string_view>

namespace keldar {

// "<Prtg>\n<Error>1</Error>\n<Text>" + message + "</Text>\n</Prtg>\n", in
// every output mode; the message is written with the XML byte policy
// (output/xml_text.h).
std::string error_result(std::string_view message);

}  // namespace keldar
