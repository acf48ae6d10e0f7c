#include "landscape_document.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <utility>

#include <nlohmann/json.hpp>

#include "code_page.h"

namespace rfcsim {

using json = nlohmann::json;

namespace {

constexpr std::uint32_t kNoKey = std::numeric_limits<std::uint32_t>::max();

// ASCII is the same in UTF-8 and Latin-1.
bool is_ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

// Builds the document from the parser's events. Containers are written
// when they close, after their content; the open ones collect the indices
// of their content on a stack whose buffers are kept for the next
// container at the same depth.
class DocumentBuilder : public nlohmann::json_sax<json> {
 public:
  explicit DocumentBuilder(JsonDocument& document) : d_(document) {}

  bool null() override { return add({}); }
  bool boolean(bool value) override { return add({Kind::boolean, 0, value ? 1u : 0u}); }
  bool number_integer(number_integer_t value) override { return add({Kind::signed_integer, 0, bits(value)}); }
  bool number_unsigned(number_unsigned_t value) override { return add({Kind::unsigned_integer, 0, value}); }
  bool number_float(number_float_t value, const string_t&) override { return add({Kind::floating, 0, bits(value)}); }
  bool string(string_t& value) override {
    if (converting() && !is_ascii(value)) value = to_latin1(value);
    const std::uint64_t offset = d_.texts_.size();
    d_.texts_ += value;
    return add({Kind::string, static_cast<std::uint32_t>(value.size()), offset});
  }
  bool binary(binary_t&) override { return add({}); }

  bool start_object(std::size_t) override { return open(true); }
  bool key(string_t& key) override {
    // The top-level key "systems" holds everything the systems deliver.
    if (depth_ == 1) levels_[0].key_converts = key == "systems";
    pending_key_ = key_number(key);
    return true;
  }
  bool end_object() override {
    Level& level = levels_[--depth_];
    pending_key_ = level.key;
    close_object(level.members, converting());
    const std::uint64_t offset = d_.links_.size();
    for (const auto& [key, value] : level.members) {
      d_.links_.push_back(key);
      d_.links_.push_back(value);
    }
    const auto count = static_cast<std::uint32_t>(level.members.size());
    level.members.clear();
    return add({Kind::object, count, offset});
  }
  bool start_array(std::size_t) override { return open(false); }
  bool end_array() override {
    Level& level = levels_[--depth_];
    pending_key_ = level.key;
    const std::uint64_t offset = d_.links_.size();
    d_.links_.insert(d_.links_.end(), level.elements.begin(), level.elements.end());
    const auto count = static_cast<std::uint32_t>(level.elements.size());
    level.elements.clear();
    return add({Kind::array, count, offset});
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) override {
    throw JsonSyntaxError(e.what());
  }

 private:
  using Kind = JsonDocument::Kind;
  using Member = std::pair<std::uint32_t, std::uint32_t>;  // key number, value index
  struct Level {
    bool object = false;
    std::vector<Member> members;
    std::vector<std::uint32_t> elements;
    bool key_converts = false;  // top level: the member being read is "systems"
    std::uint32_t key = kNoKey;  // the key this container is the value of
  };

  template <typename T>
  static std::uint64_t bits(T value) {
    std::uint64_t b = 0;
    static_assert(sizeof value == sizeof b);
    std::memcpy(&b, &value, sizeof b);
    return b;
  }

  std::uint32_t key_number(const std::string& key) {
    auto [it, added] = numbers_.try_emplace(key, static_cast<std::uint32_t>(d_.keys_.size()));
    if (added) d_.keys_.push_back(key);
    return it->second;
  }
  const std::string& key_text(std::uint32_t number) const { return d_.keys_[number]; }

  bool open(bool object) {
    if (depth_ == levels_.size()) levels_.emplace_back();
    Level& level = levels_[depth_++];
    level.object = object;
    level.key_converts = false;
    level.key = pending_key_;
    return true;
  }

  // Inside "systems": the top-level object is reading its member "systems".
  bool converting() const { return depth_ > 0 && levels_[0].object && levels_[0].key_converts; }

