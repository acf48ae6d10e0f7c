#include "run/failure.h"

#include "output/error_result.h"
#include "rfc/trace_scan.h"

namespace keldar {

Failure failure(Message id, std::initializer_list<std::string_view> pieces, Ending ending) {
  return {message_form(id).number, message_text(id, pieces), ending};
}

std::string trace_suffix(const platform::FileSystem& files) {
  TraceScan scan = trace_scan(files);
  switch (scan.outcome) {
    case TraceScan::Outcome::error_found: return message_text(Message::trace_reason, {scan.error});
    case TraceScan::Outcome::no_error_line: return message_text(Message::trace_without_error);
    case TraceScan::Outcome::no_file: break;
  }
  return message_text(Message::trace_missing);
}

std::string error_document(const Failure& failure, const platform::FileSystem& files) {
  switch (failure.ending) {
    case Ending::error_result: break;
    case Ending::step_failure: return error_result(failure.text + trace_suffix(files));
  }
  return error_result(failure.text);
}

std::string ending_text(std::string_view message, bool result_open, const WriterOptions& options) {
  if (!result_open) return error_result(message);
  // The monitor has the opening of the result: it gets its end.
  ResultWriter writer(options);
  writer.text_begin();
  writer.append_text(message);
  writer.text_end();
  writer.result_end();
  return writer.take();
}

std::optional<Failure> library_failure(const RfcLibraryLoad& load) {
  const char* library = rfc_library_file_name();
  switch (load.outcome) {
    case RfcLibraryLoad::Outcome::loaded: return std::nullopt;
    case RfcLibraryLoad::Outcome::missing: return failure(Message::library_missing, {library});
    case RfcLibraryLoad::Outcome::unloadable:
      return failure(Message::library_unloadable, {library, load.detail});
    case RfcLibraryLoad::Outcome::incomplete:
      return failure(Message::library_incomplete, {library, load.detail});
  }
  return std::nullopt;
}

}  // namespace keldar
