#include "output/error_result.h"

#include "output/xml_text.h"

namespace keldar {

std::string error_result(std::string_view message) {
  std::string document = "<Prtg>\n<Error>1</Error>\n<Text>";
  document += xml_text(message);
  document += "</Text>\n</Prtg>\n";
  return document;
}

}  // namespace keldar
