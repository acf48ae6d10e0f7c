#include "text/fixed_field.h"

namespace keldar::text {

std::string cut(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

std::string pad_right(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.resize(width, ' ');
  return padded;
}

std::string fit(std::string_view text, std::size_t width) {
  std::string fitted(text.substr(0, width));
  fitted.resize(width, ' ');
  return fitted;
}

std::string trim_right(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string_view until_nul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string field_text(const char* field, std::size_t width) {
  return std::string(until_nul(std::string_view(field, width)));
}

namespace {

char at(std::string_view field, std::size_t i) { return i < field.size() ? field[i] : ' '; }

}  // namespace

std::string short_date(std::string_view date) {
  return {at(date, 6), at(date, 7), '.', at(date, 4), at(date, 5), '.', at(date, 2), at(date, 3)};
}

std::string short_time(std::string_view time) {
  return {at(time, 0), at(time, 1), ':', at(time, 2), at(time, 3)};
}

}  // namespace keldar::text
