#include "config/password.h"

#include <array>
#include <vector>

namespace keldar {

namespace {

// The key table. Its layout is what makes every storable password storable
// in printable form:
// - bytes 1-4 (header) lie in 0x01..0x0F, so each maps the digits 0x30..0x39
//   into 0x30..0x3F;
// - bytes 10-29 are zero: offset 9 leaves the block as it is, so a password
//   of "!".."~" and filler characters of "!".."~" are stored unchanged;
// - the other bytes lie in 0x01..0x1F. Such a byte k moves exactly two
//   characters of "!".."~" out of that range (0x20^k and 0x7F^k); an offset
//   is used only when no password character meets such a byte.
// Bytes 30-32 are never reached by an offset of at most 9.
constexpr std::array<unsigned char, 32> kKeyTable = {
    0x0B, 0x05, 0x0E, 0x03, 0x17, 0x1C, 0x09, 0x12,  // 1-8
    0x1D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 9-16
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 17-24
    0x00, 0x00, 0x00, 0x00, 0x00, 0x15, 0x06, 0x19,  // 25-32
};

// The offset whose key bytes (10-29) are all zero.
constexpr std::size_t kZeroWindowOffset = 9;

constexpr std::size_t kStoredLength = 24;
constexpr std::size_t kHeaderLength = 4;
constexpr std::size_t kBlockLength = 20;
constexpr std::size_t kMinPassword = 2;
constexpr std::size_t kMaxPassword = kBlockLength;

bool is_printable(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// Membership in "01234567890abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ".
bool is_letter_or_digit(unsigned char c) {
  return is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Block index read at position j of the interleaved text: b1, b20, b2, b19, ...
std::size_t block_index(std::size_t j) { return j % 2 == 0 ? j / 2 : kBlockLength - 1 - j / 2; }

unsigned char key_byte(std::size_t index) { return kKeyTable[index]; }

std::string interleave(const std::array<unsigned char, kBlockLength>& block) {
  std::string text;
  for (std::size_t j = 0; j < kBlockLength; ++j) {
    unsigned char c = block[block_index(j)];
    if (c != 0) text += static_cast<char>(c);
  }
  return text;
}

int checksum_digit(std::string_view text) {
  // Unsigned: the sum of the codes cannot go negative.
  unsigned long sum = 0;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (is_letter_or_digit(u)) sum += u;
  }
  return static_cast<int>(sum % 10);
}

// splitmix64: a small, well-mixed generator for the seed-driven choices.
struct Mixer {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
};

}  // namespace

DecodedPassword decode_password(std::string_view stored) {
  DecodedPassword result;
  if (stored.empty()) return result;
  if (stored.size() != kStoredLength) {
    result.status = PasswordStatus::invalid;
    return result;
  }
  std::array<int, kHeaderLength> header{};
  for (std::size_t i = 0; i < kHeaderLength; ++i) {
    auto h = static_cast<unsigned char>(static_cast<unsigned char>(stored[i]) ^ key_byte(i));
    if (!is_digit(h)) {
      result.status = PasswordStatus::invalid;
      return result;
    }
    header[i] = h - '0';
  }
  std::size_t offset = static_cast<std::size_t>(header[1]);
  std::size_t length = static_cast<std::size_t>(header[2] * 10 + header[3]);

  std::array<unsigned char, kBlockLength> block{};
  for (std::size_t i = 0; i < kBlockLength; ++i) {
    block[i] = static_cast<unsigned char>(static_cast<unsigned char>(stored[kHeaderLength + i]) ^
                                          key_byte(offset + i));
  }
  std::string text = interleave(block);
  if (checksum_digit(text) != header[0]) {
    result.status = PasswordStatus::wrong;
    return result;
  }
  result.password = text.substr(0, length);
  return result;
}

std::string password_refusal(std::string_view password) {
  if (password.size() < kMinPassword || password.size() > kMaxPassword) {
    return "a password must have 2 to 20 characters, this one has " +
           std::to_string(password.size());
  }
  for (char c : password) {
    if (c == ' ') {
      return "a password cannot contain a blank: no fixed key table can store every "
             "password with blanks in printable characters";
    }
    if (!is_printable(static_cast<unsigned char>(c))) {
      return "a password may contain only the printable ASCII characters \"!\" to \"~\"";
    }
  }
  return {};
}

bool is_storable_password(std::string_view password) { return password_refusal(password).empty(); }

std::string scramble_password(std::string_view password, std::uint64_t seed) {
  if (!is_storable_password(password)) return {};
  Mixer mixer{seed};
  const std::size_t n = password.size();

  // Offsets under which every password character stays printable. Offset 9
  // (the zero window) always qualifies but changes nothing, so it is the
  // fallback for the passwords that no other offset can store.
  std::vector<std::size_t> offsets;
  for (std::size_t offset = 0; offset < kZeroWindowOffset; ++offset) {
    bool usable = true;
    for (std::size_t j = 0; j < n && usable; ++j) {
      auto c = static_cast<unsigned char>(password[j]);
      usable = is_printable(static_cast<unsigned char>(c ^ key_byte(offset + block_index(j))));
    }
    if (usable) offsets.push_back(offset);
  }
  if (offsets.empty()) offsets.push_back(kZeroWindowOffset);
  const std::size_t offset = offsets[mixer.next() % offsets.size()];

  // The password fills the first n interleave positions; the other block
  // positions get fillers whose stored form is printable. A filler is never
  // zero (its key byte is below "!"), so it reads as a character after the
  // password and is cut off by the length n.
  std::array<unsigned char, kBlockLength> block{};
  std::array<bool, kBlockLength> taken{};
  for (std::size_t j = 0; j < n; ++j) {
    block[block_index(j)] = static_cast<unsigned char>(password[j]);
    taken[block_index(j)] = true;
  }
  for (std::size_t i = 0; i < kBlockLength; ++i) {
    if (taken[i]) continue;
    auto stored = static_cast<unsigned char>(0x21 + mixer.next() % 94);
    block[i] = static_cast<unsigned char>(stored ^ key_byte(offset + i));
  }

  const int header[kHeaderLength] = {checksum_digit(interleave(block)), static_cast<int>(offset),
                                     static_cast<int>(n / 10), static_cast<int>(n % 10)};
  std::string stored;
  for (std::size_t i = 0; i < kHeaderLength; ++i) {
    stored += static_cast<char>(static_cast<unsigned char>('0' + header[i]) ^ key_byte(i));
  }
  for (std::size_t i = 0; i < kBlockLength; ++i) {
    stored += static_cast<char>(block[i] ^ key_byte(offset + i));
  }
  return stored;
}

}  // namespace keldar
