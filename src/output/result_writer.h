// The result buffer and the grammar of each output mode.
//
// Every printed piece of a result is assembled here. After result_begin and
// after each channel the caller prints the buffer and empties it (take());
// the message text is accumulated between text_begin and result_end and
// printed once at the end.
//
//   operation     EXEXML/Quibbet/Pimtrel  Halvenor        Dravosk
//   result_begin  "\n<Prtg>\n" (replaces) emptied         emptied
//   text_begin    "\n<Text>"              "\n# "          "\n# "
//   text_end      "</Text>\n"             -               emptied with a ",CH=" selector
//   result_end    "\n</Prtg>\n"           "\n"            "\n"
//
// In the XML form "&", "<" and ">" are escaped in every text written inside
// an element, so that one odd node name cannot make the monitor reject the
// whole document. The two text forms are written unescaped.
#pragma once

#include <string>
#include <string_view>

#include "run/run_state.h"

namespace keldar {

class ResultWriter {
 public:
  // Reads the output mode, the parameter text, the channel selector and the
  // profile file name from `state` at each call; `state` must outlive the
  // writer.
  explicit ResultWriter(const RunState& state) : state_(state) {}

  void result_begin();
  // Appends one channel; `value` is already formatted, `unit` may be empty.
  void channel_write(std::string_view name, std::string_view value, std::string_view unit);
  void text_begin();
  // Appends message text (between text_begin and text_end), escaped in the
  // XML form.
  void append_text(std::string_view text);
  void text_end();
  void result_end();

  // Appends raw text, unescaped (driver error texts, trace-scan reasons).
  void append_raw(std::string_view text) { buffer_ += text; }
  // Replaces the whole buffer.
  void replace(std::string text) { buffer_ = std::move(text); }

  const std::string& buffer() const { return buffer_; }
  void clear() { buffer_.clear(); }
  // Returns the buffer's content and empties it.
  std::string take();

  // Number of channel_write calls so far, dropped channels included.
  int channel_count() const { return channel_count_; }

 private:
  bool xml_form() const;

  const RunState& state_;
  std::string buffer_;
  int channel_count_ = 0;
};

// "&", "<", ">" as XML character references.
std::string xml_escape(std::string_view text);

// The channel number selected by ",CH=": the decimal number formed by the up
// to three characters after the first "CH=" of the selector, stopping at a
// comma; 0 when none.
int selected_channel(std::string_view channel_selector);

}  // namespace keldar
