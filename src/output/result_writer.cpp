#include "output/result_writer.h"

#include <utility>

namespace keldar {

std::string xml_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

int selected_channel(std::string_view channel_selector) {
  std::size_t at = channel_selector.find("CH=");
  if (at == std::string_view::npos) return 0;
  std::string_view digits = channel_selector.substr(at + 3, 3);
  int number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  return number;
}

namespace {

// Key names of the statistics form may not carry these characters.
std::string statistics_key(std::string key) {
  for (char c : std::string_view(" /\\[]()*:.")) {
    for (char& k : key) {
      if (k == c) k = '_';
    }
  }
  return key;
}

std::string display_unit(std::string_view unit) {
  if (unit.empty()) return "#";
  if (unit == "PerCent") return "%";
  if (unit == "TimeResponse") return "mSec";
  return std::string(unit);
}

}  // namespace

bool ResultWriter::xml_form() const {
  return state_.output_mode == OutputMode::EXEXML || state_.output_mode == OutputMode::Quibbet ||
         state_.output_mode == OutputMode::Pimtrel;
}

void ResultWriter::result_begin() {
  if (xml_form()) {
    buffer_ = "\n<Prtg>\n";
  } else {
    buffer_.clear();
  }
}

void ResultWriter::channel_write(std::string_view name, std::string_view value,
                                 std::string_view unit) {
  ++channel_count_;
  switch (state_.output_mode) {
    case OutputMode::Halvenor: {
      if (channel_count_ > 10) return;  // the consumer takes ten channels a run
      std::string key = statistics_key(std::string(
          state_.parameter_text.find(",GBLVAL=") != std::string::npos
              ? std::string_view(state_.profile_file_name)
              : name));
      buffer_ += "\n\nMessage.";
      buffer_ += key;
      buffer_ += ": ";
      buffer_ += name;
      buffer_ += " (";
      buffer_ += display_unit(unit);
      buffer_ += ")\nStatistic.";
      buffer_ += key;
      buffer_ += ": ";
      buffer_ += value;
      return;
    }
    case OutputMode::Dravosk:
      if (state_.channel_selector.find("CH=") != std::string::npos) {
        // The run's output becomes the bare value of the selected channel.
        if (selected_channel(state_.channel_selector) == channel_count_) buffer_ += value;
      } else {
        buffer_ += "\n> ";
        buffer_ += name;
        buffer_ += ": ";
        buffer_ += value;
        buffer_ += " ";
        buffer_ += display_unit(unit);
      }
      return;
    case OutputMode::EXEXML:
    case OutputMode::Quibbet:
    case OutputMode::Pimtrel:
      break;
  }
  buffer_ += "\n<Result><Channel>";
  buffer_ += xml_escape(name);
  buffer_ += "</Channel>";
  if (!unit.empty()) {
    buffer_ += "\n<Unit>Custom</Unit>\n<CustomUnit>";
    buffer_ += xml_escape(unit);
    buffer_ += "</CustomUnit>";
  }
  buffer_ += "\n<Value>";
  buffer_ += xml_escape(value);
  buffer_ += "</Value></Result>\n";
}

void ResultWriter::text_begin() { buffer_ += xml_form() ? "\n<Text>" : "\n# "; }

void ResultWriter::append_text(std::string_view text) {
  if (xml_form()) {
    buffer_ += xml_escape(text);
  } else {
    buffer_ += text;
  }
}

void ResultWriter::text_end() {
  if (xml_form()) {
    buffer_ += "</Text>\n";
  } else if (state_.output_mode == OutputMode::Dravosk &&
             state_.channel_selector.find("CH=") != std::string::npos) {
    buffer_.clear();  // only the selected value is printed
  }
}

void ResultWriter::result_end() { buffer_ += xml_form() ? "\n</Prtg>\n" : "\n"; }

std::string ResultWriter::take() {
  std::string out = std::move(buffer_);
  buffer_.clear();
  return out;
}

}  // namespace keldar