  bool add(JsonDocument::Entry entry) {
    const auto index = static_cast<std::uint32_t>(d_.entries_.size());
    d_.entries_.push_back(entry);
    if (depth_ == 0) {
      d_.root_ = index;
    } else if (Level& level = levels_[depth_ - 1]; level.object) {
      level.members.emplace_back(pending_key_, index);
    } else {
      level.elements.push_back(index);
    }
    return true;
  }

  // Puts the members in key order with unique keys, as nlohmann's object
  // holds them: of a key given twice, the last value. In the code page, keys
  // are converted in that order and, where two meet, the later one stays.
  void close_object(std::vector<Member>& members, bool convert) {
    auto by_key = [this](const Member& a, const Member& b) { return key_text(a.first) < key_text(b.first); };
    keep_last_of_each_key(members, by_key);
    if (!convert) return;
    for (Member& m : members) {
      if (m.first >= converted_.size()) converted_.resize(d_.keys_.size(), kNoKey);
      if (converted_[m.first] == kNoKey) converted_[m.first] = key_number(to_latin1(key_text(m.first)));
      m.first = converted_[m.first];
    }
    keep_last_of_each_key(members, by_key);
  }

  template <typename Less>
  static void keep_last_of_each_key(std::vector<Member>& members, Less less) {
    std::stable_sort(members.begin(), members.end(), less);
    auto kept = members.begin();
    for (auto it = members.begin(); it != members.end(); ++it) {
      if (std::next(it) != members.end() && std::next(it)->first == it->first) continue;  // a later one follows
      *kept++ = *it;
    }
    members.erase(kept, members.end());
  }

  JsonDocument& d_;
  std::vector<Level> levels_;
  std::size_t depth_ = 0;
  std::uint32_t pending_key_ = kNoKey;
  std::unordered_map<std::string, std::uint32_t> numbers_;
  std::vector<std::uint32_t> converted_;  // raw key number -> Latin-1 key number
};

JsonDocument::JsonDocument(const std::string& text) {
  // Room for as many values as the text can hold (a value and a comma at
  // least); memory that is reserved and not used is never touched.
  entries_.reserve(text.size() / 2);
  links_.reserve(text.size());
  texts_.reserve(text.size());
  DocumentBuilder builder(*this);
  json::sax_parse(text, &builder);
}

bool JsonValue::is_object() const { return document_->entries_[index_].kind == JsonDocument::Kind::object; }
bool JsonValue::is_array() const { return document_->entries_[index_].kind == JsonDocument::Kind::array; }
bool JsonValue::is_string() const { return document_->entries_[index_].kind == JsonDocument::Kind::string; }
bool JsonValue::is_number_unsigned() const {
  return document_->entries_[index_].kind == JsonDocument::Kind::unsigned_integer;
}
bool JsonValue::is_number_integer() const {
  return is_number_unsigned() || document_->entries_[index_].kind == JsonDocument::Kind::signed_integer;
}

std::int64_t JsonValue::as_int64() const {
  return static_cast<std::int64_t>(document_->entries_[index_].payload);
}

std::uint64_t JsonValue::as_uint64() const { return document_->entries_[index_].payload; }

std::string_view JsonValue::text() const {
  const JsonDocument::Entry& e = document_->entries_[index_];
  return std::string_view(document_->texts_).substr(e.payload, e.count);
}

std::size_t JsonValue::size() const {
  const JsonDocument::Entry& e = document_->entries_[index_];
  return e.kind == JsonDocument::Kind::object || e.kind == JsonDocument::Kind::array ? e.count : 0;
}

std::string_view JsonValue::key(std::size_t i) const {
  return document_->keys_[document_->links_[document_->entries_[index_].payload + 2 * i]];
}

JsonValue JsonValue::member(std::size_t i) const {
  return {*document_, document_->links_[document_->entries_[index_].payload + 2 * i + 1]};
}

JsonValue JsonValue::element(std::size_t i) const {
  return {*document_, document_->links_[document_->entries_[index_].payload + i]};
}

bool JsonValue::find(std::string_view wanted, JsonValue& value) const {
  if (!is_object()) return false;
  std::size_t low = 0, high = size();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (key(middle) < wanted) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low == size() || key(low) != wanted) return false;
  value = member(low);
  return true;
}

}  // namespace rfcsim
