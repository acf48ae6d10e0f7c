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
// Every text written inside an element of the XML form goes through
// xml_text (output/xml_text.h), so that one odd node name cannot make the
// monitor reject the whole document. The two text forms are written as
// they are.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "output/output_mode.h"

namespace keldar {

// What the writer needs of the run, fixed for its lifetime.
struct WriterOptions {
  OutputMode mode = OutputMode::EXEXML;
  // "." or the upper-case parameter text that holds ",CH=" (the channel
  // number follows the first "CH=").
  std::string channel_selector = ".";
};

class ResultWriter {
 public:
  explicit ResultWriter(WriterOptions options) : options_(std::move(options)) {}

  void result_begin();
  // Appends one channel; `value` is already formatted, `unit` may be empty.
  // `key` names the channel in the Halvenor statistics form; the other
  // forms do not use it.
  void channel_write(std::string_view name, std::string_view value, std::string_view unit,
                     std::string_view key);
  // The same with the channel name as its key.
  void channel_write(std::string_view name, std::string_view value, std::string_view unit) {
    channel_write(name, value, unit, name);
  }
  void text_begin();
  // Appends message text (between text_begin and text_end), written with
  // the XML byte policy in the XML form.
  void append_text(std::string_view text);
  void text_end();
  void result_end();

  // Appends text as it is: the error texts of failed calls, which end up in
  // an error document (written there with the XML byte policy).
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
  bool xml_form() const { return is_xml_form(options_.mode); }
  bool has_selector() const;

  WriterOptions options_;
  std::string buffer_;
  int channel_count_ = 0;
};

// The channel number selected by ",CH=": the decimal number formed by the up
// to three characters after the first "CH=" of the selector, stopping at a
// comma; 0 when none.
int selected_channel(std::string_view channel_selector);

}  // namespace keldar
