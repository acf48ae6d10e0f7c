#include "output_checks.h"

#include <libxml/parser.h>

#include <cstdarg>
#include <cstdio>

#include <sstream>
#include <vector>

namespace keldar::e2e {

namespace {

// libxml2 reports through a callback; the last message names the problem.
void keep_message(void* context, const char* format, ...) {
  auto* message = static_cast<std::string*>(context);
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  *message += text;
}

}  // namespace

std::string xml_document_problem(const std::string& out) {
  std::string message;
  xmlSetGenericErrorFunc(&message, &keep_message);
  xmlDocPtr document = xmlReadMemory(out.data(), static_cast<int>(out.size()), "stdout.xml",
                                     nullptr, XML_PARSE_NONET);
  xmlSetGenericErrorFunc(nullptr, nullptr);
  if (document == nullptr) return message.empty() ? "not an XML document" : message;
  xmlFreeDoc(document);
  return {};
}

std::string statistics_problem(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (out.empty() || out.back() != '\n') return "the output does not end with a line end";
  std::size_t i = 0;
  auto key_of = [](const std::string& line, std::string_view tag) -> std::string {
    if (line.rfind(tag, 0) != 0) return {};
    std::size_t colon = line.find(": ", tag.size());
    return colon == std::string::npos ? std::string() : line.substr(tag.size(), colon - tag.size());
  };
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (line.rfind("# ", 0) == 0) break;
    std::string key = key_of(line, "Message.");
    if (key.empty()) return "line " + std::to_string(i + 1) + " is no \"Message.KEY: \" line: " + line;
    if (i + 1 >= lines.size() || key_of(lines[i + 1], "Statistic.") != key) {
      return "line " + std::to_string(i + 2) + " is no \"Statistic." + key + ": \" line";
    }
    ++i;
  }
  if (i + 1 != lines.size()) return "the output does not end with one \"# \" line";
  return {};
}

bool reveals(std::string_view text, std::string_view password) {
  return !password.empty() && text.find(password) != std::string_view::npos;
}

}  // namespace keldar::e2e
