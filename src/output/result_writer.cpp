#include "output/result_writer.h"

#include "output/xml_text.h"
#include "text/ascii.h"

namespace keldar {

namespace {

// The consumer of the statistics form takes this many channels a run.
constexpr int kHalvenorChannels = 10;
// The channel number behind "CH=" has at most this many digits.
constexpr std::size_t kChannelDigits = 3;

// Key names of the statistics form may not carry these characters, nor
// control bytes, and may not be empty: the consumer reads "Message.KEY: ".
std::string statistics_key(std::string key) {
  constexpr std::string_view kForbidden = " /\\[]()*:.";
  for (char& k : key) {
    const auto byte = static_cast<unsigned char>(k);
    if (byte < 0x20 || byte == 0x7F || kForbidden.find(k) != std::string_view::npos) k = '_';
  }
  if (key.empty()) key = "_";
  return key;
}

std::string display_unit(std::string_view unit) {
  if (unit.empty()) return "#";
  if (unit == "PerCent") return "%";
  if (unit == "TimeResponse") return "mSec";
  return std::string(unit);
}

}  // namespace

int selected_channel(std::string_view channel_selector) {
  std::size_t at = channel_selector.find("CH=");
  if (at == std::string_view::npos) return 0;
  int number = 0;
  for (char c : channel_selector.substr(at + 3, kChannelDigits)) {
    if (!text::is_digit(c)) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

bool ResultWriter::has_selector() const {
  return text::contains(options_.channel_selector, "CH=");
}

void ResultWriter::result_begin() {
  if (xml_form()) {
    buffer_ = "\n<Prtg>\n";
  } else {
    buffer_.clear();
  }
}

void ResultWriter::channel_write(std::string_view name, std::string_view value,
                                 std::string_view unit, std::string_view key) {
  ++channel_count_;
  switch (options_.mode) {
    case OutputMode::Halvenor: {
      if (channel_count_ > kHalvenorChannels) return;
      std::string filtered = statistics_key(std::string(key));
      buffer_ += "\n\nMessage.";
      buffer_ += filtered;
      buffer_ += ": ";
      buffer_ += name;
      buffer_ += " (";
      buffer_ += display_unit(unit);
      buffer_ += ")\nStatistic.";
      buffer_ += filtered;
      buffer_ += ": ";
      buffer_ += value;
      return;
    }
    case OutputMode::Dravosk:
      if (has_selector()) {
        // The run's output becomes the bare value of the selected channel.
        if (selected_channel(options_.channel_selector) == channel_count_) buffer_ += value;
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
  buffer_ += xml_text(name);
  buffer_ += "</Channel>";
  if (!unit.empty()) {
    buffer_ += "\n<Unit>Custom</Unit>\n<CustomUnit>";
    buffer_ += xml_text(unit);
    buffer_ += "</CustomUnit>";
  }
  buffer_ += "\n<Value>";
  buffer_ += xml_text(value);
  buffer_ += "</Value></Result>\n";
}

void ResultWriter::text_begin() { buffer_ += xml_form() ? "\n<Text>" : "\n# "; }

void ResultWriter::append_text(std::string_view text) {
  if (xml_form()) {
    buffer_ += xml_text(text);
  } else {
    buffer_ += text;
  }
}

void ResultWriter::text_end() {
  if (xml_form()) {
    buffer_ += "</Text>\n";
  } else if (options_.mode == OutputMode::Dravosk && has_selector()) {
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
