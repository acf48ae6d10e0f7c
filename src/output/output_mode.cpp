#include "output/output_mode.h"

namespace keldar {

const char* output_mode_name(OutputMode mode) {
  switch (mode) {
    case OutputMode::EXEXML: return "EXEXML";
    case OutputMode::Quibbet: return "Quibbet";
    case OutputMode::Pimtrel: return "Pimtrel";
    case OutputMode::Halvenor: return "Halvenor";
    case OutputMode::Dravosk: return "Dravosk";
  }
  return "EXEXML";
}

bool is_xml_form(OutputMode mode) {
  return mode == OutputMode::EXEXML || mode == OutputMode::Quibbet || mode == OutputMode::Pimtrel;
}

}  // namespace keldar
