#include "run/failure.h"

namespace keldar {

Failure failure(Message id, std::initializer_list<std::string_view> pieces, Ending ending) {
  return {message_form(id).number, message_text(id, pieces), ending};
}

}  // namespace keldar
