#include "rfc/rfc_trace.h"

#include <string>

namespace keldar {

void RfcTrace::line(unsigned number, std::string_view operation, std::string_view detail) const {
  if (!enabled_) return;
  std::string text = std::to_string(number);
  text += ' ';
  text += operation;
  text += ' ';
  text += detail;
  text += '\n';
  files_.append(kRfcTraceFileName, text);
}

}  // namespace keldar
