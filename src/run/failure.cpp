#include "run/failure.h"

namespace keldar {

Failure failure(Message id, std::initializer_list<std::string_view> pieces, Ending ending) {
  return {message_form(id).number, message_text(id, pieces), ending};
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
