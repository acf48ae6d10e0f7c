// The consumer format of a run's result.
#pragma once

namespace keldar {

enum class OutputMode { EXEXML, Quibbet, Pimtrel, Halvenor, Dravosk };

// Name of the mode as messages and docs spell it ("EXEXML", "Quibbet", ...).
const char* output_mode_name(OutputMode mode);

// True for the modes that write PRTG's XML (EXEXML, Quibbet, Pimtrel).
bool is_xml_form(OutputMode mode);

}  // namespace keldar
