// Stored sensor lines of the configuration files: "# Mon" lines of a
// profile, "# Gblx" and "# Gblg" lines of a sensor file.
//
// Layout: the kind in columns 1-6 ("# Mon" plus any character, "# Gblx",
// "# Gblg"), ": " in columns 7-8, the sensor name in columns 9-18, one free
// column, then the definition from column 20 ("# Mon", "# Gblx"), or after
// a second free column the system list from column 21 ("# Gblg").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keldar {

inline constexpr std::string_view kLocalSensorKind = "# Mon";
inline constexpr std::string_view kGlobalDefinitionKind = "# Gblx";
inline constexpr std::string_view kGlobalSystemsKind = "# Gblg";

inline constexpr std::size_t kSensorKindWidth = 6;
inline constexpr std::size_t kSensorNameColumn = 8;   // 0-based start of the name
inline constexpr std::size_t kSensorNameWidth = 10;
inline constexpr std::size_t kDefinitionColumn = 19;  // 0-based: column 20
inline constexpr std::size_t kSystemListColumn = 20;  // 0-based: column 21

// When `line` begins with `kind` and ": " follows in columns 7-8, and its
// name columns in upper case equal the first ten characters of
// `lookup_name` in upper case, blank-padded: the text from the 0-based
// `text_column` (empty when the line ends before it). Otherwise nullopt.
std::optional<std::string> sensor_line_text(std::string_view line, std::string_view kind,
                                            std::string_view lookup_name,
                                            std::size_t text_column);

}  // namespace keldar
