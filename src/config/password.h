// Scrambled passwords of the system profile.
//
// Stored form: 24 printable characters. Characters 1-4 XOR key bytes 1-4 are
// the header digits: checksum digit, offset o, and the two-digit length n.
// Characters 5-24 XOR key bytes o+1..o+20 give a block that is read
// interleaved (b1, b20, b2, b19, ...); a zero block byte yields no
// character, and the password is the first n characters of the result. The
// checksum digit is the last digit of the sum of the codes of the letters
// and digits of the whole interleaved text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace keldar {

enum class PasswordStatus {
  ok,
  invalid,  // not 24 characters, or a header character is not a digit (1004)
  wrong,    // checksum mismatch (1005)
};

struct DecodedPassword {
  PasswordStatus status = PasswordStatus::ok;
  std::string password;  // empty for an empty stored value
};

// Decodes a stored value; an empty value gives an empty password and ok.
DecodedPassword decode_password(std::string_view stored);

// Passwords that can be stored: 2 to 20 characters from "!" to "~" (no
// blank, no control character, ASCII only).
bool is_storable_password(std::string_view password);

// Why a password cannot be stored, as a sentence for the user; empty when it
// is storable.
std::string password_refusal(std::string_view password);

// Stored form of a storable password: 24 characters from "!" to "~". `seed`
// chooses among the equivalent forms (offset and filler characters); every
// form decodes to the password. Returns an empty text for a password that is
// not storable.
std::string scramble_password(std::string_view password, std::uint64_t seed);

}  // namespace keldar
