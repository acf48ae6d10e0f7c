#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "config/password.h"

namespace keldar {
namespace {

bool all_printable(const std::string& text) {
  for (char c : text) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

void expect_round_trip(const std::string& password, std::uint64_t seed) {
  std::string stored = scramble_password(password, seed);
  ASSERT_EQ(stored.size(), 24u) << password;
  EXPECT_TRUE(all_printable(stored)) << password << " -> " << stored;
  DecodedPassword decoded = decode_password(stored);
  EXPECT_EQ(decoded.status, PasswordStatus::ok) << password << " -> " << stored;
  EXPECT_EQ(decoded.password, password) << stored;
}

TEST(Password, EveryStorablePasswordRoundTripsInPrintableForm) {
  std::mt19937_64 random(20220829);
  std::uniform_int_distribution<int> character(0x21, 0x7E);
  for (std::size_t length = 2; length <= 20; ++length) {
    for (int i = 0; i < 300; ++i) {
      std::string password;
      for (std::size_t k = 0; k < length; ++k) password += static_cast<char>(character(random));
      expect_round_trip(password, random());
    }
  }
}

TEST(Password, UniformPasswordsOfEveryCharacterAndLengthRoundTrip) {
  // A password of one repeated character meets the same key byte problem at
  // every position; these are the hardest cases for the offset choice.
  for (int c = 0x21; c <= 0x7E; ++c) {
    for (std::size_t length = 2; length <= 20; ++length) {
      for (std::uint64_t seed : {0ULL, 1ULL, 0xFFFFFFFFFFFFFFFFULL}) {
        expect_round_trip(std::string(length, static_cast<char>(c)), seed);
      }
    }
  }
}

TEST(Password, SeedsGiveDifferentStoredFormsOfOnePassword) {
  std::vector<std::string> forms;
  for (std::uint64_t seed = 0; seed < 8; ++seed) forms.push_back(scramble_password("Secr3t!x", seed));
  std::sort(forms.begin(), forms.end());
  EXPECT_GT(std::unique(forms.begin(), forms.end()) - forms.begin(), 1);
}

TEST(Password, ZeroKeyWindowIsOnlyTheFallback) {
  // "Secr3t!x" fits the scrambling offsets, so its first character (block
  // byte 1) never stands in the stored form as it is.
  for (std::uint64_t seed = 0; seed < 64; ++seed) {
    EXPECT_NE(scramble_password("Secr3t!x", seed)[4], 'S') << seed;
  }
}

TEST(Password, StorableMeansTwoToTwentyPrintableCharactersWithoutBlank) {
  const struct {
    std::string password;
    bool storable;
  } cases[] = {
      {"", false},
      {"a", false},
      {"ab", true},
      {std::string(20, '~'), true},
      {std::string(21, 'x'), false},
      {"pass word", false},
      {"pass\tword", false},
      {"pass\x7Fword", false},
      {"p\xC3\xA4ss", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(is_storable_password(c.password), c.storable) << c.password;
    EXPECT_EQ(password_refusal(c.password).empty(), c.storable) << c.password;
    if (!c.storable) {
      EXPECT_EQ(scramble_password(c.password, 1), "") << c.password;
    }
  }
}

TEST(Password, MalformedStoredValuesAreInvalid) {
  const std::string stored = scramble_password("Secr3t!x", 7);
  EXPECT_EQ(decode_password(stored.substr(0, 23)).status, PasswordStatus::invalid);
  EXPECT_EQ(decode_password(stored + "A").status, PasswordStatus::invalid);
  // XOR 0x40 turns any digit into a non-digit, whatever the key byte.
  for (std::size_t i = 0; i < 4; ++i) {
    std::string broken = stored;
    broken[i] = static_cast<char>(broken[i] ^ 0x40);
    EXPECT_EQ(decode_password(broken).status, PasswordStatus::invalid) << i;
  }
  DecodedPassword empty = decode_password("");
  EXPECT_EQ(empty.status, PasswordStatus::ok);
  EXPECT_EQ(empty.password, "");
}

TEST(Password, ChecksumMismatchIsWrong) {
  const std::string stored = scramble_password("Secr3t!x", 7);
  std::string broken = stored;
  broken[0] = static_cast<char>(broken[0] ^ 0x01);  // another digit
  EXPECT_EQ(decode_password(broken).status, PasswordStatus::wrong);
}

TEST(Password, BlockIsReadInterleavedFromBothEnds) {
  // With 20 "!" there is no filler and no letter or digit, so a change of
  // one block byte changes exactly one password character and no checksum.
  const std::string password(20, '!');
  for (std::size_t block = 0; block < 20; ++block) {
    std::string stored = scramble_password(password, block);
    stored[4 + block] = static_cast<char>(stored[4 + block] ^ 0x02);  // "!" -> "#"
    DecodedPassword decoded = decode_password(stored);
    ASSERT_EQ(decoded.status, PasswordStatus::ok);
    std::size_t position = block < 10 ? 2 * block : 2 * (19 - block) + 1;
    std::string expected = password;
    expected[position] = '#';
    EXPECT_EQ(decoded.password, expected) << "block byte " << block + 1;
  }
}

TEST(Password, ZeroBlockByteGivesNoCharacterAndLengthCutsTheText) {
  // Clearing the block byte of "!" (text position 3, block byte 2) drops it;
  // the text moves up and the first filler enters the five characters.
  const std::string password = "ab!cd";
  std::string stored = scramble_password(password, 3);
  stored[4 + 1] = static_cast<char>(stored[4 + 1] ^ '!');
  DecodedPassword decoded = decode_password(stored);
  ASSERT_EQ(decoded.status, PasswordStatus::ok);
  ASSERT_EQ(decoded.password.size(), 5u);
  EXPECT_EQ(decoded.password.substr(0, 4), "abcd");

  // A length beyond the text gives the whole text: 20 characters here.
  std::string longer = scramble_password(password, 3);
  longer[2] = static_cast<char>(longer[2] ^ 0x03);  // tens digit 0 -> 3: n = 35
  DecodedPassword all = decode_password(longer);
  ASSERT_EQ(all.status, PasswordStatus::ok);
  EXPECT_EQ(all.password.size(), 20u);
  EXPECT_EQ(all.password.substr(0, 5), password);
}

// Stored forms that deployed profiles hold: a change to the key table that
// breaks them must fail here, not on the probes.
TEST(Password, StoredFormsOfDeployedProfilesStillDecode) {
  const struct {
    const char* stored;
    const char* password;
  } cases[] = {
      {"=3>;Zqx0\"78'x'EGr%\\\"1tre", "Secret01"},  // examples/PRD.P00
      {"2=>;Nce04zO6I>YD/0CK2tre", "Secret02"},     // examples/QAS.P00
  };
  for (const auto& c : cases) {
    DecodedPassword decoded = decode_password(c.stored);
    EXPECT_EQ(decoded.status, PasswordStatus::ok) << c.stored;
    EXPECT_EQ(decoded.password, c.password) << c.stored;
  }
}

}  // namespace
}  // namespace keldar
