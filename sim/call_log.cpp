#include "call_log.h"

#include <fstream>

#include "record.h"

namespace rfcsim {

void log_call(const std::string& file, unsigned handle, const std::string& operation,
              const LogFields& fields, int code, const std::string& exception) {
  if (file.empty()) return;
  // Binary: lines end with a line feed on every platform, so logs compare alike.
  std::ofstream out(file, std::ios::app | std::ios::binary);
  if (!out) return;
  out << handle << ' ' << operation;
  for (const auto& [name, raw] : fields) {
    std::string value = trim_right(raw);
    bool quote = value.empty() || value.find(' ') != std::string::npos;
    out << ' ' << name << '=' << (quote ? "\"" + value + "\"" : value);
  }
  out << " rc=" << code;
  if (!exception.empty()) {
    bool quote = exception.find(' ') != std::string::npos;
    out << " exception=" << (quote ? "\"" + exception + "\"" : exception);
  }
  out << '\n';
}

}  // namespace rfcsim
