#include "trace_file.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "time_spec.h"

namespace rfcsim {
namespace {

std::string thread_prefix() {
  unsigned number = static_cast<unsigned>(std::hash<std::thread::id>{}(std::this_thread::get_id()) % 10000);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "T:%-4u ", number);
  return buffer;
}

}  // namespace

void write_error_block(const std::string& operation, const std::string& key,
                       const std::string& message) {
  std::ofstream out(kTraceFileName, std::ios::app);
  if (!out) return;
  std::string stamp = local_stamp(std::time(nullptr));
  std::string prefix = thread_prefix();
  out << "**** ERROR file opened at " << stamp.substr(0, 8) << ' ' << stamp.substr(8) << '\n';
  out << prefix << "Error in program 'rfcsim': " << operation;
  if (!key.empty()) out << " (" << key << ')';
  out << '\n';
  std::istringstream lines(message);
  std::string line;
  bool any = false;
  while (std::getline(lines, line)) {
    out << prefix << "======> " << line << '\n';
    any = true;
  }
  if (!any) out << prefix << "======> " << operation << " failed\n";
}

}  // namespace rfcsim
