// The landscape file as a tree of JSON values, in the logon code page.
//
// Read with nlohmann's SAX parser into a flat document of our own: every
// value one small entry in one table, texts in one buffer, keys stored
// once. A large landscape (a monitor tree of 100k nodes) costs one pass and
// a fraction of the memory of a general JSON tree, and the checks of
// landscape_file.cpp read it as they would read that tree. Objects behave
// as nlohmann's do: a key given twice keeps its last value, and members
// are held in key order. Every text and key below the top-level key
// "systems" is converted to Latin-1 (code_page.h) as it is read; when two
// keys of an object meet in the same Latin-1 text, the one that comes last
// in UTF-8 key order stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rfcsim {

class JsonDocument;

// One value of a document; valid while the document lives.
class JsonValue {
 public:
  JsonValue(const JsonDocument& document, std::uint32_t index) : document_(&document), index_(index) {}

  bool is_object() const;
  bool is_array() const;
  bool is_string() const;
  // Integers: negative ones are signed, others unsigned, as nlohmann reads them.
  bool is_number_integer() const;
  bool is_number_unsigned() const;

  // The value of an integer as a signed or an unsigned number (converted
  // as nlohmann converts it), of a string as text. Only for values of that
  // kind.
  std::int64_t as_int64() const;
  std::uint64_t as_uint64() const;
  std::string_view text() const;

  // The number of members of an object or elements of an array; member
  // `i` (in key order) with its key; element `i`.
  std::size_t size() const;
  std::string_view key(std::size_t i) const;
  JsonValue member(std::size_t i) const;
  JsonValue element(std::size_t i) const;
  // The member `key` of an object: true and `value` set when present.
  bool find(std::string_view key, JsonValue& value) const;

 private:
  const JsonDocument* document_;
  std::uint32_t index_;
};

// A text that is no JSON document: nlohmann's message, which names the
// line and column behind its tag "[json.exception.parse_error.101] ".
class JsonSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class JsonDocument {
 public:
  // The document of `text`. Throws JsonSyntaxError.
  explicit JsonDocument(const std::string& text);

  JsonValue root() const { return {*this, root_}; }

 private:
  friend class JsonValue;
  friend class DocumentBuilder;

  enum class Kind : std::uint8_t { null, boolean, signed_integer, unsigned_integer, floating, string, array, object };
  // A value: its kind, for a string the length and the offset in texts_,
  // for a container the count and the offset in links_ (an array's element
  // indices; an object's pairs of key number and value index), for a
  // number its bits.
  struct Entry {
    Kind kind = Kind::null;
    std::uint32_t count = 0;
    std::uint64_t payload = 0;
  };

  std::vector<Entry> entries_;
  std::string texts_;
  std::vector<std::uint32_t> links_;
  std::vector<std::string> keys_;  // by key number
  std::uint32_t root_ = 0;
};

}  // namespace rfcsim
