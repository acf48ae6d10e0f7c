#include "platform/text_lines.h"

namespace keldar::platform {

std::vector<std::string> read_lines(std::string_view content, std::size_t max_chars) {
  std::vector<std::string> lines;
  if (max_chars == 0) return lines;
  // Text-mode reading turns CR LF into LF before the buffer is filled; doing
  // the same here makes both line-end styles read alike everywhere.
  std::string text;
  text.reserve(content.size());
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
    text += content[i];
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    bool line_feed = false;
    while (end < text.size() && end - pos < max_chars) {
      if (text[end++] == '\n') {
        line_feed = true;
        break;
      }
    }
    std::string piece = text.substr(pos, end - pos - (line_feed ? 1 : 0));
    if (!piece.empty() && piece.back() == '\r') piece.pop_back();
    lines.push_back(std::move(piece));
    pos = end;
  }
  return lines;
}

}  // namespace keldar::platform
