// Checks that every end-to-end case gets besides its own expectations: the
// output is something its consumer can parse, and no password shows.
#pragma once

#include <string>
#include <string_view>

namespace keldar::e2e {

// Why `out` is no single well-formed XML document (whitespace around the
// root element allowed), as a real parser says; empty when it is one.
std::string xml_document_problem(const std::string& out);

// Why `out` is no result of the statistics form: blank lines, pairs of a
// "Message.KEY: ..." and a "Statistic.KEY: ..." line, and a final "# ..."
// line; empty when it is one.
std::string statistics_problem(const std::string& out);

// True when `text` holds `password`.
bool reveals(std::string_view text, std::string_view password);

}  // namespace keldar::e2e
