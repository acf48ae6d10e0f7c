#include "output/error_result.h"

#include <string>

namespace keldar {

void error_result(ResultWriter& writer, std::string_view message) {
  std::string document = "<Prtg>\n<Error>1</Error>\n<Text>";
  document += xml_escape(message);
  document += "</Text>\n</Prtg>\n";
  writer.replace(std::move(document));
}

}  // namespace keldar
