// Fixed-width character fields, as SAP and the configuration files use
// them: blank-padded, cut at their width, and read from records that carry
// no terminator.
//
// A width here is what the field means, never the size of a buffer: every
// function returns a new std::string and reads no byte beyond the view it
// is given.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keldar::text {

// `text` cut to at most `width` characters.
std::string cut(std::string_view text, std::size_t width);

// `text` blank-padded on the right to at least `width` characters; a longer
// text stays whole.
std::string pad_right(std::string_view text, std::size_t width);

// `text` cut or blank-padded to exactly `width` characters.
std::string fit(std::string_view text, std::size_t width);

// `text` without its trailing blanks.
std::string trim_right(std::string_view text);

// `text` up to its first NUL byte: a field read into a C string ends there.
std::string_view until_nul(std::string_view text);

// A received character field: at most `width` bytes from `field`, ending
// early at a NUL byte. `field` must hold at least `width` bytes.
std::string field_text(const char* field, std::size_t width);

// The short forms of SAP's date (YYYYMMDD) and time (HHMMSS) fields:
// "DD.MM.YY" and "HH:MM", taken character by character without checking; a
// field shorter than its width gives blanks for what it lacks.
std::string short_date(std::string_view date);
std::string short_time(std::string_view time);

}  // namespace keldar::text
