#include "calls/call_result.h"

#include "calls/function_modules.h"
#include "output/messages.h"

namespace keldar {

std::string call_error_text(int code, std::string_view exception, const ErrorTexts& texts) {
  switch (code) {
    case RFC_OK: return {};
    case RFC_FAILURE:
      return message_text(texts.xmi ? Message::xmi_failure : Message::call_failure);
    case RFC_EXCEPTION:
      return texts.xmi ? message_text(Message::xmi_exception,
                                      {texts.interface, texts.version, exception})
                       : message_text(Message::call_exception, {exception});
    case RFC_SYS_EXCEPTION:
      return message_text(texts.xmi ? Message::xmi_system_exception
                                    : Message::call_system_exception);
    default:
      return message_text(texts.xmi ? Message::xmi_other_failure : Message::call_other_failure);
  }
}

CallResult drive(const RfcSession& session, const FunctionModule& module,
                 std::vector<std::string> exporting,
                 const std::function<void(const Answer&)>& read, const ErrorTexts& texts) {
  CallCode call = drive_function(session, module, std::move(exporting), read);
  return {call.code, call_error_text(call.code, call.exception, texts)};
}

std::string external_user_name(std::string_view user) {
  return character_value(user, modules::kExternalUserWidth);
}

}  // namespace keldar
